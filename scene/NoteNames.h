#pragma once
// NotePara.ini: line n names MIDI note number n.

#include "scene/TextLines.h"

#include <optional>
#include <string>
#include <string_view>

namespace korvo {

inline constexpr const char* NoteNamesFileName = "NotePara.ini";

using NoteNames = TextLines;

// The name of note number n, or nothing when the list has no line n.
std::optional<std::string> NoteName(const NoteNames& names, long long n);

// The position of the first line equal to the text, ignoring letter case;
// -1 when no line matches.
int NoteNumber(const NoteNames& names, std::string_view text);

} // namespace korvo
