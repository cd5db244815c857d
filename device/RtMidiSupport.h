#pragma once
// What the RtMidi port layer and the programs built on RtMidi share: the choice
// of MIDI service and the safe closing of an output.

#include <RtMidi.h>

namespace korvo {

inline constexpr const char* MidiApiVariable = "KORVO_MIDI_API";

// RtMidi's default, unless KORVO_MIDI_API says "alsa" or "jack".
RtMidi::Api MidiApiFromEnvironment();

// Closes the output's port so that the object can then be destroyed. RtMidi's
// JACK output frees its message buffer before it stops its client, while a cycle
// that began before the port was closed may still be reading that buffer; this
// closes the port and lets that cycle end first.
void CloseOutputPort(RtMidiOut& out);

} // namespace korvo
