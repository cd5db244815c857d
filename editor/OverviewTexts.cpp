#include "editor/OverviewTexts.h"

#include "editor/ListItems.h"

namespace korvo {

namespace {

std::string TwoLines(const char* prefix, long long value)
{
    return prefix + std::string(1, LineBreak) + std::to_string(value);
}

std::string KnobOrSlider(int mode, std::int32_t enable, std::int32_t cc, std::int32_t ur, std::int32_t ll)
{
    if (mode < 1 || mode > 4 || enable == 0)
        return NoValue;
    switch (mode) {
    case 1:
        return ItemAt(EnableItems, enable);
    case 2:
        return TwoLines("CC#", cc);
    case 3:
        return TwoLines("L/L", ll);
    default:
        return TwoLines("U/R", ur);
    }
}

} // namespace

std::string KnobText(const TSceneRecord& r, int mode, int k)
{
    return KnobOrSlider(mode, r.KonbEnable[k], r.KonbCCNumber[k], r.KonbURValue[k], r.KonbLLValue[k]);
}

std::string SliderText(const TSceneRecord& r, int mode, int k)
{
    return KnobOrSlider(mode, r.SliderEnable[k], r.SliderCCNumber[k], r.SliderURValue[k], r.SliderLLValue[k]);
}

std::string PadText(const TSceneRecord& r, int mode, int k, const NoteNames& notes)
{
    const std::int32_t type = r.PadAssignType[k];
    switch (mode) {
    case 0:
        return ItemAt(ChannelItems, r.PadMIDICh[k]);
    case 1:
        return ItemAt(PadAssignItems, type);
    case 2:
        if (type == 1)
            return TwoLines("CC#", r.PadCCNumber[k]);
        if (type == 2) {
            // A number the note list does not name is shown as the number.
            const auto name = NoteName(notes, r.PadCCNumber[k]);
            return std::string("Note") + LineBreak + name.value_or(std::to_string(r.PadCCNumber[k]));
        }
        return NoValue;
    case 5:
        return type == 0 ? NoValue : ItemAt(BehaviorItems, r.PadBehavior[k]).substr(0, 6);
    case 6:
        return type == 1 ? TwoLines("OFF", r.PadOFFValue[k]) : NoValue;
    case 7:
        return type == 1 ? TwoLines("ON", r.PadONValue[k]) : NoValue;
    default:
        return NoValue;
    }
}

std::string KeyText(const TSceneRecord& r, int mode, int k)
{
    if (r.KeyAssignType[k] == 0)
        return NoValue;
    switch (mode) {
    case 1:
        return "CC";
    case 2:
        return TwoLines("CC#", r.KeyCCNumber[k]);
    case 5:
        return ItemAt(BehaviorItems, r.KeyBehavior[k]).substr(0, 4);
    case 6:
        return TwoLines("OFF", r.KeyOFFValue[k]);
    case 7:
        return TwoLines("ON", r.KeyONValue[k]);
    default:
        return NoValue;
    }
}

std::string GroupText(const TSceneRecord& r, int g)
{
    return ItemAt(ChannelItems, r.MIDICh[g]);
}

OverviewTexts ComputeOverview(const SceneBank& bank, int mode, const NoteNames& notes)
{
    OverviewTexts t;
    for (int s = 0; s < SceneCount; ++s)
        t.sceneButtons[static_cast<std::size_t>(s)] = SceneNameText(bank.Scenes[static_cast<std::size_t>(s)]);

    const TSceneRecord& r = bank.Current();
    std::size_t label = 0;
    for (int g = 0; g < GroupCount; ++g)
        t.labels[label++] = GroupText(r, g);
    if (mode < 0 || mode > 7)
        return t;
    for (int k = 0; k < KnobCount; ++k)
        t.labels[label++] = KnobText(r, mode, k);
    for (int k = 0; k < SliderCount; ++k)
        t.labels[label++] = SliderText(r, mode, k);
    for (int k = 0; k < PadCount; ++k)
        t.labels[label++] = PadText(r, mode, k, notes);
    for (int k = 0; k < KeyCount; ++k)
        t.labels[label++] = KeyText(r, mode, k);
    return t;
}

} // namespace korvo
