#pragma once
// Failures of scene-file input and output, with the message the user is shown.

#include <stdexcept>
#include <string>

namespace korvo {

class SceneFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* ReadBeyondEndMessage = "Read beyond end of file";
inline constexpr const char* DiskFullMessage = "Disk full";

// The message for a system error number met while working on the file at path:
// "File not found", "Invalid filename" (a folder of the path is missing, the name
// is too long, or symbolic links loop),
// "Too many open files", "File access denied", "Disk full", or "I/O error <n>".
std::string IoErrorMessage(int error, const std::string& path);

// The message of a failed save, naming the file: "Cannot save <path>: <reason>".
std::string CannotSaveMessage(const std::string& path, const std::string& reason);
// The message of a failed open, naming the file: "Cannot open <path>: <reason>".
std::string CannotOpenMessage(const std::string& path, const std::string& reason);

} // namespace korvo
