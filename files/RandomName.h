#pragma once
// Random text for names of temporary and per-process files.

#include <string>

namespace korvo {

// Eight random lowercase hexadecimal digits.
std::string RandomHexDigits();

} // namespace korvo
