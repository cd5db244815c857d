#pragma once
// Before a scene file is replaced, its previous version is kept under a backup name.

#include <string>

namespace korvo {

// The backup name of a file: its file-name part (no folder) with the extension
// (from the last ".") replaced by ".BAK", or ".BAK" appended when it has none.
std::string BackupFileNameFor(const std::string& path);

// Moves the file to its backup name in the current working directory, which need
// not be the file's folder. An existing backup is never replaced; any failure is
// ignored and leaves the file where it was. Returns the backup name.
std::string MakeBackup(const std::string& path);

// Gives the file's current content the given backup name (in the working directory
// when the name has no folder) while the file stays where it is: a hard link, or a
// synced copy where a link cannot be made (another file system). An existing backup
// is never replaced. Returns whether a backup was made; failures are not reported.
bool KeepBackupCopy(const std::string& path, const std::string& backupName);

} // namespace korvo
