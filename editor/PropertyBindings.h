#pragma once
// What every editor of the property panels edits: one row per editor, in each
// panel's fill order. The window's fill and every store go through this table, and
// every store ends in StoreProperty, which says whether the record's bytes changed.

#include "editor/ControlIndex.h"
#include "editor/ListItems.h"
#include "scene/SceneRecord.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace korvo {

enum class PropertyEditor {
    SceneName, SceneMIDICh, PianoKeyCh, BendSpeed, KeyTrans, KeyVelocityCurve, KeyConstVelocity,
    PadVelocityCurve, PadConstVelocity,
    GroupMIDICh,
    KnobEnable, KnobCCNumber, KnobURValue, KnobLLValue,
    PadAssignType, PadCCNumber, PadONValue, PadOFFValue, PadBehavior, PadMIDICh,
    KeyAssignType, KeyCCNumber, KeyONValue, KeyOFFValue, KeyBehavior,
};
inline constexpr int PropertyEditorCount = static_cast<int>(PropertyEditor::KeyBehavior) + 1;

// The five panels; knobs and sliders share one.
enum class PropertyPanel { Common, Group, KnobOrSlider, Pad, Key };

// How a stored value is shown.
enum class ShownForm {
    ListPosition, // a drop-down list's item position
    Number,       // a spin box's whole number: stored + shownOffset
    Name,         // the scene name's characters
    PadNumber,    // a control-change number or a note name, by the pad's assign type
};

// How the fill sets the editor: a list's position, a spin box's clamped value, or
// the box's text as it comes.
enum class FillWay { Position, Value, Text };

// The enable rule an editor's change runs before storing (and a panel's fill after).
enum class EnableRule { None, Velocity, Knob, Pad, Key };

struct PropertyBinding {
    PropertyEditor editor;
    const char* objectName;     // the widget that edits it
    const char* fieldLabel;     // names the field in an undo step
    PropertyPanel panel;
    std::size_t commonField;    // Common panel: the field's offset in the record
    int runField;               // other panels: which array of the control's run
    ShownForm form;
    FillWay fill;
    int minimum, maximum;       // a spin box's range
    int shownOffset;            // shown = stored + shownOffset
    EnableRule rule;
    std::span<const std::string_view> items; // a list's items
};

struct PanelInfo {
    PropertyPanel panel;
    const char* objectName;
    EnableRule rule; // run after the fill
};

const PropertyBinding& BindingOf(PropertyEditor editor);
std::span<const PropertyBinding> AllBindings();
// The panel's rows in fill order.
std::span<const PropertyBinding> PanelBindings(PropertyPanel panel);
const PanelInfo& PanelInfoOf(PropertyPanel panel);
std::span<const PanelInfo> AllPanels();
// The panel that shows a control kind.
PropertyPanel PanelOf(ControlKind kind);

// The field an editor edits for the control at controlIndex in a record; nullptr
// when the control is not of the editor's panel (no edit leaves its own arrays),
// and for the name.
std::int32_t* BoundField(TSceneRecord& r, const PropertyBinding& b, int controlIndex);
const std::int32_t* BoundField(const TSceneRecord& r, const PropertyBinding& b, int controlIndex);

// value + offset in 32-bit two's complement, as the record stores it (a typed
// number near the limits wraps instead of overflowing).
constexpr std::int32_t WrappedSum(std::int64_t value, std::int64_t offset)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value + offset));
}

// The number an editor shows for a stored value: for a text fill with the same
// 32-bit wrap as the store, so that showing a value reads it back unchanged; for a
// value fill before the box's clamping.
std::int64_t ShownNumber(const PropertyBinding& b, std::int32_t stored);
// The stored value for a shown number.
std::int32_t StoredNumber(const PropertyBinding& b, std::int64_t shown);

// A value to store: a number, or the name's bytes.
using StoredValue = std::variant<std::int32_t, std::string>;

// Writes one editor's value into the field of the control at controlIndex. Returns
// true when the record's bytes changed; a control of another panel stores nothing.
bool StoreProperty(TSceneRecord& r, const PropertyBinding& b, int controlIndex, const StoredValue& value);

} // namespace korvo
