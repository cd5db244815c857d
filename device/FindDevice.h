#pragma once
// Finding the controller among all pairs of MIDI output and input devices.

#include "device/CaptureRing.h"
#include "device/LinkResult.h"
#include "device/MidiPorts.h"
#include "device/ReplyWait.h"

#include <cstdint>
#include <memory>
#include <string>

namespace korvo {

// An output and an input by the MIDI service's names.
struct DevicePair {
    std::string Output;
    std::string Input;

    bool Empty() const { return Output.empty() || Input.empty(); }
    bool operator==(const DevicePair&) const = default;
};

// The output and input device held open between searches; either may be empty.
struct DeviceHandles {
    std::unique_ptr<MidiOutput> MidiOutHandle;
    std::unique_ptr<MidiInput> MidiInHandle;
    DevicePair Names; // of the devices held open
};

// Searches the devices of the MIDI service, leaving out every port this program
// has open itself. When both names of the preferred pair are listed, that pair is
// tried first; then output 0 with inputs 0, 1, ..., output 1 with every input, and
// so on, skipping the preferred pair. On each pair: take the mark, send
// CmdIdentify and IdentifyMarker, and accept the pair when the two messages
// captured after the mark are the echo of CmdIdentify and expectedReply. The mark
// comes before CmdIdentify, so that a controller that echoes it before
// IdentifyMarker is sent is found too.
//
// Ok: the pair is held open in handles (its input capturing into ring) and named
// in handles.Names. DeviceNotFound: CmdEnd went to the last output opened, and the
// last devices opened stay open. NoMidiService: no service could be opened.
// Cancelled: the search stopped before the next pair, nothing more was sent. The
// held devices are closed before others of their kind are opened, so at most one
// of each is ever open.
LinkResult FindDevice(MidiPorts& ports, DeviceHandles& handles, CaptureRing& ring, std::uint32_t expectedReply,
                      const DevicePair& preferred = {}, const WaitLimits& limits = {});

} // namespace korvo
