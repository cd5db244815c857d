#include "tools/cli/ControllerLink.h"

#include "device/DeviceLink.h"
#include "device/RtMidiPorts.h"
#include "tools/cli/Interrupt.h"

namespace korvo::cli {

namespace {

constexpr const char* ClientName = "Korvo CLI";

// Sends nothing once the user has interrupted, so the transfer ends at once.
class StoppableOutput final : public MidiOutput {
public:
    explicit StoppableOutput(std::unique_ptr<MidiOutput> inner) : inner_(std::move(inner)) {}
    bool Send(std::uint32_t message) override { return !InterruptRequested() && inner_->Send(message); }

private:
    std::unique_ptr<MidiOutput> inner_;
};

// The MIDI service with every output stoppable by an interrupt.
class StoppablePorts final : public MidiPorts {
public:
    explicit StoppablePorts(std::unique_ptr<MidiPorts> inner) : inner_(std::move(inner)) {}

    void ChooseService(MidiService service) override { inner_->ChooseService(service); }
    bool Connect() override { return inner_->Connect(); }
    std::string ConnectedService() const override { return inner_->ConnectedService(); }
    std::vector<MidiPortInfo> Outputs() override { return inner_->Outputs(); }
    std::vector<MidiPortInfo> Inputs() override { return inner_->Inputs(); }
    std::unique_ptr<MidiOutput> OpenOutput(const std::string& name) override
    {
        auto output = inner_->OpenOutput(name);
        return output ? std::make_unique<StoppableOutput>(std::move(output)) : nullptr;
    }
    std::unique_ptr<MidiInput> OpenInput(const std::string& name, MidiInHandler handler) override
    {
        return inner_->OpenInput(name, std::move(handler));
    }
    PortPresence Presence(const std::string& output, const std::string& input) override
    {
        return inner_->Presence(output, input);
    }

private:
    std::unique_ptr<MidiPorts> inner_;
};

// The names of the ports the search tries, the program's own left out.
std::vector<std::string> DeviceNames(const std::vector<MidiPortInfo>& ports)
{
    std::vector<std::string> names;
    for (const MidiPortInfo& p : ports)
        if (!p.Own)
            names.push_back(p.Name);
    return names;
}

LinkOutcome OutcomeOf(const LinkResult& result)
{
    if (result.Ok())
        return LinkOutcome::Done;
    if (InterruptRequested() || result.Status == LinkStatus::Cancelled)
        return LinkOutcome::Interrupted;
    switch (result.Status) {
    case LinkStatus::NoMidiService:
        return LinkOutcome::NoService;
    case LinkStatus::DeviceNotFound:
        return LinkOutcome::NotFound;
    default:
        return LinkOutcome::Failed;
    }
}

} // namespace

PortList ListPorts()
{
    PortList list;
    auto ports = MakeRtMidiPorts(ClientName);
    list.serviceAvailable = ports->Connect();
    if (list.serviceAvailable) {
        list.service = ports->ConnectedService();
        list.outputs = DeviceNames(ports->Outputs());
        list.inputs = DeviceNames(ports->Inputs());
    }
    return list;
}

std::int32_t TransferredBytes(std::int32_t sceneDataLen)
{
    return TransferLength(sceneDataLen);
}

struct ControllerLink::State {
    DeviceLink link;

    explicit State(std::unique_ptr<MidiPorts> p) : link(std::move(p)) {}
};

ControllerLink::ControllerLink()
    : state_(std::make_unique<State>(std::make_unique<StoppablePorts>(MakeRtMidiPorts(ClientName))))
{
}

ControllerLink::~ControllerLink() = default;

LinkOutcome ControllerLink::Find()
{
    const LinkResult result = FindDevice(state_->link);
    reason_ = ReasonText(result);
    if (result.Ok())
        foundPair_ = "output \"" + state_->link.Found.Output + "\", input \"" + state_->link.Found.Input + "\"";
    return OutcomeOf(result);
}

LinkOutcome ControllerLink::Read(std::int32_t length, std::int32_t blockAddOne, SceneImageBuffer& image,
                                 const std::function<void(int)>& progress)
{
    state_->link.ImageBuffer = image;
    const LinkResult result = ReceiveSceneData(state_->link, length, blockAddOne, progress);
    image = state_->link.ImageBuffer;
    reason_ = ReasonText(result);
    return OutcomeOf(result);
}

LinkOutcome ControllerLink::Send(std::int32_t length, const SceneImageBuffer& image, const std::function<void(int)>& progress)
{
    state_->link.ImageBuffer = image;
    const LinkResult result = TransmitSceneData(state_->link, length, progress);
    reason_ = ReasonText(result);
    return OutcomeOf(result);
}

} // namespace korvo::cli
