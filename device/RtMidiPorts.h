#pragma once
// The port layer on RtMidi, on the ALSA sequencer or JACK (see MidiService).
// Ports are listed in RtMidi's order and opened by their names, so that the
// program's own ports appearing and going during a search move nothing. Input
// reaches the handler on RtMidi's own thread (the JACK process thread or the ALSA
// input thread). System-exclusive input is not passed on; timing and active
// sensing messages are, like every other short message (the capture ring drops
// them).

#include "device/MidiPorts.h"

#include <memory>
#include <string>

namespace korvo {

// clientName names the program's clients in the MIDI service.
std::unique_ptr<MidiPorts> MakeRtMidiPorts(const std::string& clientName = "Korvo Editor");

// The number of bytes of a short message with this status byte: 1 to 3.
int ShortMessageLength(unsigned char status);

} // namespace korvo
