#pragma once
// A helper program started by a test or a benchmark, stopped by its own process
// id when the object goes (and killed by the system if the starter dies first).

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace korvo::testbed {

class ChildProcess {
public:
    // Runs argv[0] (searched on PATH) with the starter's environment. Its standard
    // output is kept for ReadLine when captureOutput is set; everything else it
    // writes goes to /dev/null.
    ChildProcess(const std::vector<std::string>& argv, bool captureOutput);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }
    bool Running();

    // The next line of its output, or nothing when none came within the time.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // Reads lines until one contains the text; false on time-out or end of output.
    bool WaitForLine(const std::string& text, std::chrono::milliseconds timeout);

    // SIGTERM, then SIGKILL if it has not ended within the grace time.
    void Stop(std::chrono::milliseconds grace = std::chrono::milliseconds(3000));

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string pending_;
    bool reaped_ = false;
};

} // namespace korvo::testbed
