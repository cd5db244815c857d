#include "files/SceneBackup.h"

#include "files/RandomName.h"
#include "files/UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace korvo {

namespace fs = std::filesystem;

std::string BackupFileNameFor(const std::string& path)
{
    std::string name = fs::path(path).filename().string();
    const auto dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name + ".BAK";
}

std::string MakeBackup(const std::string& path)
{
    const std::string backup = BackupFileNameFor(path);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(backup, ec)))
        return backup; // the old backup stays

    fs::rename(path, backup, ec);
    if (ec == std::errc::cross_device_link) {
        // Another file system: copy, then remove the original only if the copy worked.
        if (fs::copy_file(path, backup, fs::copy_options::none, ec) && !ec)
            fs::remove(path, ec);
    }
    return backup;
}

bool KeepBackupCopy(const std::string& path, const std::string& backupName)
{
    std::error_code ec;
    if (fs::exists(fs::symlink_status(backupName, ec)))
        return false; // the old backup stays
    if (::link(path.c_str(), backupName.c_str()) == 0)
        return true;
    if (errno == EEXIST)
        return false;

    // Copy under a temporary name beside the backup, then link that into place, so
    // that a half-written copy never carries the backup name and an existing backup
    // is still never replaced.
    const fs::path backup(backupName);
    const fs::path copy = backup.parent_path() / ("." + backup.filename().string() + "." + RandomHexDigits() + ".tmp");
    bool made = false;
    if (fs::copy_file(path, copy, fs::copy_options::none, ec) && !ec) {
        UniqueFd fd(::open(copy.c_str(), O_RDONLY | O_CLOEXEC));
        made = fd && ::fsync(fd.Get()) == 0 && ::link(copy.c_str(), backupName.c_str()) == 0;
    }
    fs::remove(copy, ec);
    return made;
}

} // namespace korvo
