#pragma once
// Running a program as a user would from the shell: in a given folder, with its
// standard output and error captured and its exit status kept.

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace korvo::test {

struct ProgramResult {
    int status = -1; // the exit status; -1 when it did not exit normally in time
    std::string out;
    std::string err;
};

class RunningProgram {
public:
    // Starts argv[0] in the folder; stdin reads nothing. HOME and the XDG folders
    // point into the folder, so no user settings are touched.
    RunningProgram(const std::vector<std::string>& argv, const std::filesystem::path& folder);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    void Signal(int signal);
    // Waits until the program has written the text to standard error; false
    // when it has not within the timeout.
    bool WaitForError(const std::string& text, std::chrono::seconds timeout);
    // Waits for the end (killing the program after the timeout).
    ProgramResult Wait(std::chrono::seconds timeout = std::chrono::seconds(60));

private:
    pid_t pid_ = -1;
    std::string outPath_, errPath_;
    bool reaped_ = false;
};

inline ProgramResult RunProgram(const std::vector<std::string>& argv, const std::filesystem::path& folder)
{
    return RunningProgram(argv, folder).Wait();
}

} // namespace korvo::test
