#pragma once
// Before a scene file is replaced, its previous version is moved aside.

#include <string>

namespace korvo {

// The backup name of a file: its file-name part (no folder) with the extension
// (from the last ".") replaced by ".BAK", or ".BAK" appended when it has none.
std::string BackupFileNameFor(const std::string& path);

// Moves the file to its backup name in the current working directory, which need
// not be the file's folder. An existing backup is never replaced; any failure is
// ignored and leaves the file where it was. Returns the backup name.
std::string MakeBackup(const std::string& path);

} // namespace korvo
