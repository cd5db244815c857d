#pragma once
// The operations the device link needs from the system's MIDI service: count and
// open outputs and inputs, send one short message, start an input. A device is
// closed by destroying its handle.

#include <cstdint>
#include <functional>
#include <memory>

namespace korvo {

// What an input reports to its callback. Only Data carries a message; the other
// kinds are passed on so that the callback can ignore them.
enum class MidiInEvent { Open, Close, Data, LongData, Error };

// Called on the MIDI service's own thread, once per incoming short message
// (status in bits 0-7, data1 in 8-15, data2 in 16-23). It must never block.
using MidiInHandler = std::function<void(MidiInEvent event, std::uint32_t message)>;

class MidiOutput {
public:
    virtual ~MidiOutput() = default;
    // True when the message was handed to the MIDI service. A message is never
    // dropped silently: either it goes out or the send reports a failure.
    virtual bool Send(std::uint32_t message) = 0;
};

class MidiInput {
public:
    virtual ~MidiInput() = default;
    // Lets messages reach the handler given at open; none arrive before.
    virtual bool Start() = 0;
};

class MidiPorts {
public:
    virtual ~MidiPorts() = default;
    // Devices are numbered from 0. The counts are 0 when no MIDI service is
    // reachable; nothing here throws.
    virtual int OutputCount() = 0;
    virtual int InputCount() = 0;
    // Null when the device cannot be opened.
    virtual std::unique_ptr<MidiOutput> OpenOutput(int device) = 0;
    virtual std::unique_ptr<MidiInput> OpenInput(int device, MidiInHandler handler) = 0;
};

} // namespace korvo
