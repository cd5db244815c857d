#include "files/SceneBackup.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

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

} // namespace korvo
