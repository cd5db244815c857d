#pragma once
// The fixed item lists of the window's drop-down lists and the control list. A
// stored list field holds the position of its item in these lists.

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace korvo {

// "1".."16", then "Global" at position 16.
inline constexpr std::array<std::string_view, 17> ChannelItems = {
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "Global"};
// The scene channel has no "Global".
inline constexpr std::span<const std::string_view> SceneChannelItems{ChannelItems.data(), 16};
inline constexpr std::array<std::string_view, 2> EnableItems = {"Disable", "Enable"};
inline constexpr std::array<std::string_view, 3> PadAssignItems = {"No Assign", "Control Change", "Note"};
inline constexpr std::array<std::string_view, 2> BehaviorItems = {"Momentary", "Toggle"};
inline constexpr std::array<std::string_view, 4> VelocityCurveItems = {"Light", "Normal", "Heavy", "Const"};
inline constexpr std::array<std::string_view, 8> DisplayModeItems = {
    "MIDI Channel",      "Assign Type",     "CC/Note Number", "Lower/Left Value",
    "Upper/Right Value", "Button Behavior", "Off Value",      "On Value"};

// The closed sets behind some lists; a stored field holds the item's position.
enum class PadAssignType { NoAssign = 0, ControlChange = 1, Note = 2 };
enum class VelocityCurve { Light = 0, Normal = 1, Heavy = 2, Const = 3 };
enum class DisplayMode {
    MIDIChannel = 0, AssignType, CCNoteNumber, LowerLeftValue, UpperRightValue, ButtonBehavior, OffValue, OnValue
};

// The list position of a value of one of these sets.
template <class E>
constexpr int ItemOf(E value)
{
    return static_cast<int>(value);
}

// The item at a stored position, or an empty text for a position outside the list.
inline std::string ItemAt(std::span<const std::string_view> items, long long position)
{
    if (position < 0 || position >= static_cast<long long>(items.size()))
        return {};
    return std::string(items[static_cast<std::size_t>(position)]);
}

} // namespace korvo
