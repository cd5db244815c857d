#include "editor/PadNumberEntry.h"

#include "scene/WholeNumber.h"

#include <algorithm>

namespace korvo {

std::string PadNumberText(std::int64_t number, int mode, const NoteNames& notes)
{
    if (mode == PadModeControlChange)
        return std::to_string(number);
    if (mode == PadModeNote)
        return NoteName(notes, number).value_or(std::to_string(number));
    return {};
}

std::string StepPadNumber(std::string_view text, int mode, int step, const NoteNames& notes)
{
    if (mode == PadModeControlChange) {
        const std::int64_t n = std::int64_t{WholeNumberOr(text, 0)} + step;
        return std::to_string(std::clamp<std::int64_t>(n, 0, 127));
    }
    if (mode == PadModeNote) {
        const int n = std::clamp(NoteNumber(notes, text) + step, 0, 119);
        return PadNumberText(n, mode, notes);
    }
    return {};
}

std::int32_t ReadPadNumber(std::string_view text, int mode, const NoteNames& notes)
{
    const std::string_view trimmed = TrimBlanksAndControls(text);
    if (mode == PadModeControlChange)
        return WholeNumberOr(trimmed, 0);
    const int position = NoteNumber(notes, trimmed);
    if (position >= 0)
        return position;
    return WholeNumberOr(trimmed, 0);
}

bool PadNumberUnderstood(std::string_view text, int mode, const NoteNames& notes)
{
    const std::string_view trimmed = TrimBlanksAndControls(text);
    if (mode == PadModeControlChange)
        return ParseWholeNumber(trimmed).has_value();
    if (mode == PadModeNote)
        return NoteNumber(notes, trimmed) >= 0 || ParseWholeNumber(trimmed).has_value();
    return true;
}

std::string PadNumberAccepted(int mode, const NoteNames& notes)
{
    if (mode == PadModeControlChange)
        return "A control-change number: decimal (0 to 127) or hexadecimal ($7F, 0x7F).";
    if (mode != PadModeNote)
        return {};
    std::string names = "a note name as listed in NotePara.ini";
    if (!notes.empty())
        names = "a note name from " + notes.front() + " to " + notes.back() + " as listed in NotePara.ini";
    return "Either " + names + ", in capitals or not, or a note number.";
}

} // namespace korvo
