#include "editor/OverviewTexts.h"

#include "editor/ListItems.h"

namespace korvo {

namespace {

std::string TwoLines(const char* prefix, long long value)
{
    return prefix + std::string(1, LineBreak) + std::to_string(value);
}

std::string KnobOrSlider(DisplayMode mode, std::int32_t enable, std::int32_t cc, std::int32_t ur, std::int32_t ll)
{
    if (enable == 0)
        return NoValue;
    switch (mode) {
    case DisplayMode::AssignType:
        return ItemAt(EnableItems, enable);
    case DisplayMode::CCNoteNumber:
        return TwoLines("CC#", cc);
    case DisplayMode::LowerLeftValue:
        return TwoLines("L/L", ll);
    case DisplayMode::UpperRightValue:
        return TwoLines("U/R", ur);
    default:
        return NoValue;
    }
}

} // namespace

std::string KnobText(const TSceneRecord& r, DisplayMode mode, int k)
{
    return KnobOrSlider(mode, r.KonbEnable[k], r.KonbCCNumber[k], r.KonbURValue[k], r.KonbLLValue[k]);
}

std::string SliderText(const TSceneRecord& r, DisplayMode mode, int k)
{
    return KnobOrSlider(mode, r.SliderEnable[k], r.SliderCCNumber[k], r.SliderURValue[k], r.SliderLLValue[k]);
}

std::string PadText(const TSceneRecord& r, DisplayMode mode, int k, const NoteNames& notes)
{
    const std::int32_t type = r.PadAssignType[k];
    switch (mode) {
    case DisplayMode::MIDIChannel:
        return ItemAt(ChannelItems, r.PadMIDICh[k]);
    case DisplayMode::AssignType:
        return ItemAt(PadAssignItems, type);
    case DisplayMode::CCNoteNumber:
        if (type == ItemOf(PadAssignType::ControlChange))
            return TwoLines("CC#", r.PadCCNumber[k]);
        if (type == ItemOf(PadAssignType::Note)) {
            // A number the note list does not name is shown as the number.
            const auto name = NoteName(notes, r.PadCCNumber[k]);
            return std::string("Note") + LineBreak + name.value_or(std::to_string(r.PadCCNumber[k]));
        }
        return NoValue;
    case DisplayMode::ButtonBehavior:
        return type == ItemOf(PadAssignType::NoAssign) ? NoValue : ItemAt(BehaviorItems, r.PadBehavior[k]).substr(0, 6);
    case DisplayMode::OffValue:
        return type == ItemOf(PadAssignType::ControlChange) ? TwoLines("OFF", r.PadOFFValue[k]) : NoValue;
    case DisplayMode::OnValue:
        return type == ItemOf(PadAssignType::ControlChange) ? TwoLines("ON", r.PadONValue[k]) : NoValue;
    default:
        return NoValue;
    }
}

std::string KeyText(const TSceneRecord& r, DisplayMode mode, int k)
{
    if (r.KeyAssignType[k] == 0)
        return NoValue;
    switch (mode) {
    case DisplayMode::AssignType:
        return "CC";
    case DisplayMode::CCNoteNumber:
        return TwoLines("CC#", r.KeyCCNumber[k]);
    case DisplayMode::ButtonBehavior:
        return ItemAt(BehaviorItems, r.KeyBehavior[k]).substr(0, 4);
    case DisplayMode::OffValue:
        return TwoLines("OFF", r.KeyOFFValue[k]);
    case DisplayMode::OnValue:
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
    if (mode < 0 || mode >= static_cast<int>(DisplayModeItems.size()))
        return t;
    const auto shown = static_cast<DisplayMode>(mode);
    for (int k = 0; k < KnobCount; ++k)
        t.labels[label++] = KnobText(r, shown, k);
    for (int k = 0; k < SliderCount; ++k)
        t.labels[label++] = SliderText(r, shown, k);
    for (int k = 0; k < PadCount; ++k)
        t.labels[label++] = PadText(r, shown, k, notes);
    for (int k = 0; k < KeyCount; ++k)
        t.labels[label++] = KeyText(r, shown, k);
    return t;
}

} // namespace korvo
