#include "tools/testbed/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace korvo::testbed {

ChildProcess::ChildProcess(const std::vector<std::string>& argv, bool captureOutput)
{
    int fds[2] = {-1, -1};
    if (captureOutput && pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t parent = getpid();

    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        // Dies with the starter, whatever happens to it.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(captureOutput ? fds[1] : null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(args[0], args.data());
        _exit(127);
    }
    if (captureOutput) {
        close(fds[1]);
        output_ = fds[0];
    }
}

ChildProcess::~ChildProcess()
{
    Stop();
    if (output_ >= 0)
        close(output_);
}

bool ChildProcess::Running()
{
    if (reaped_)
        return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_)
        reaped_ = true;
    return !reaped_;
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto eol = pending_.find('\n');
        if (eol != std::string::npos) {
            std::string line = pending_.substr(0, eol);
            pending_.erase(0, eol + 1);
            return line;
        }
        if (output_ < 0)
            return std::nullopt;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return std::nullopt;
        pollfd p{output_, POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return std::nullopt;
        char chunk[512];
        const ssize_t n = read(output_, chunk, sizeof chunk);
        if (n <= 0)
            return std::nullopt; // the program has ended
        pending_.append(chunk, static_cast<std::size_t>(n));
    }
}

bool ChildProcess::WaitForLine(const std::string& text, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const auto line = ReadLine(std::max(left, std::chrono::milliseconds(0)));
        if (!line)
            return false;
        if (line->find(text) != std::string::npos)
            return true;
    }
}

void ChildProcess::Stop(std::chrono::milliseconds grace)
{
    if (pid_ <= 0 || reaped_)
        return;
    kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + grace;
    while (Running()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            reaped_ = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace korvo::testbed
