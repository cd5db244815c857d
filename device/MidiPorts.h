#pragma once
// The operations the device link needs from the system's MIDI service: connect
// to it, list outputs and inputs, open one by name, send one short message, start
// an input, and tell whether a port is still there. A device is closed by
// destroying its handle.

#include "device/MidiService.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// One port as the service lists it.
struct MidiPortInfo {
    std::string Name; // the service's name for it, unique while it exists
    bool Own = false; // opened by this program (told by the service's client, not by the name)
};

// Whether the ports of a pair are still there.
enum class PortPresence { Present, Gone, ServiceGone };

class MidiPorts {
public:
    virtual ~MidiPorts() = default;

    // The service to use from the next Connect on; see MidiService.
    virtual void ChooseService(MidiService) {}
    // Connects to the chosen service: false when none can be opened. Called at the
    // start of every search; nothing here throws.
    virtual bool Connect() = 0;
    // The service the last Connect reached: "ALSA" or "JACK"; empty when none.
    virtual std::string ConnectedService() const { return {}; }

    // The ports in the service's order (empty when it is not reachable). Outputs
    // carry messages to a device, inputs bring its messages.
    virtual std::vector<MidiPortInfo> Outputs() = 0;
    virtual std::vector<MidiPortInfo> Inputs() = 0;

    // Null when no port of that name exists or it cannot be opened.
    virtual std::unique_ptr<MidiOutput> OpenOutput(const std::string& name) = 0;
    virtual std::unique_ptr<MidiInput> OpenInput(const std::string& name, MidiInHandler handler) = 0;

    // Asked after a transfer went wrong: are both ports, and the service, still there?
    virtual PortPresence Presence(const std::string& output, const std::string& input) = 0;
};

} // namespace korvo
