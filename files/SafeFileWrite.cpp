#include "files/SafeFileWrite.h"

#include "files/RandomName.h"
#include "files/SceneBackup.h"
#include "files/SceneFileError.h"
#include "files/UniqueFd.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

namespace {

namespace fs = std::filesystem;

constexpr int MaxLinkDepth = 40; // as the kernel's own limit

// Follows symbolic links to the file that is finally written. A missing file (or a
// link to one) ends the walk there; a loop gives ELOOP.
fs::path FileBehindLinks(const std::string& target, int& error)
{
    fs::path path(target);
    for (int depth = 0; depth <= MaxLinkDepth; ++depth) {
        struct stat st{};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::error_code ec;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    error = ELOOP;
    return path;
}

void SyncFolder(const fs::path& folder)
{
    UniqueFd fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd)
        ::fsync(fd.Get()); // best effort: some file systems cannot sync a folder
}

// The temporary file; removed unless it was renamed into place.
class TemporaryFile {
public:
    ~TemporaryFile()
    {
        fd_.Reset();
        if (!path_.empty())
            ::unlink(path_.c_str());
    }

    // Creates a hidden file beside the target; returns an errno value, 0 on success.
    int Create(const fs::path& file, mode_t mode)
    {
        // Leave room in the name for the dot and the suffix.
        const std::string name = file.filename().string().substr(0, NAME_MAX - 24);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path candidate = file.parent_path() / ("." + name + "." + RandomHexDigits() + ".tmp");
            fd_ = UniqueFd(::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode));
            if (fd_) {
                path_ = candidate;
                return 0;
            }
            if (errno != EEXIST)
                return errno;
        }
        return EEXIST;
    }

    int Fd() const { return fd_.Get(); }
    const fs::path& Path() const { return path_; }
    int Close() { return fd_.Reset() == 0 ? 0 : errno; }
    void Keep() { path_.clear(); }

private:
    UniqueFd fd_;
    fs::path path_;
};

int WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

} // namespace

std::string WriteFileSafely(const std::string& target, std::string_view bytes, const SafeWriteOptions& options)
{
    int error = 0;
    const fs::path file = FileBehindLinks(target, error);
    const auto fail = [&](int code) { throw SceneFileError(CannotSaveMessage(target, IoErrorMessage(code, file.string()))); };
    if (error)
        fail(error);

    struct stat old{};
    const bool existed = ::stat(file.c_str(), &old) == 0;
    if (!existed && errno != ENOENT)
        fail(errno);
    if (existed) {
        // Only a plain file is replaced; a folder, device or pipe is left alone.
        if (!S_ISREG(old.st_mode))
            fail(S_ISDIR(old.st_mode) ? EISDIR : EACCES);
        // A file the user may not write stays as it is, although the folder would
        // allow replacing it.
        if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0)
            fail(errno);
    }

    TemporaryFile temporary;
    if (const int e = temporary.Create(file, options.NewFileMode))
        fail(e);
    if (existed) {
        // Keep owner and permissions; a user may not give a file away, so a failed
        // change of owner is expected and harmless.
        [[maybe_unused]] const int owned = ::fchown(temporary.Fd(), old.st_uid, old.st_gid);
        ::fchmod(temporary.Fd(), old.st_mode & 07777);
    }
    if (const int e = WriteAll(temporary.Fd(), bytes))
        fail(e);
    if (::fsync(temporary.Fd()) != 0)
        fail(errno);
    if (const int e = temporary.Close())
        fail(e);

    std::string backupName;
    bool backupMade = false;
    if (existed && options.KeepBackup) {
        backupName = BackupFileNameFor(target);
        backupMade = KeepBackupCopy(file.string(), backupName);
    }
    if (::rename(temporary.Path().c_str(), file.c_str()) != 0) {
        const int e = errno;
        if (backupMade)
            ::unlink(backupName.c_str()); // the file is still there; so is any older backup
        fail(e);
    }
    temporary.Keep();
    SyncFolder(file.parent_path());
    if (backupMade)
        SyncFolder(fs::path(backupName).parent_path());
    return backupName;
}

} // namespace korvo
