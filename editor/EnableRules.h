#pragma once
// Which editors apply to the current settings. The rules take the item index of
// the deciding list (-1 when it shows no item).

namespace korvo {

struct VelocityEnables {
    bool keyConstVelocity;
    bool padConstVelocity;
};
// A constant velocity only counts with the curve "Const" (3).
constexpr VelocityEnables VelocityEnablesFor(int keyCurve, int padCurve)
{
    return {keyCurve == 3, padCurve == 3};
}

// A disabled knob or slider (0) has no numbers to edit; any other index enables.
constexpr bool KnobNumbersEnabled(int enable) { return enable != 0; }

// A disabled key (0) has nothing else to edit; any other index enables.
constexpr bool KeyEditorsEnabled(int assignType) { return assignType != 0; }

struct PadEnables {
    bool number;      // the number box and its step button
    bool values;      // the ON and OFF values
    bool behaviour;   // behaviour and MIDI channel
};
// No Assign (0): nothing; Control Change (1): everything; any other (Note, or no
// item): everything but the ON and OFF values.
constexpr PadEnables PadEnablesFor(int assignType)
{
    if (assignType == 0)
        return {false, false, false};
    return {true, assignType == 1, true};
}

} // namespace korvo
