#include "editor/PropertyBindings.h"

#include <array>
#include <cstring>

namespace korvo {

namespace {

using E = PropertyEditor;
using P = PropertyPanel;
using S = ShownForm;
using F = FillWay;
using R = EnableRule;

constexpr std::size_t None = 0;
constexpr std::span<const std::string_view> NoItems{};
constexpr std::span<const std::string_view> Channels{ChannelItems};
constexpr std::span<const std::string_view> Curves{VelocityCurveItems};
constexpr std::span<const std::string_view> Enables{EnableItems};
constexpr std::span<const std::string_view> Behaviors{BehaviorItems};
constexpr std::span<const std::string_view> PadAssigns{PadAssignItems};

// clang-format off
constexpr PropertyBinding Bindings[] = {
    // editor               widget                   undo step's field       panel   common field                                  run  shown          fill        range     offset rule         items
    {E::SceneName,         "EditSceneName",         "Scene Name",           P::Common, None,                                       0, S::Name,         F::Text,     0, 0,      0,  R::None,     NoItems},
    {E::SceneMIDICh,       "SelSceneMIDICh",        "Global MIDI Ch",       P::Common, offsetof(TSceneRecord, SceneMIDICh),        0, S::ListPosition, F::Position, 0, 0,      0,  R::None,     SceneChannelItems},
    {E::PianoKeyCh,        "SelPianoKeyCh",         "Piano Key CC# Ch",     P::Common, offsetof(TSceneRecord, PianoKeyCh),         0, S::ListPosition, F::Position, 0, 0,      0,  R::None,     Channels},
    {E::BendSpeed,         "EditBendSpeed",         "Pitch Bend Speed",     P::Common, offsetof(TSceneRecord, BendSpeed),          0, S::Number,       F::Text,     1, 4,      1,  R::None,     NoItems},
    {E::KeyTrans,          "EditKeyTrans",          "Key Transpose",        P::Common, offsetof(TSceneRecord, KeyTrans),           0, S::Number,       F::Value,  -12, 12,  -13,  R::None,     NoItems},
    {E::KeyVelocityCurve,  "SelKeyVelocityCurve",   "Key Velocity Curve",   P::Common, offsetof(TSceneRecord, KeyVelocityCurve),   0, S::ListPosition, F::Position, 0, 0,      0,  R::Velocity, Curves},
    {E::KeyConstVelocity,  "EditKeyConstVelocity",  "Key Const Velocity",   P::Common, offsetof(TSceneRecord, KeyConstVelocity),   0, S::Number,       F::Text,     0, 127,    0,  R::None,     NoItems},
    {E::PadVelocityCurve,  "SelPadVelocityCurve",   "Pad Velocity Curve",   P::Common, offsetof(TSceneRecord, PadVelocityCurve),   0, S::ListPosition, F::Position, 0, 0,      0,  R::Velocity, Curves},
    {E::PadConstVelocity,  "EditPadConstVelocity",  "Pad Const Velocity",   P::Common, offsetof(TSceneRecord, PadConstVelocity),   0, S::Number,       F::Text,     0, 127,    0,  R::None,     NoItems},
    {E::GroupMIDICh,       "SelMIDICh",             "MIDI Channel",         P::Group,  None,                                       0, S::ListPosition, F::Position, 0, 0,      0,  R::None,     Channels},
    {E::KnobEnable,        "SelKonbEnable",         "Enable",               P::KnobOrSlider, None,                                 0, S::ListPosition, F::Position, 0, 0,      0,  R::Knob,     Enables},
    {E::KnobCCNumber,      "EditKonbCCNumber",      "CC/Note Number",       P::KnobOrSlider, None,                                 1, S::Number,       F::Value,    0, 127,    0,  R::None,     NoItems},
    {E::KnobURValue,       "EditKonbURValue",       "Upper/Right Value",    P::KnobOrSlider, None,                                 2, S::Number,       F::Value,    0, 127,    0,  R::None,     NoItems},
    {E::KnobLLValue,       "EditKonbLLValue",       "Lower/Left Value",     P::KnobOrSlider, None,                                 3, S::Number,       F::Value,    0, 127,    0,  R::None,     NoItems},
    {E::PadAssignType,     "SelPadAssignType",      "Assign Type",          P::Pad,    None,                                       0, S::ListPosition, F::Position, 0, 0,      0,  R::Pad,      PadAssigns},
    {E::PadCCNumber,       "EditPadCCNumber",       "CC/Note Number",       P::Pad,    None,                                       1, S::PadNumber,    F::Text,     0, 0,      0,  R::None,     NoItems},
    {E::PadONValue,        "EditPadONValue",        "On Value",             P::Pad,    None,                                       2, S::Number,       F::Value,    0, 127,    0,  R::None,     NoItems},
    {E::PadOFFValue,       "EditPadOFFValue",       "Off Value",            P::Pad,    None,                                       3, S::Number,       F::Value,    0, 127,    0,  R::None,     NoItems},
    {E::PadBehavior,       "SelPadBehavior",        "Button Behavior",      P::Pad,    None,                                       4, S::ListPosition, F::Position, 0, 0,      0,  R::None,     Behaviors},
    {E::PadMIDICh,         "SelPadMIDICh",          "MIDI Channel",         P::Pad,    None,                                       5, S::ListPosition, F::Position, 0, 0,      0,  R::None,     Channels},
    {E::KeyAssignType,     "SelKeyAssignType",      "Assign Type",          P::Key,    None,                                       0, S::ListPosition, F::Position, 0, 0,      0,  R::Key,      Enables},
    {E::KeyCCNumber,       "EditKeyCCNumber",       "CC/Note Number",       P::Key,    None,                                       1, S::Number,       F::Value,    0, 127,    0,  R::None,     NoItems},
    {E::KeyONValue,        "EditKeyONValue",        "On Value",             P::Key,    None,                                       2, S::Number,       F::Value,    0, 127,    0,  R::None,     NoItems},
    {E::KeyOFFValue,       "EditKeyOFFValue",       "Off Value",            P::Key,    None,                                       3, S::Number,       F::Value,    0, 127,    0,  R::None,     NoItems},
    {E::KeyBehavior,       "SelKeyBehavior",        "Button Behavior",      P::Key,    None,                                       4, S::ListPosition, F::Position, 0, 0,      0,  R::None,     Behaviors},
};

constexpr PanelInfo Panels[] = {
    {P::Common, "PanelCommon", R::Velocity},
    {P::Group, "PanelGroup", R::None},
    {P::KnobOrSlider, "PanelKonb", R::Knob},
    {P::Pad, "PanelPad", R::Pad},
    {P::Key, "PanelKey", R::Key},
};
// clang-format on

// The rows stand in the order of the editors, so an editor finds its row directly;
// each panel's rows are together, and the record arrays named fit their runs.
constexpr bool TableIsInOrder()
{
    for (int i = 0; i < PropertyEditorCount; ++i) {
        const auto& b = Bindings[i];
        if (static_cast<int>(b.editor) != i)
            return false;
        if (i > 0 && static_cast<int>(b.panel) < static_cast<int>(Bindings[i - 1].panel))
            return false;
        if (b.panel != P::Common && b.runField >= RunOf(b.panel == P::Group ? ControlKind::Group
                                                        : b.panel == P::Pad ? ControlKind::Pad
                                                        : b.panel == P::Key ? ControlKind::Key
                                                                            : ControlKind::Knob)
                                                        .fields)
            return false;
    }
    return true;
}
static_assert(std::size(Bindings) == PropertyEditorCount && TableIsInOrder());

bool KindFits(PropertyPanel panel, ControlKind kind)
{
    return PanelOf(kind) == panel && kind != ControlKind::Common;
}

} // namespace

const PropertyBinding& BindingOf(PropertyEditor editor)
{
    return Bindings[static_cast<std::size_t>(editor)];
}

std::span<const PropertyBinding> AllBindings()
{
    return Bindings;
}

std::span<const PropertyBinding> PanelBindings(PropertyPanel panel)
{
    std::size_t first = 0;
    while (first < std::size(Bindings) && Bindings[first].panel != panel)
        ++first;
    std::size_t end = first;
    while (end < std::size(Bindings) && Bindings[end].panel == panel)
        ++end;
    return std::span<const PropertyBinding>(Bindings).subspan(first, end - first);
}

const PanelInfo& PanelInfoOf(PropertyPanel panel)
{
    return Panels[static_cast<std::size_t>(panel)];
}

std::span<const PanelInfo> AllPanels()
{
    return Panels;
}

PropertyPanel PanelOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Group:
        return P::Group;
    case ControlKind::Knob:
    case ControlKind::Slider:
        return P::KnobOrSlider;
    case ControlKind::Pad:
        return P::Pad;
    case ControlKind::Key:
        return P::Key;
    default:
        return P::Common;
    }
}

const std::int32_t* BoundField(const TSceneRecord& r, const PropertyBinding& b, int controlIndex)
{
    if (b.form == S::Name)
        return nullptr;
    if (b.panel == P::Common)
        return reinterpret_cast<const std::int32_t*>(reinterpret_cast<const unsigned char*>(&r) + b.commonField);
    const ControlRef c = ControlAt(controlIndex);
    if (!KindFits(b.panel, c.kind))
        return nullptr;
    return RunElement(r, c.kind, b.runField, c.element);
}

std::int32_t* BoundField(TSceneRecord& r, const PropertyBinding& b, int controlIndex)
{
    return const_cast<std::int32_t*>(BoundField(static_cast<const TSceneRecord&>(r), b, controlIndex));
}

std::int64_t ShownNumber(const PropertyBinding& b, std::int32_t stored)
{
    if (b.fill == F::Text)
        return WrappedSum(stored, b.shownOffset);
    return std::int64_t{stored} + b.shownOffset;
}

std::int32_t StoredNumber(const PropertyBinding& b, std::int64_t shown)
{
    return WrappedSum(shown, -std::int64_t{b.shownOffset});
}

bool StoreProperty(TSceneRecord& r, const PropertyBinding& b, int controlIndex, const StoredValue& value)
{
    const TSceneRecord before = r;
    if (b.form == S::Name) {
        if (const auto* name = std::get_if<std::string>(&value))
            StoreSceneName(r, *name);
    } else if (const auto* number = std::get_if<std::int32_t>(&value)) {
        if (std::int32_t* field = BoundField(r, b, controlIndex))
            *field = *number;
    }
    return std::memcmp(&before, &r, sizeof r) != 0;
}

} // namespace korvo
