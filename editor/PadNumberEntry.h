#pragma once
// The pad number box: one text that is a control-change number or a note name,
// depending on the pad's assign type (1 Control Change, 2 Note).

#include "scene/NoteNames.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace korvo {

inline constexpr int PadModeControlChange = 1;
inline constexpr int PadModeNote = 2;

// The text a stored number is shown as: decimal for Control Change; for Note the
// name at that position, or the number in decimal when the note list has no such
// line. Empty for any other mode.
std::string PadNumberText(std::int64_t number, int mode, const NoteNames& notes);

// One step (+1 or -1) from the box's text. Control Change: from the number (0 if
// the text is none), kept within 0..127. Note: from the position of the name (-1 if
// the text names none), kept within 0..119. Any other mode: empty.
std::string StepPadNumber(std::string_view text, int mode, int step, const NoteNames& notes);

// The number stored for the box's text (trimmed). Control Change: the whole number,
// 0 if none. Note: the position of the name; a text that names no note but is a
// whole number stands for that number; anything else gives 0.
std::int32_t ReadPadNumber(std::string_view text, int mode, const NoteNames& notes);

// Whether ReadPadNumber understands the text rather than falling back to 0:
// Control Change, a whole number; Note, a note name or a whole number. Any other
// mode reads nothing and is always understood.
bool PadNumberUnderstood(std::string_view text, int mode, const NoteNames& notes);

// What the box accepts in a mode, in words for the user; empty for other modes.
std::string PadNumberAccepted(int mode, const NoteNames& notes);

} // namespace korvo
