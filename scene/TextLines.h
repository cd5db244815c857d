#pragma once
// A text file as an ordered list of lines, the way the start-up files are read.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace korvo {

using TextLines = std::vector<std::string>;

// Raised when a start-up file cannot be read. The text is
// Cannot open file "<full path>". <system's reason>
class FileOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Compares two texts, ignoring the letter case of A-Z.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// Splits text at CR, LF or CR LF. Nothing is trimmed and empty lines are kept;
// a final line break does not start another line. A UTF-8 byte-order mark at the
// very start is dropped, as text editors may write one.
TextLines SplitLines(std::string_view text);

// Reads a whole file with SplitLines. The path is resolved against the current
// working directory. Throws FileOpenError when the file cannot be opened or read.
TextLines LoadTextLines(const std::string& path);

} // namespace korvo
