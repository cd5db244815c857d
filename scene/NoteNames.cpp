#include "scene/NoteNames.h"

#include <algorithm>

namespace korvo {

std::optional<std::string> NoteName(const NoteNames& names, long long n)
{
    if (n < 0 || n >= static_cast<long long>(names.size()))
        return std::nullopt;
    return names[static_cast<std::size_t>(n)];
}

int NoteNumber(const NoteNames& names, std::string_view text)
{
    const auto it = std::find_if(names.begin(), names.end(),
                                 [text](const std::string& line) { return SameTextIgnoringCase(line, text); });
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

} // namespace korvo
