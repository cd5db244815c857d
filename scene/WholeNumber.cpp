#include "scene/WholeNumber.h"

namespace korvo {

namespace {

int DigitValue(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

} // namespace

std::optional<std::int32_t> ParseWholeNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }

    if (i == text.size())
        return std::nullopt;

    // Decimal: magnitude up to 2^31 (for the minimum). Hexadecimal: 32 bits.
    const std::uint64_t limit = base == 10 ? (negative ? 0x80000000ull : 0x7FFFFFFFull) : 0xFFFFFFFFull;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (magnitude > limit)
            return std::nullopt;
    }

    auto bits = static_cast<std::uint32_t>(magnitude);
    if (negative)
        bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

std::int32_t WholeNumberOr(std::string_view text, std::int32_t fallback)
{
    return ParseWholeNumber(text).value_or(fallback);
}

std::string_view TrimBlanksAndControls(std::string_view text)
{
    auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isTrimmed(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isTrimmed(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace korvo
