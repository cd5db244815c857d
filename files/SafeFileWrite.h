#pragma once
// Replacing a file so that a failure never leaves it half written: the new content
// goes to a temporary file in the same folder, is synced, and is then renamed over
// the old file in one step.

#include <string>
#include <string_view>
#include <sys/types.h>

namespace korvo {

struct SafeWriteOptions {
    // Keep the previous version under its backup name (BackupFileNameFor) in the
    // working directory; an existing backup is never replaced.
    bool KeepBackup = false;
    // Permissions of a file that did not exist before (the umask applies); a
    // replaced file keeps its own permissions and, where allowed, its owner.
    mode_t NewFileMode = 0666;
};

// Writes bytes to target. A symbolic link stays a link: the file it points to is
// replaced. A target that is a folder or another non-regular file, or that the
// user may not write, is refused. Returns the backup name when the target existed
// and KeepBackup is set (whether or not a new backup was made), otherwise "".
// Throws SceneFileError ("Cannot save <target>: <reason>") on any failure; the
// target then keeps its previous content and no temporary file is left behind.
std::string WriteFileSafely(const std::string& target, std::string_view bytes, const SafeWriteOptions& options = {});

} // namespace korvo
