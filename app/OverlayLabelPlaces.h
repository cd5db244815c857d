#pragma once
// Where the 45 overlay labels sit, in the main window's client coordinates, in
// control-list order (Label31 for "Group Common-1" to Label75 for "Key-25"). The
// window places its labels from this table and the controller picture draws its
// knobs, sliders, pads and keys under them from the same table.

#include <array>

namespace korvo {

struct OverlayLabelPlace {
    int left, top, width, height;
    bool lime; // lime text (on dark controls); black text otherwise
};

namespace overlay_detail {

constexpr int ColumnLefts[4] = {168, 226, 285, 343}; // knob, slider and group k
constexpr int PadLefts[4] = {404, 488, 573, 658};
constexpr int PadWidths[4] = {65, 66, 66, 65};
constexpr int KeyLefts[25] = {71,  88,  114, 139, 158, 201, 217, 244, 265, 288, 314, 331, 375,
                              393, 418, 443, 462, 505, 521, 549, 570, 592, 619, 635, 679};
constexpr bool BlackKeys[25] = {false, true,  false, true,  false, false, true,  false, true,
                                false, true,  false, false, true,  false, true,  false, false,
                                true,  false, true,  false, true,  false, false};

constexpr std::array<OverlayLabelPlace, 45> Build()
{
    std::array<OverlayLabelPlace, 45> p{};
    for (int c = 0; c < 4; ++c) {
        p[c] = {ColumnLefts[c], 139, 46, 36, true};      // groups
        p[4 + c] = {ColumnLefts[c], 40, 46, 36, true};   // knobs
        p[8 + c] = {ColumnLefts[c], 96, 46, 36, true};   // sliders
        p[12 + c] = {PadLefts[c], 43, PadWidths[c], 46, false};  // pads 1-4
        p[16 + c] = {PadLefts[c], 104, PadWidths[c], 46, false}; // pads 5-8
    }
    for (int k = 0; k < 25; ++k)
        p[20 + k] = BlackKeys[k] ? OverlayLabelPlace{KeyLefts[k], 202, 42, 48, true}
                                 : OverlayLabelPlace{KeyLefts[k], 279, 39, 49, false};
    return p;
}

} // namespace overlay_detail

inline constexpr std::array<OverlayLabelPlace, 45> OverlayLabelPlaces = overlay_detail::Build();

// Index of a control's label in OverlayLabelPlaces.
constexpr int GroupLabelIndex(int k) { return k; }
constexpr int KnobLabelIndex(int k) { return 4 + k; }
constexpr int SliderLabelIndex(int k) { return 8 + k; }
constexpr int PadLabelIndex(int k) { return 12 + k; }
constexpr int KeyLabelIndex(int k) { return 20 + k; }

// Whether key k (0 = Key-1) is a black key.
constexpr bool IsBlackKey(int k) { return overlay_detail::BlackKeys[k]; }

} // namespace korvo
