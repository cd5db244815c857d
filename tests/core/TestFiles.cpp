#include "TestFiles.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace korvo::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "korvo-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
    // Readable by an unprivileged child process (RunUnprivileged).
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                            std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                                            std::filesystem::perms::others_exec);
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

ScopedWorkingDir::ScopedWorkingDir(const std::filesystem::path& dir) : previous_(std::filesystem::current_path())
{
    std::filesystem::current_path(dir);
}

ScopedWorkingDir::~ScopedWorkingDir()
{
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string RunInChild(const std::function<std::string()>& body)
{
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        std::string result;
        try {
            result = body();
        } catch (...) {
            _exit(4); // never back into the test runner
        }
        const auto written = write(fds[1], result.data(), result.size());
        _exit(written == static_cast<ssize_t>(result.size()) ? 0 : 3);
    }
    close(fds[1]);
    std::string result;
    char chunk[256];
    for (ssize_t n; (n = read(fds[0], chunk, sizeof chunk)) > 0;)
        result.append(chunk, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("child process failed");
    return result;
}

std::string RunUnprivileged(const std::function<std::string()>& body)
{
    return RunInChild([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        return body();
    });
}

} // namespace korvo::test
