#include "RunProgram.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace korvo::test {

namespace {

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string TempFile()
{
    std::string path = (std::filesystem::temp_directory_path() / "korvo-run-XXXXXX").string();
    const int fd = mkstemp(path.data());
    if (fd < 0)
        throw std::runtime_error("mkstemp failed");
    close(fd);
    return path;
}

} // namespace

RunningProgram::RunningProgram(const std::vector<std::string>& argv, const std::filesystem::path& folder)
    : outPath_(TempFile()), errPath_(TempFile())
{
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const std::string home = folder.string();
    const pid_t parent = getpid();

    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent || chdir(home.c_str()) != 0)
            _exit(127);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
        setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
        setenv("XDG_CACHE_HOME", (home + "/.cache").c_str(), 1);
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath_.c_str(), O_WRONLY | O_TRUNC);
        const int err = open(errPath_.c_str(), O_WRONLY | O_TRUNC);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        execv(args[0], args.data());
        _exit(127);
    }
}

RunningProgram::~RunningProgram()
{
    if (!reaped_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    unlink(outPath_.c_str());
    unlink(errPath_.c_str());
}

void RunningProgram::Signal(int signal)
{
    if (!reaped_)
        kill(pid_, signal);
}

bool RunningProgram::WaitForError(const std::string& text, std::chrono::seconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (Slurp(errPath_).find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

ProgramResult RunningProgram::Wait(std::chrono::seconds timeout)
{
    ProgramResult result;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (!reaped_) {
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            reaped_ = true;
            if (WIFEXITED(status))
                result.status = WEXITSTATUS(status);
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            reaped_ = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.out = Slurp(outPath_);
    result.err = Slurp(errPath_);
    return result;
}

} // namespace korvo::test
