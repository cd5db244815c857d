#pragma once
// Which MIDI service RtMidi talks to: its own default, unless the environment
// variable KORVO_MIDI_API says "alsa" or "jack".

#include <RtMidi.h>

namespace korvo {

inline constexpr const char* MidiApiVariable = "KORVO_MIDI_API";

RtMidi::Api MidiApiFromEnvironment();

} // namespace korvo
