#pragma once
// Which editors apply to the current settings. The rules take the item index of
// the deciding list (-1 when it shows no item).

#include "editor/ListItems.h"

namespace korvo {

struct VelocityEnables {
    bool keyConstVelocity;
    bool padConstVelocity;
};
// A constant velocity only counts with the curve "Const".
constexpr VelocityEnables VelocityEnablesFor(int keyCurve, int padCurve)
{
    return {keyCurve == ItemOf(VelocityCurve::Const), padCurve == ItemOf(VelocityCurve::Const)};
}

// A disabled knob or slider has no numbers to edit; any other index enables.
constexpr bool KnobNumbersEnabled(int enable) { return enable != 0; }

// A disabled key has nothing else to edit; any other index enables.
constexpr bool KeyEditorsEnabled(int assignType) { return assignType != 0; }

struct PadEnables {
    bool number;      // the number box and its step button
    bool values;      // the ON and OFF values
    bool behaviour;   // behaviour and MIDI channel
};
// No Assign: nothing; Control Change: everything; any other (Note, or no item):
// everything but the ON and OFF values.
constexpr PadEnables PadEnablesFor(int assignType)
{
    if (assignType == ItemOf(PadAssignType::NoAssign))
        return {false, false, false};
    return {true, assignType == ItemOf(PadAssignType::ControlChange), true};
}

} // namespace korvo
