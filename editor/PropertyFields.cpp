#include "editor/PropertyFields.h"

#include "editor/ControlIndex.h"

namespace korvo {

std::int32_t* GroupChannelField(TSceneRecord& r, int controlIndex)
{
    const ControlRef c = ControlAt(controlIndex);
    return c.kind == KindGroup ? &r.MIDICh[c.element] : nullptr;
}

std::int32_t* KnobOrSliderField(TSceneRecord& r, int controlIndex, KnobField field)
{
    const ControlRef c = ControlAt(controlIndex);
    const bool knob = c.kind == KindKnob;
    if (!knob && c.kind != KindSlider)
        return nullptr;
    switch (field) {
    case KnobField::Enable:
        return knob ? &r.KonbEnable[c.element] : &r.SliderEnable[c.element];
    case KnobField::CCNumber:
        return knob ? &r.KonbCCNumber[c.element] : &r.SliderCCNumber[c.element];
    case KnobField::URValue:
        return knob ? &r.KonbURValue[c.element] : &r.SliderURValue[c.element];
    case KnobField::LLValue:
        return knob ? &r.KonbLLValue[c.element] : &r.SliderLLValue[c.element];
    }
    return nullptr;
}

std::int32_t* PadFieldAt(TSceneRecord& r, int controlIndex, PadField field)
{
    const ControlRef c = ControlAt(controlIndex);
    if (c.kind != KindPad)
        return nullptr;
    switch (field) {
    case PadField::AssignType:
        return &r.PadAssignType[c.element];
    case PadField::CCNumber:
        return &r.PadCCNumber[c.element];
    case PadField::ONValue:
        return &r.PadONValue[c.element];
    case PadField::OFFValue:
        return &r.PadOFFValue[c.element];
    case PadField::Behavior:
        return &r.PadBehavior[c.element];
    case PadField::MIDICh:
        return &r.PadMIDICh[c.element];
    }
    return nullptr;
}

std::int32_t* KeyFieldAt(TSceneRecord& r, int controlIndex, KeyField field)
{
    const ControlRef c = ControlAt(controlIndex);
    if (c.kind != KindKey)
        return nullptr;
    switch (field) {
    case KeyField::AssignType:
        return &r.KeyAssignType[c.element];
    case KeyField::CCNumber:
        return &r.KeyCCNumber[c.element];
    case KeyField::ONValue:
        return &r.KeyONValue[c.element];
    case KeyField::OFFValue:
        return &r.KeyOFFValue[c.element];
    case KeyField::Behavior:
        return &r.KeyBehavior[c.element];
    }
    return nullptr;
}

} // namespace korvo
