#pragma once
// The control list's entries: 0 "Common", then the groups, knobs, sliders, pads and
// keys in that order (1-4, 5-8, 9-12, 13-20, 21-45). The overlay label of entry i
// (1..45) is Label<30 + i>. Everything here follows from the control map below.

#include "scene/SceneRecord.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

namespace korvo {

enum class ControlKind : std::int32_t { Common = 0, Group = 1, Knob = 2, Slider = 3, Pad = 4, Key = 5 };

// One kind of control: its entries in the list and its run in the record, which is
// `fields` arrays of `count` elements lying back to back from `run` on.
struct ControlKindInfo {
    ControlKind kind;
    const char* entryPrefix; // the list entry is the prefix and the number from 1
    int count;
    std::size_t run;
    int fields;
};

inline constexpr ControlKindInfo ControlMap[] = {
    {ControlKind::Group, "Group Common-", GroupCount, offsetof(TSceneRecord, MIDICh), 1},
    {ControlKind::Knob, "Knob-", KnobCount, offsetof(TSceneRecord, KonbEnable), 4},
    {ControlKind::Slider, "Slider-", SliderCount, offsetof(TSceneRecord, SliderEnable), 4},
    {ControlKind::Pad, "Trigger Pad-", PadCount, offsetof(TSceneRecord, PadAssignType), 6},
    {ControlKind::Key, "Key-", KeyCount, offsetof(TSceneRecord, KeyAssignType), 5},
};

constexpr int ControlsInMap()
{
    int n = 0;
    for (const auto& k : ControlMap)
        n += k.count;
    return n;
}

inline constexpr int OverlayLabelCount = ControlsInMap(); // one label per control
inline constexpr int ControlEntryCount = 1 + OverlayLabelCount;
inline constexpr int FirstLabelNumber = 31;

// The map entry of a kind other than Common.
constexpr const ControlKindInfo& InfoOf(ControlKind kind)
{
    for (const auto& k : ControlMap)
        if (k.kind == kind)
            return k;
    return ControlMap[0];
}

// The list entry of a kind's first control.
constexpr int FirstEntryOf(ControlKind kind)
{
    int entry = 1;
    for (const auto& k : ControlMap) {
        if (k.kind == kind)
            return entry;
        entry += k.count;
    }
    return 0;
}

// The number of 32-bit values one kind's whole run holds (its clipboard block).
constexpr int RunSize(ControlKind kind)
{
    return InfoOf(kind).fields * InfoOf(kind).count;
}

struct ControlRef {
    ControlKind kind; // Common also for an index outside the list
    int element;      // index into the kind's record arrays; -1 for "Common" and outside
};

constexpr ControlRef ControlAt(int index)
{
    int entry = 1;
    for (const auto& k : ControlMap) {
        if (index >= entry && index < entry + k.count)
            return {k.kind, index - entry};
        entry += k.count;
    }
    return {ControlKind::Common, -1};
}

// Each kind's run covers its arrays exactly, and the runs do not overlap.
static_assert(ControlEntryCount == 46);
static_assert(FirstEntryOf(ControlKind::Key) == 21 && ControlAt(45).kind == ControlKind::Key);
static_assert(InfoOf(ControlKind::Knob).run + sizeof(std::int32_t) * RunSize(ControlKind::Knob) ==
              offsetof(TSceneRecord, SliderEnable));
static_assert(InfoOf(ControlKind::Slider).run + sizeof(std::int32_t) * RunSize(ControlKind::Slider) ==
              offsetof(TSceneRecord, KeyAssignType));
static_assert(InfoOf(ControlKind::Key).run + sizeof(std::int32_t) * RunSize(ControlKind::Key) ==
              offsetof(TSceneRecord, PadAssignType));
static_assert(InfoOf(ControlKind::Pad).run + sizeof(std::int32_t) * RunSize(ControlKind::Pad) == sizeof(TSceneRecord));

// The element `element` of array `field` of the kind's run in a record.
template <class Record>
auto* RunElement(Record& r, ControlKind kind, int field, int element)
{
    using Byte = std::conditional_t<std::is_const_v<Record>, const unsigned char, unsigned char>;
    using Value = std::conditional_t<std::is_const_v<Record>, const std::int32_t, std::int32_t>;
    const ControlKindInfo& k = InfoOf(kind);
    return reinterpret_cast<Value*>(reinterpret_cast<Byte*>(&r) + k.run) + field * k.count + element;
}

// The text of control-list entry i (0..45).
std::string ControlEntryName(int index);

} // namespace korvo
