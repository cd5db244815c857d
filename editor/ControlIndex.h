#pragma once
// The control list's entries: 0 "Common", 1-4 groups, 5-8 knobs, 9-12 sliders,
// 13-20 pads, 21-45 keys. The overlay label of entry i (1..45) is Label<30 + i>.

#include <string>

namespace korvo {

enum SelectedKindValue { KindCommon = 0, KindGroup = 1, KindKnob = 2, KindSlider = 3, KindPad = 4, KindKey = 5 };

inline constexpr int ControlEntryCount = 46;
inline constexpr int OverlayLabelCount = 45;
inline constexpr int FirstLabelNumber = 31;

struct ControlRef {
    int kind;    // SelectedKindValue; KindCommon also for an index outside the list
    int element; // index into the kind's record arrays; -1 for "Common" and outside
};

constexpr ControlRef ControlAt(int index)
{
    if (index >= 1 && index <= 4)
        return {KindGroup, index - 1};
    if (index >= 5 && index <= 8)
        return {KindKnob, index - 5};
    if (index >= 9 && index <= 12)
        return {KindSlider, index - 9};
    if (index >= 13 && index <= 20)
        return {KindPad, index - 13};
    if (index >= 21 && index <= 45)
        return {KindKey, index - 21};
    return {KindCommon, -1};
}

// The text of control-list entry i (0..45).
std::string ControlEntryName(int index);

} // namespace korvo
