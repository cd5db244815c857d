#pragma once
// Every numeric field of a scene in one table: where it lies in the record and in
// the device image, which control it belongs to, and the names it goes by (the
// panel caption and the key of the JSON form). Packing, the naming of image
// places, the dump, the diff and the JSON form all read this table.

#include "scene/SceneRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace korvo {

enum class ControlKind { Common, Group, Knob, Slider, Pad, Key };

struct ControlKindInfo {
    ControlKind kind;
    const char* entryPrefix; // control-list entry "<prefix>-<n>"; "Common" has no number
    int count;               // controls of the kind
    const char* jsonArray;   // the scene's array of such controls in the JSON form
    const char* jsonNumber;  // the key that numbers a control inside that array
};

inline constexpr std::array<ControlKindInfo, 6> ControlKinds = {{
    {ControlKind::Common, "Common", 1, "", "scene"},
    {ControlKind::Group, "Group Common", GroupCount, "groups", "group"},
    {ControlKind::Knob, "Knob", KnobCount, "knobs", "knob"},
    {ControlKind::Slider, "Slider", SliderCount, "sliders", "slider"},
    {ControlKind::Pad, "Trigger Pad", PadCount, "pads", "pad"},
    {ControlKind::Key, "Key", KeyCount, "keys", "key"},
}};

constexpr const ControlKindInfo& KindInfo(ControlKind kind) { return ControlKinds[static_cast<std::size_t>(kind)]; }

// "Common", or "Knob-3" for element 2 of the knobs.
std::string ControlName(ControlKind kind, int element);

// How a stored value is shown by the editor, and which stored values it offers.
enum class ValueForm {
    Number,        // the number itself; 0..127 offered
    SceneChannel,  // channel 1..16 stored as 0..15
    Channel,       // channel 1..16 stored as 0..15, 16 "Global"
    BendSpeed,     // shown 1..4, stored shown - 1
    Transpose,     // shown -12..+12, stored shown + 13
    VelocityCurve, // list position: Light, Normal, Heavy, Const
    Enable,        // list position: Disable, Enable
    Behavior,      // list position: Momentary, Toggle
    PadAssign,     // list position: No Assign, Control Change, Note
    PadNumber,     // CC number 0..127, or with assign type Note a note number shown by name
};

struct SceneField {
    const char* recordName;   // the field's name in TSceneRecord and DefPara.ini
    std::size_t recordOffset; // byte offset of element 0 in the record
    int count;                // elements, one per control of the kind
    ControlKind control;
    int imageOffset; // first byte in the 229-byte scene image
    const char* caption; // the property panel's caption
    const char* jsonKey;
    ValueForm form;
};

#define KORVO_FIELD(name, kind, image, caption, key, form)                                                            \
    SceneField{#name, offsetof(TSceneRecord, name), sizeof(TSceneRecord::name) / sizeof(std::int32_t),              \
               ControlKind::kind, image, caption, key, ValueForm::form}

// In record order; within a control kind, the order of its property panel.
inline constexpr std::array<SceneField, 28> SceneFields = {{
    KORVO_FIELD(SceneMIDICh, Common, 12, "Global MIDI Ch", "globalMidiChannel", SceneChannel),
    KORVO_FIELD(PianoKeyCh, Common, 13, "Piano Key CC# Ch", "keyMidiChannel", Channel),
    KORVO_FIELD(BendSpeed, Common, 14, "Pitch Bend Speed", "bendSpeed", BendSpeed),
    KORVO_FIELD(KeyTrans, Common, 15, "Key Transpose", "transpose", Transpose),
    KORVO_FIELD(KeyVelocityCurve, Common, 16, "Key Velocity Curve", "keyVelocityCurve", VelocityCurve),
    KORVO_FIELD(KeyConstVelocity, Common, 17, "Key Const Velocity", "keyConstVelocity", Number),
    KORVO_FIELD(PadVelocityCurve, Common, 18, "Pad Velocity Curve", "padVelocityCurve", VelocityCurve),
    KORVO_FIELD(PadConstVelocity, Common, 19, "Pad Const Velocity", "padConstVelocity", Number),
    KORVO_FIELD(MIDICh, Group, 145, "MIDI Channel", "midiChannel", Channel),
    KORVO_FIELD(KonbEnable, Knob, 149, "Enable", "enable", Enable),
    KORVO_FIELD(KonbCCNumber, Knob, 153, "CC Number", "ccNumber", Number),
    KORVO_FIELD(KonbURValue, Knob, 157, "Upper/Right Value", "upperRightValue", Number),
    KORVO_FIELD(KonbLLValue, Knob, 161, "Lower/Left Value", "lowerLeftValue", Number),
    KORVO_FIELD(SliderEnable, Slider, 165, "Enable", "enable", Enable),
    KORVO_FIELD(SliderCCNumber, Slider, 169, "CC Number", "ccNumber", Number),
    KORVO_FIELD(SliderURValue, Slider, 173, "Upper/Right Value", "upperRightValue", Number),
    KORVO_FIELD(SliderLLValue, Slider, 177, "Lower/Left Value", "lowerLeftValue", Number),
    KORVO_FIELD(KeyAssignType, Key, 20, "Assign Type", "assignType", Enable),
    KORVO_FIELD(KeyCCNumber, Key, 70, "CC/Note Number", "ccNumber", Number),
    KORVO_FIELD(KeyONValue, Key, 95, "ON Value", "onValue", Number),
    KORVO_FIELD(KeyOFFValue, Key, 120, "OFF Value", "offValue", Number),
    KORVO_FIELD(KeyBehavior, Key, 45, "Key Behavior", "behavior", Behavior),
    KORVO_FIELD(PadAssignType, Pad, 181, "Assign Type", "assignType", PadAssign),
    KORVO_FIELD(PadCCNumber, Pad, 189, "CC/Note Number", "ccNumber", PadNumber),
    KORVO_FIELD(PadONValue, Pad, 213, "ON Value", "onValue", Number),
    KORVO_FIELD(PadOFFValue, Pad, 221, "OFF Value", "offValue", Number),
    KORVO_FIELD(PadBehavior, Pad, 205, "Pad Behavior", "behavior", Behavior),
    KORVO_FIELD(PadMIDICh, Pad, 197, "MIDI Channel", "midiChannel", Channel),
}};

#undef KORVO_FIELD

// The name block's parts, which have no place in the table above.
inline constexpr const char* SceneNameCaption = "Scene Name";
inline constexpr const char* SceneNameJsonKey = "name";

// The fields of one control kind, in table order.
std::span<const SceneField> FieldsOf(ControlKind kind);

inline std::int32_t FieldValue(const TSceneRecord& r, const SceneField& f, int element)
{
    std::int32_t v;
    std::memcpy(&v, reinterpret_cast<const unsigned char*>(&r) + f.recordOffset + 4u * static_cast<unsigned>(element),
                sizeof v);
    return v;
}

inline void SetFieldValue(TSceneRecord& r, const SceneField& f, int element, std::int32_t v)
{
    std::memcpy(reinterpret_cast<unsigned char*>(&r) + f.recordOffset + 4u * static_cast<unsigned>(element), &v,
                sizeof v);
}

} // namespace korvo
