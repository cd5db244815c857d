#include "editor/ControlClipboard.h"

#include "editor/ControlIndex.h"

#include <cstddef>
#include <cstring>

namespace korvo {

namespace {

// Each block is a run of the record: `fields` arrays of `count` elements starting
// at `first`.
void CopyBlock(std::int32_t* block, const std::int32_t* first, int fields, int count)
{
    std::memcpy(block, first, sizeof(std::int32_t) * static_cast<std::size_t>(fields * count));
}

void PasteElement(std::int32_t* first, const std::int32_t* block, int fields, int count, int from, int to)
{
    for (int f = 0; f < fields; ++f)
        first[f * count + to] = block[f * count + from];
}

struct Block {
    int fields;
    int count;
};

Block BlockOf(int kind)
{
    switch (kind) {
    case KindGroup:
        return {1, GroupCount};
    case KindKnob:
        return {4, KnobCount};
    case KindSlider:
        return {4, SliderCount};
    case KindPad:
        return {6, PadCount};
    default:
        return {5, KeyCount};
    }
}

template <class Record>
auto* RecordRun(Record& r, int kind)
{
    switch (kind) {
    case KindGroup:
        return r.MIDICh;
    case KindKnob:
        return r.KonbEnable;
    case KindSlider:
        return r.SliderEnable;
    case KindPad:
        return r.PadAssignType;
    default:
        return r.KeyAssignType;
    }
}

template <class Clipboard>
auto* ClipRun(Clipboard& c, int kind)
{
    switch (kind) {
    case KindGroup:
        return c.Group;
    case KindKnob:
        return c.Knob;
    case KindSlider:
        return c.Slider;
    case KindPad:
        return c.Pad;
    default:
        return c.Key;
    }
}

// The record's arrays of one kind lie back to back in the order of the blocks.
static_assert(offsetof(TSceneRecord, KonbCCNumber) == offsetof(TSceneRecord, KonbEnable) + 16);
static_assert(offsetof(TSceneRecord, SliderLLValue) == offsetof(TSceneRecord, SliderEnable) + 48);
static_assert(offsetof(TSceneRecord, PadMIDICh) == offsetof(TSceneRecord, PadAssignType) + 5 * 32);
static_assert(offsetof(TSceneRecord, KeyBehavior) == offsetof(TSceneRecord, KeyAssignType) + 4 * 100);

} // namespace

void CopyControl(ControlClipboard& clip, const TSceneRecord& r, int selectedKind, int controlIndex)
{
    clip.ClipboardKind = selectedKind;
    const ControlRef c = ControlAt(controlIndex);
    if (selectedKind < KindGroup || selectedKind > KindKey || c.kind != selectedKind)
        return;
    const Block b = BlockOf(selectedKind);
    CopyBlock(ClipRun(clip, selectedKind), RecordRun(r, selectedKind), b.fields, b.count);
    clip.ClipboardIndex = c.element + 1;
}

bool PasteControl(const ControlClipboard& clip, TSceneRecord& r, int selectedKind, int controlIndex)
{
    if (selectedKind != clip.ClipboardKind)
        return false;
    const ControlRef c = ControlAt(controlIndex);
    if (selectedKind < KindGroup || selectedKind > KindKey || c.kind != selectedKind)
        return true;
    const Block b = BlockOf(selectedKind);
    const int from = clip.ClipboardIndex - 1;
    if (from < 0 || from >= b.count)
        return true;
    PasteElement(RecordRun(r, selectedKind), ClipRun(clip, selectedKind), b.fields, b.count, from, c.element);
    return true;
}

} // namespace korvo
