#pragma once
// Reading whole numbers from text typed by users or written in start-up files.

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvo {

// Reads a signed 32-bit whole number: optional leading blanks, an optional "+" or
// "-", then decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X".
// Anything else (an empty text, a trailing blank, a stray character) gives nothing.
// Decimal numbers must lie in -2147483648..2147483647. Hexadecimal numbers may use
// all 32 bits; "$FFFFFFFF" reads as -1, as the bit pattern says.
std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

// ParseWholeNumber, or the fallback when the text is not a whole number.
std::int32_t WholeNumberOr(std::string_view text, std::int32_t fallback);

// Removes leading and trailing blanks and control characters (bytes up to 0x20).
std::string_view TrimBlanksAndControls(std::string_view text);

} // namespace korvo
