#pragma once
// Replacing a file so that it is never left half written.

#include <string>
#include <string_view>

namespace korvo::cli {

// Writes the bytes to a temporary file in the target's folder, flushes it to the
// disk, moves an existing target to its backup name (files/SceneBackup.h), then
// renames the temporary file into place. A failure removes the temporary file;
// up to the final rename the target is untouched. Throws CliError naming the file.
void WriteFileSafely(const std::string& path, std::string_view bytes);

} // namespace korvo::cli
