#pragma once
// The control list's entries: 0 "Common", then the groups, knobs, sliders, pads and
// keys in that order (1-4, 5-8, 9-12, 13-20, 21-45). The overlay label of entry i
// (1..45) is Label<30 + i>. Everything here follows from the kinds and fields of
// scene/SceneFields.h.

#include "scene/SceneFields.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

namespace korvo {

// The kinds that have entries of their own, in list order.
inline constexpr ControlKind ListedKinds[] = {ControlKind::Group, ControlKind::Knob, ControlKind::Slider,
                                              ControlKind::Pad, ControlKind::Key};

// A kind's run in the record: `fields` arrays of the kind's count of elements,
// lying back to back from the byte offset `first` on.
struct ControlRun {
    std::size_t first;
    int fields;
};

constexpr ControlRun RunOf(ControlKind kind)
{
    ControlRun run{sizeof(TSceneRecord), 0};
    for (const SceneField& f : SceneFields)
        if (f.control == kind) {
            run.first = f.recordOffset < run.first ? f.recordOffset : run.first;
            ++run.fields;
        }
    return run;
}

// The number of 32-bit values one kind's whole run holds (its clipboard block).
constexpr int RunSize(ControlKind kind)
{
    return RunOf(kind).fields * KindInfo(kind).count;
}

constexpr int ControlsInList()
{
    int n = 0;
    for (ControlKind k : ListedKinds)
        n += KindInfo(k).count;
    return n;
}

inline constexpr int OverlayLabelCount = ControlsInList(); // one label per control
inline constexpr int ControlEntryCount = 1 + OverlayLabelCount;
inline constexpr int FirstLabelNumber = 31;

// The list entry of a kind's first control.
constexpr int FirstEntryOf(ControlKind kind)
{
    int entry = 1;
    for (ControlKind k : ListedKinds) {
        if (k == kind)
            return entry;
        entry += KindInfo(k).count;
    }
    return 0;
}

struct ControlRef {
    ControlKind kind; // Common also for an index outside the list
    int element;      // index into the kind's record arrays; -1 for "Common" and outside
};

constexpr ControlRef ControlAt(int index)
{
    int entry = 1;
    for (ControlKind k : ListedKinds) {
        if (index >= entry && index < entry + KindInfo(k).count)
            return {k, index - entry};
        entry += KindInfo(k).count;
    }
    return {ControlKind::Common, -1};
}

// Each kind's run covers its arrays exactly, and the runs do not overlap.
static_assert(ControlEntryCount == 46);
static_assert(FirstEntryOf(ControlKind::Key) == 21 && ControlAt(45).kind == ControlKind::Key);
static_assert(RunOf(ControlKind::Knob).first + sizeof(std::int32_t) * RunSize(ControlKind::Knob) ==
              RunOf(ControlKind::Slider).first);
static_assert(RunOf(ControlKind::Slider).first + sizeof(std::int32_t) * RunSize(ControlKind::Slider) ==
              RunOf(ControlKind::Key).first);
static_assert(RunOf(ControlKind::Key).first + sizeof(std::int32_t) * RunSize(ControlKind::Key) ==
              RunOf(ControlKind::Pad).first);
static_assert(RunOf(ControlKind::Pad).first + sizeof(std::int32_t) * RunSize(ControlKind::Pad) == sizeof(TSceneRecord));
static_assert(RunOf(ControlKind::Group).first == offsetof(TSceneRecord, MIDICh) && RunOf(ControlKind::Group).fields == 1);

// The element `element` of array `field` of the kind's run in a record.
template <class Record>
auto* RunElement(Record& r, ControlKind kind, int field, int element)
{
    using Byte = std::conditional_t<std::is_const_v<Record>, const unsigned char, unsigned char>;
    using Value = std::conditional_t<std::is_const_v<Record>, const std::int32_t, std::int32_t>;
    return reinterpret_cast<Value*>(reinterpret_cast<Byte*>(&r) + RunOf(kind).first) + field * KindInfo(kind).count +
           element;
}

// The text of control-list entry i (0..45).
std::string ControlEntryName(int index);

} // namespace korvo
