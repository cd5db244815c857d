#include "tools/cli/StartupFiles.h"

#include "tools/cli/CliError.h"

#include <filesystem>

namespace korvo::cli {

namespace {

TextLines Load(const std::string& option, const char* workingFolderName, std::string_view shipped)
{
    std::string path = option;
    std::error_code ec;
    if (path.empty() && std::filesystem::exists(workingFolderName, ec))
        path = workingFolderName;
    if (path.empty())
        return SplitLines(shipped);
    try {
        return LoadTextLines(path);
    } catch (const FileOpenError& e) {
        throw CliError(ExitUsage, e.what());
    }
}

} // namespace

DefaultParams LoadDefaultParams(const std::string& option)
{
    return Load(option, DefaultParamsFileName, ShippedDefaultParams());
}

NoteNames LoadNoteNames(const std::string& option)
{
    return Load(option, NoteNamesFileName, ShippedNoteNames());
}

} // namespace korvo::cli
