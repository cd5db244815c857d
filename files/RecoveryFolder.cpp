#include "files/RecoveryFolder.h"

#include "files/RandomName.h"
#include "files/SceneFileError.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view SlotPrefix = "recovery-";
constexpr std::string_view FileExtension = ".kvr";
constexpr std::string_view LockExtension = ".lock";

bool Exists(const std::string& path)
{
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

// Takes the lock without waiting. Empty when another editor holds it, or when the
// lock file was removed or replaced while it was being opened (its holder was
// tidying it away): a lock on a file no longer at that path protects nothing.
UniqueFd TakeLock(const std::string& lockPath, int openFlags)
{
    UniqueFd fd(::open(lockPath.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | openFlags, 0600));
    if (!fd || ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0)
        return {};
    struct stat held{};
    struct stat named{};
    if (::fstat(fd.Get(), &held) != 0 || ::lstat(lockPath.c_str(), &named) != 0 || held.st_dev != named.st_dev ||
        held.st_ino != named.st_ino)
        return {};
    return fd;
}

std::string LockPathFor(const std::string& recoveryPath)
{
    return recoveryPath.substr(0, recoveryPath.size() - FileExtension.size()) + std::string(LockExtension);
}

bool IsSlotName(const std::string& name, std::string_view extension)
{
    return name.size() > SlotPrefix.size() + extension.size() && name.starts_with(SlotPrefix) &&
           name.ends_with(extension);
}

} // namespace

RecoverySlot::RecoverySlot(const std::string& folder)
{
    const auto fail = [&](int error) {
        throw SceneFileError("Cannot use the recovery folder " + folder + ": " + IoErrorMessage(error, folder));
    };
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        fail(ec.value());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string stem =
            (fs::path(folder) / (std::string(SlotPrefix) + std::to_string(::getpid()) + "-" + RandomHexDigits()))
                .string();
        const std::string lockPath = stem + std::string(LockExtension);
        const std::string path = stem + std::string(FileExtension);
        if (Exists(path))
            continue;
        UniqueFd created(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
        if (!created) {
            if (errno == EEXIST)
                continue;
            fail(errno);
        }
        created.Reset();
        // Another editor tidying the folder may take or remove a fresh lock file
        // before it is locked here; then try another name.
        UniqueFd lock = TakeLock(lockPath, 0);
        if (!lock)
            continue;
        path_ = path;
        lockPath_ = lockPath;
        lock_ = std::move(lock);
        return;
    }
    fail(EEXIST);
}

RecoverySlot::~RecoverySlot()
{
    if (!lock_)
        return; // moved from
    if (!HasFile())
        ::unlink(lockPath_.c_str()); // still locked here, so nobody else is using it
}

void RecoverySlot::Write(const std::string& sceneFileName, const SceneBank& bank)
{
    WriteRecoveryFile(path_, sceneFileName, bank);
}

void RecoverySlot::Remove()
{
    ::unlink(path_.c_str());
}

bool RecoverySlot::HasFile() const
{
    return Exists(path_);
}

ClaimedRecoveryFile::ClaimedRecoveryFile(std::string path, std::string lockPath, UniqueFd lock)
    : path_(std::move(path)), lockPath_(std::move(lockPath)), lock_(std::move(lock))
{
}

void ClaimedRecoveryFile::Delete()
{
    if (!lock_)
        return;
    ::unlink(path_.c_str());
    Release();
}

std::string ClaimedRecoveryFile::MoveAside()
{
    if (!lock_)
        return {};
    std::string aside = MoveRecoveryFileAside(path_);
    Release();
    return aside;
}

void ClaimedRecoveryFile::Release()
{
    ::unlink(lockPath_.c_str()); // while still locked, so no one is using it
    lock_.Reset();
}

std::vector<ClaimedRecoveryFile> ClaimOrphanedRecoveryFiles(const std::string& folder)
{
    std::vector<std::string> recoveryFiles;
    std::vector<std::string> lockFiles;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (IsSlotName(name, FileExtension))
            recoveryFiles.push_back(it->path().string());
        else if (IsSlotName(name, LockExtension))
            lockFiles.push_back(it->path().string());
    }

    struct Found {
        ClaimedRecoveryFile File;
        fs::file_time_type Modified;
    };
    std::vector<Found> found;
    for (const auto& path : recoveryFiles) {
        const std::string lockPath = LockPathFor(path);
        UniqueFd lock = TakeLock(lockPath, O_CREAT);
        if (!lock)
            continue; // its editor is running, or another one has just claimed it
        const auto modified = fs::last_write_time(path, ec);
        if (ec) {
            // Deleted by its claimer in the meantime.
            ::unlink(lockPath.c_str());
            continue;
        }
        found.push_back({ClaimedRecoveryFile(path, lockPath, std::move(lock)), modified});
    }
    // Lock files of editors that ended without a recovery file.
    for (const auto& lockPath : lockFiles) {
        const std::string path = lockPath.substr(0, lockPath.size() - LockExtension.size()) + std::string(FileExtension);
        if (Exists(path))
            continue;
        if (UniqueFd lock = TakeLock(lockPath, 0); lock && !Exists(path))
            ::unlink(lockPath.c_str());
    }

    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.Modified > b.Modified; });
    std::vector<ClaimedRecoveryFile> claimed;
    for (auto& f : found)
        claimed.push_back(std::move(f.File));
    return claimed;
}

} // namespace korvo
