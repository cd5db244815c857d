#include "files/SceneFileError.h"

#include <cerrno>
#include <filesystem>

namespace korvo {

namespace {

bool FolderOfPathExists(const std::string& path)
{
    const auto folder = std::filesystem::path(path).parent_path();
    if (folder.empty())
        return true; // a bare name lives in the working directory
    std::error_code ec;
    return std::filesystem::is_directory(folder, ec);
}

} // namespace

std::string IoErrorMessage(int error, const std::string& path)
{
    switch (error) {
    case ENOENT:
        return FolderOfPathExists(path) ? "File not found" : "Invalid filename";
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return "Invalid filename";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return "File access denied";
    case ENOSPC:
    case EDQUOT:
    case EFBIG: // a file size limit: the write stopped short like on a full disk
        return DiskFullMessage;
    default:
        return "I/O error " + std::to_string(error);
    }
}

std::string CannotSaveMessage(const std::string& path, const std::string& reason)
{
    return "Cannot save " + path + ": " + reason;
}

std::string CannotOpenMessage(const std::string& path, const std::string& reason)
{
    return "Cannot open " + path + ": " + reason;
}

} // namespace korvo
