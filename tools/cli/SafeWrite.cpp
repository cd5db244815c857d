#include "tools/cli/SafeWrite.h"

#include "files/SceneBackup.h"
#include "tools/cli/CliError.h"
#include "tools/cli/Interrupt.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo::cli {

namespace fs = std::filesystem;

void WriteFileSafely(const std::string& path, std::string_view bytes)
{
    auto fail = [&](const std::string& step, int error) {
        throw CliError(ExitUsage, "cannot write " + path + ": " + step + ": " + std::strerror(error));
    };
    const fs::path target(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();

    const SignalsHeld held; // a Ctrl+C now takes effect once the file is whole
    const int fd = mkstemp(temp.data());
    if (fd < 0)
        fail("creating a temporary file in " + folder.string(), errno);
    auto abandon = [&](const std::string& step) {
        const int error = errno;
        close(fd);
        unlink(temp.c_str());
        fail(step, error);
    };
    // mkstemp makes the file private; a new file gets the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    if (fchmod(fd, 0666 & ~mask) != 0)
        abandon("setting permissions");
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            abandon("writing");
        done += static_cast<std::size_t>(n);
    }
    if (fsync(fd) != 0)
        abandon("flushing to disk");
    if (close(fd) != 0) {
        const int error = errno;
        unlink(temp.c_str());
        fail("closing", error);
    }

    std::error_code ec;
    if (fs::exists(target, ec))
        MakeBackup(path);
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        unlink(temp.c_str());
        fail("renaming the temporary file into place", error);
    }
    // The rename itself reaches the disk with the folder.
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

} // namespace korvo::cli
