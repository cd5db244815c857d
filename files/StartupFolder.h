#pragma once
// Which folder the editor reads DefPara.ini and NotePara.ini from, and keeps its
// backups in. The working folder comes first, as always. When it holds no
// DefPara.ini (a desktop starts programs in the home folder), the user's Korvo
// folder is used instead: created when missing, and given a copy of each installed
// start-up file it lacks. A file the user already has there is never replaced.

#include <filesystem>
#include <optional>
#include <string>

namespace korvo {

struct StartupPlaces {
    std::filesystem::path WorkingFolder;
    // The user's Korvo folder (e.g. ~/.local/share/korvo); nothing when it cannot
    // be known, and then UserFolderUnknownReason says why ("HOME is not set").
    std::optional<std::filesystem::path> UserFolder;
    std::string UserFolderUnknownReason;
    // share/korvo of the installed tree, holding the shipped start-up files.
    std::filesystem::path InstalledFolder;
};

struct StartupFolder {
    // The folder to make the working folder; empty when there is none.
    std::filesystem::path Folder;
    // When there is none: what went wrong, both places looked at, and what to do.
    std::string Problem;
};

// May create the user's Korvo folder and copy files into it.
StartupFolder ChooseStartupFolder(const StartupPlaces& places);

} // namespace korvo
