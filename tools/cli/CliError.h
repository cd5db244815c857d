#pragma once
// Exit statuses of korvo-cli and the error that carries one to main.

#include <stdexcept>
#include <string>

namespace korvo::cli {

enum ExitStatus {
    ExitDone = 0,
    ExitDifferent = 1, // diff found differences
    ExitFailed = 1,    // a transfer failed or was interrupted
    ExitUsage = 2,     // bad command line, or a file that cannot be read or written
    ExitNotFound = 3,  // no controller answered, or no MIDI service
    ExitVerify = 4,    // send --verify found a difference
};

// Printed on standard error as "korvo-cli: <message>"; main returns the status.
class CliError : public std::runtime_error {
public:
    CliError(ExitStatus status, const std::string& message) : std::runtime_error(message), status_(status) {}
    ExitStatus Status() const { return status_; }

private:
    ExitStatus status_;
};

} // namespace korvo::cli
