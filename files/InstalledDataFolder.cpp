#include "files/InstalledDataFolder.h"

#include <system_error>

namespace korvo {

std::filesystem::path ExecutableFolder()
{
    std::error_code ec;
    // The link names the executable itself, after any symbolic link it was started by.
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : self.parent_path();
}

std::filesystem::path InstalledDataFolder(const std::filesystem::path& executableFolder)
{
    return (executableFolder / ".." / "share" / "korvo").lexically_normal();
}

std::filesystem::path InstalledDataFolder()
{
    const auto folder = ExecutableFolder();
    return folder.empty() ? folder : InstalledDataFolder(folder);
}

} // namespace korvo
