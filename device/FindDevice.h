#pragma once
// Finding the controller among all pairs of MIDI output and input devices.

#include "device/CaptureRing.h"
#include "device/MidiPorts.h"

#include <cstdint>
#include <memory>

namespace korvo {

// The output and input device held open between searches; either may be empty.
struct DeviceHandles {
    std::unique_ptr<MidiOutput> MidiOutHandle;
    std::unique_ptr<MidiInput> MidiInHandle;
};

// Tries output 0 with inputs 0, 1, ..., then output 1 with every input, and so on:
// sends CmdIdentify, takes the mark, sends IdentifyMarker and accepts the pair when
// the two messages captured after the mark are the echo of CmdIdentify and
// expectedReply. Returns 0 with the pair held open in handles (its input capturing
// into ring), or 1 after sending CmdEnd on the last output opened; the last
// devices opened then stay open. The held devices are closed before others of
// their kind are opened, so at most one of each is ever open.
int FindDevice(MidiPorts& ports, DeviceHandles& handles, CaptureRing& ring, std::uint32_t expectedReply);

} // namespace korvo
