#include "scene/TextLines.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace korvo {

bool SameTextIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

TextLines SplitLines(std::string_view text)
{
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (text.starts_with(bom))
        text.remove_prefix(bom.size());

    TextLines lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(pos));
            break;
        }
        lines.emplace_back(text.substr(pos, end - pos));
        pos = end + 1;
        if (text[end] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return lines;
}

namespace {

std::string FullPath(const std::string& path)
{
    std::error_code ec;
    auto full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
}

[[noreturn]] void ThrowOpenError(const std::string& path, int error)
{
    throw FileOpenError("Cannot open file \"" + FullPath(path) + "\". " + std::strerror(error));
}

} // namespace

TextLines LoadTextLines(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        ThrowOpenError(path, EISDIR);

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        ThrowOpenError(path, errno ? errno : ENOENT);

    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        ThrowOpenError(path, errno ? errno : EIO);
    return SplitLines(text);
}

} // namespace korvo
