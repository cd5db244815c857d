#include "tools/cli/ControllerLink.h"

#include "device/DeviceLink.h"
#include "device/RtMidiPorts.h"
#include "device/RtMidiSupport.h"
#include "tools/cli/Interrupt.h"

#include <RtMidi.h>

namespace korvo::cli {

namespace {

constexpr const char* ClientName = "Korvo CLI";

void IgnoreRtMidiError(RtMidiError::Type, const std::string&, void*) {}

// Sends nothing once the user has interrupted, so the transfer ends at once.
class StoppableOutput final : public MidiOutput {
public:
    explicit StoppableOutput(std::unique_ptr<MidiOutput> inner) : inner_(std::move(inner)) {}
    bool Send(std::uint32_t message) override { return !InterruptRequested() && inner_->Send(message); }

private:
    std::unique_ptr<MidiOutput> inner_;
};

// Remembers the device numbers opened last: after a successful search they are
// the pair that answered.
class RecordingPorts final : public MidiPorts {
public:
    explicit RecordingPorts(std::unique_ptr<MidiPorts> inner) : inner_(std::move(inner)) {}

    int OutputCount() override { return inner_->OutputCount(); }
    int InputCount() override { return inner_->InputCount(); }
    std::unique_ptr<MidiOutput> OpenOutput(int device) override
    {
        auto output = inner_->OpenOutput(device);
        if (!output)
            return nullptr;
        lastOutput = device;
        return std::make_unique<StoppableOutput>(std::move(output));
    }
    std::unique_ptr<MidiInput> OpenInput(int device, MidiInHandler handler) override
    {
        auto input = inner_->OpenInput(device, std::move(handler));
        if (input)
            lastInput = device;
        return input;
    }

    int lastOutput = -1;
    int lastInput = -1;

private:
    std::unique_ptr<MidiPorts> inner_;
};

template <typename Port>
std::vector<std::string> PortNames(Port& port)
{
    std::vector<std::string> names;
    const unsigned count = port.getPortCount();
    for (unsigned i = 0; i < count; ++i)
        names.push_back(port.getPortName(i));
    return names;
}

std::string Named(const std::vector<std::string>& names, int i)
{
    return i >= 0 && static_cast<std::size_t>(i) < names.size() ? " \"" + names[static_cast<std::size_t>(i)] + "\"" : "";
}

} // namespace

PortList ListPorts()
{
    PortList list;
    try {
        RtMidiOut out(MidiApiFromEnvironment(), ClientName);
        out.setErrorCallback(&IgnoreRtMidiError);
        RtMidiIn in(out.getCurrentApi(), ClientName);
        in.setErrorCallback(&IgnoreRtMidiError);
        list.service = RtMidi::getApiDisplayName(out.getCurrentApi());
        list.outputs = PortNames(out);
        list.inputs = PortNames(in);
        list.serviceAvailable = true;
    } catch (const RtMidiError&) {
        list.serviceAvailable = false;
    }
    return list;
}

std::int32_t TransferredBytes(std::int32_t sceneDataLen)
{
    return TransferLength(sceneDataLen);
}

struct ControllerLink::State {
    RecordingPorts* ports = nullptr; // owned by link
    DeviceLink link;

    explicit State(std::unique_ptr<RecordingPorts> p) : ports(p.get()), link(std::move(p)) {}
};

ControllerLink::ControllerLink() : state_(std::make_unique<State>(std::make_unique<RecordingPorts>(MakeRtMidiPorts(ClientName))))
{
}

ControllerLink::~ControllerLink() = default;

LinkOutcome ControllerLink::Find()
{
    const PortList ports = ListPorts();
    if (!ports.serviceAvailable)
        return LinkOutcome::NoService;
    if (FindDevice(state_->link) != 0)
        return InterruptRequested() ? LinkOutcome::Interrupted : LinkOutcome::NotFound;
    foundPair_ = "output " + std::to_string(state_->ports->lastOutput) + Named(ports.outputs, state_->ports->lastOutput) +
                 ", input " + std::to_string(state_->ports->lastInput) + Named(ports.inputs, state_->ports->lastInput);
    return LinkOutcome::Done;
}

LinkOutcome ControllerLink::Read(std::int32_t length, std::int32_t blockAddOne, SceneImageBuffer& image,
                                 const std::function<void(int)>& progress)
{
    state_->link.ImageBuffer = image;
    const int result = ReceiveSceneData(state_->link, length, blockAddOne, progress);
    image = state_->link.ImageBuffer;
    if (result == 0)
        return LinkOutcome::Done;
    return InterruptRequested() ? LinkOutcome::Interrupted : LinkOutcome::Failed;
}

LinkOutcome ControllerLink::Send(std::int32_t length, const SceneImageBuffer& image, const std::function<void(int)>& progress)
{
    state_->link.ImageBuffer = image;
    const int result = TransmitSceneData(state_->link, length, progress);
    if (result == 0)
        return LinkOutcome::Done;
    return InterruptRequested() ? LinkOutcome::Interrupted : LinkOutcome::Failed;
}

} // namespace korvo::cli
