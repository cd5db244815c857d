#include "tools/cli/SceneSources.h"

#include "files/SceneFile.h"
#include "scenetext/SceneJson.h"
#include "tools/cli/CliError.h"
#include "tools/cli/DeviceCommands.h"
#include "files/SafeFileWrite.h"
#include "files/SceneFileError.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace korvo::cli {

namespace fs = std::filesystem;

namespace {

bool EndsWithIgnoringCase(const std::string& text, std::string_view end)
{
    return text.size() >= end.size() && SameTextIgnoringCase(std::string_view(text).substr(text.size() - end.size()), end);
}

[[noreturn]] void CannotRead(const std::string& path, const std::string& reason)
{
    throw CliError(ExitUsage, "cannot read " + path + ": " + reason);
}

// The whole file, refusing folders and devices; a file larger than maxBytes
// gives maxBytes + 1 bytes.
std::string ReadWholeFile(const std::string& path, std::size_t maxBytes)
{
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (ec)
        CannotRead(path, ec == std::errc::no_such_file_or_directory ? "no such file" : ec.message());
    if (!fs::is_regular_file(status))
        CannotRead(path, "not a regular file");
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        CannotRead(path, std::strerror(errno ? errno : EIO));
    std::string bytes(maxBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad())
        CannotRead(path, std::strerror(errno ? errno : EIO));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

} // namespace

SourceKind KindOfSource(const std::string& source, bool deviceAllowed)
{
    if (deviceAllowed && source == DeviceSource)
        return SourceKind::Device;
    if (EndsWithIgnoringCase(source, ".kvo"))
        return SourceKind::Kvo;
    if (EndsWithIgnoringCase(source, ".json"))
        return SourceKind::Json;
    throw CliError(ExitUsage, source + ": expected a .kvo or .json file" + (deviceAllowed ? " or device:" : ""));
}

SceneBank SceneContext::Base() const
{
    SceneBank bank;
    LoadDefaults(bank, params);
    if (baseFile.empty())
        return bank;
    SceneContext onDefaults = *this;
    onDefaults.baseFile.clear();
    return LoadSceneFile(baseFile, onDefaults);
}

SceneBank LoadSceneFile(const std::string& path, const SceneContext& context)
{
    if (KindOfSource(path, false) == SourceKind::Kvo) {
        const std::string bytes = ReadWholeFile(path, SceneFileSize);
        constexpr auto size = static_cast<std::size_t>(SceneFileSize);
        if (bytes.size() != size)
            CannotRead(path, std::string("it holds ") + (bytes.size() > size ? "more than " : "") +
                                 std::to_string(std::min(bytes.size(), size)) +
                                 " bytes; a scene file holds exactly " + std::to_string(SceneFileSize));
        SceneBank bank;
        std::memcpy(bank.Scenes.data(), bytes.data(), bytes.size());
        return bank;
    }
    const std::string text = ReadWholeFile(path, SceneJsonMaxBytes);
    if (text.size() > SceneJsonMaxBytes)
        CannotRead(path, "larger than " + std::to_string(SceneJsonMaxBytes) + " bytes; not a file of scenes");
    SceneBank bank = context.Base();
    try {
        ReadSceneJson(text, context.notes, bank);
    } catch (const SceneJsonError& e) {
        throw CliError(ExitUsage, path + ":" + std::to_string(e.Line()) + ": " +
                                      (e.Field().empty() ? "" : e.Field() + ": ") + e.Problem());
    }
    return bank;
}

SceneBank LoadSource(const std::string& source, const SceneContext& context)
{
    if (KindOfSource(source, true) == SourceKind::Device)
        return ReadController(context);
    return LoadSceneFile(source, context);
}

void CheckOutput(const std::string& path, bool force)
{
    const fs::path target(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        throw CliError(ExitUsage, "cannot write " + path + ": the folder " + folder.string() + " does not exist");
    if (fs::is_directory(target, ec))
        throw CliError(ExitUsage, "cannot write " + path + ": it is a folder");
    if (!force && fs::exists(fs::symlink_status(target, ec)))
        throw CliError(ExitUsage, path + " exists; give --force to replace it (the old file is kept as a backup)");
}

void SaveSceneFile(const std::string& path, const SceneBank& bank, const NoteNames& notes)
{
    // The editor's safe save: never half written, the old file kept as its backup.
    SafeWriteOptions options;
    options.KeepBackup = true;
    try {
        if (KindOfSource(path, false) == SourceKind::Json)
            WriteFileSafely(path, WriteSceneJson(bank, notes), options);
        else
            WriteFileSafely(path, std::string_view(reinterpret_cast<const char*>(bank.Scenes.data()), SceneFileSize),
                            options);
    } catch (const SceneFileError& e) {
        throw CliError(ExitUsage, e.what());
    }
}

} // namespace korvo::cli
