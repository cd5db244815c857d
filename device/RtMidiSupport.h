#pragma once
// What the RtMidi port layer and the programs built on RtMidi share: the choice
// of MIDI service and the safe closing of an output.

#include "device/MidiService.h"

#include <RtMidi.h>
#include <chrono>
#include <optional>
#include <string>

namespace korvo {

// Whether the service can be opened now: the ALSA sequencer's device, a running
// JACK server (none is started).
bool AlsaSequencerOpens();
bool JackServerRuns();

// The JACK library reports every failed attempt to reach a server; where that
// is an answer, not an error, the program says what it means itself.
void QuietenJackLibrary();

// The RtMidi API for a service: Automatic is the ALSA sequencer when it opens,
// else JACK when a server runs. Nothing when the service (or neither) can be
// opened.
std::optional<RtMidi::Api> OpenableMidiApi(MidiService service);

// For the helper programs: the API for the service asked for (or, without one,
// KORVO_MIDI_API's or the automatic choice). Throws std::runtime_error saying
// which service failed and how to choose another.
RtMidi::Api ChooseMidiApi(std::optional<MidiService> asked = std::nullopt);

// The name of the service behind an API, for messages.
std::string MidiApiName(RtMidi::Api api);

// Closes the output's port so that the object can then be destroyed. RtMidi's
// JACK output frees its message buffer before it stops its client, while a cycle
// that began before the port was closed may still be reading that buffer; this
// closes the port and lets that cycle end first.
void CloseOutputPort(RtMidiOut& out);

// How long a JACK cycle that began before an output's port was closed may still
// read its buffer: far longer than one cycle of the MIDI service.
inline constexpr auto OutputCloseGrace = std::chrono::milliseconds(20);

} // namespace korvo
