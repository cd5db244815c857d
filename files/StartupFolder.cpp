#include "files/StartupFolder.h"

#include "scene/DefaultParams.h"
#include "scene/NoteNames.h"
#include "scene/TextLines.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace korvo {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

// The start-up error's own first line.
std::string CannotOpen(const fs::path& file, const std::string& reason)
{
    return "Cannot open file " + Quoted(file) + ". " + reason;
}

std::string PlacesSentence(const StartupPlaces& places)
{
    std::string text = "DefPara.ini and NotePara.ini are read from the working folder " +
                       Quoted(places.WorkingFolder) + " or else from the user's Korvo folder";
    if (places.UserFolder)
        return text + " " + Quoted(*places.UserFolder) + ".";
    return text + ", which is unknown: " + places.UserFolderUnknownReason + ".";
}

StartupFolder Failure(const StartupPlaces& places, const std::string& first, const std::string& advice)
{
    return {{}, first + "\n\n" + PlacesSentence(places) + "\n" + advice};
}

// Reads a whole file; nothing when it cannot be read, with the reason.
std::optional<std::string> ReadAll(const fs::path& file, std::string& reason)
{
    std::error_code ec;
    if (fs::is_directory(file, ec)) {
        reason = std::strerror(EISDIR);
        return std::nullopt;
    }
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        reason = std::strerror(errno ? errno : ENOENT);
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        reason = std::strerror(errno ? errno : EIO);
        return std::nullopt;
    }
    return bytes;
}

// Writes a new file; fails rather than replace one that exists. A file left
// half written is removed (it was created here, so it is nobody else's).
bool WriteNewFile(const fs::path& file, const std::string& bytes, std::string& reason)
{
    errno = 0;
    std::FILE* out = std::fopen(file.c_str(), "wbx");
    if (!out) {
        reason = std::strerror(errno ? errno : EIO);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const int writeError = errno;
    const bool closed = std::fclose(out) == 0;
    if (written && closed)
        return true;
    reason = std::strerror(writeError ? writeError : errno ? errno : EIO);
    std::error_code ec;
    fs::remove(file, ec);
    return false;
}

// Gives the user's folder the installed copy of a start-up file it lacks, and
// checks that the file there can be read and is not empty. Returns the problem.
std::optional<StartupFolder> ProvideFile(const StartupPlaces& places, const char* name)
{
    const fs::path folder = *places.UserFolder;
    const fs::path file = folder / name;
    std::error_code ec;
    // Anything under that name, even a broken link, is the user's and stays.
    if (!fs::exists(fs::symlink_status(file, ec))) {
        const fs::path installed = places.InstalledFolder / name;
        std::string reason;
        auto bytes = ReadAll(installed, reason);
        if (bytes && bytes->empty())
            reason = "it is empty";
        if (!bytes || bytes->empty())
            return Failure(places, CannotOpen(file, std::strerror(ENOENT)),
                           "The installed copy " + Quoted(installed) + " cannot be read either (" + reason +
                               "): reinstall Korvo, or put your own " + name + " into " + Quoted(folder) + ".");
        if (!WriteNewFile(file, *bytes, reason))
            return Failure(places, CannotOpen(file, std::strerror(ENOENT)),
                           "Copying the installed " + Quoted(installed) + " there failed: " + reason + ". Make " +
                               Quoted(folder) + " writable, or put your own " + name + " there.");
    }
    std::string reason;
    const auto bytes = ReadAll(file, reason);
    const std::string again = std::string(" Korvo copies the installed ") + name + " there at its next start.";
    if (!bytes)
        return Failure(places, CannotOpen(file, reason), "Make it readable, or remove it, and" + again);
    if (SplitLines(*bytes).empty())
        return Failure(places, "File " + Quoted(file) + " is empty.", "Write your own settings into it, or remove it, and" + again);
    return std::nullopt;
}

} // namespace

StartupFolder ChooseStartupFolder(const StartupPlaces& places)
{
    std::error_code ec;
    const fs::path workingDefaults = places.WorkingFolder / DefaultParamsFileName;
    if (!places.WorkingFolder.empty() && fs::exists(workingDefaults, ec))
        return {places.WorkingFolder, {}};

    const std::string notInWorkingFolder = CannotOpen(workingDefaults, std::strerror(ENOENT));
    if (!places.UserFolder)
        return Failure(places, notInWorkingFolder, "Set HOME to your home folder, or start Korvo in a folder that holds both files.");

    const fs::path& folder = *places.UserFolder;
    const auto status = fs::status(folder, ec);
    if (fs::exists(status) && !fs::is_directory(status))
        return Failure(places, notInWorkingFolder,
                       Quoted(folder) + " is not a folder: move it away, and Korvo creates the folder at its next start.");
    if (!fs::exists(status)) {
        fs::create_directories(folder, ec);
        if (ec)
            return Failure(places, notInWorkingFolder,
                           "The user's Korvo folder cannot be created: " + ec.message() +
                               ". Make its parent folder writable, or start Korvo in a folder that holds both files.");
    }
    for (const char* name : {DefaultParamsFileName, NoteNamesFileName})
        if (auto problem = ProvideFile(places, name))
            return *problem;
    return {folder, {}};
}

} // namespace korvo
