#include "device/FindDevice.h"

#include "device/ProtocolMessages.h"

#include <algorithm>
#include <vector>

namespace korvo {

namespace {

// The devices: every listed port but this program's own, in the service's order.
std::vector<std::string> Devices(const std::vector<MidiPortInfo>& ports)
{
    std::vector<std::string> names;
    for (const auto& port : ports)
        if (!port.Own)
            names.push_back(port.Name);
    return names;
}

bool Listed(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

class Search {
public:
    Search(MidiPorts& ports, DeviceHandles& handles, CaptureRing& ring, std::uint32_t expectedReply,
           const WaitLimits& limits)
        : ports_(ports), handles_(handles), ring_(ring), expectedReply_(expectedReply), limits_(limits)
    {
    }

    bool OpenOutput(const std::string& name)
    {
        handles_.MidiOutHandle.reset();
        handles_.Names.Output.clear();
        handles_.MidiOutHandle = ports_.OpenOutput(name);
        if (handles_.MidiOutHandle)
            handles_.Names.Output = name;
        return handles_.MidiOutHandle != nullptr;
    }

    bool OpenInput(const std::string& name)
    {
        handles_.MidiInHandle.reset();
        handles_.Names.Input.clear();
        CaptureRing& ring = ring_;
        handles_.MidiInHandle =
            ports_.OpenInput(name, [&ring](MidiInEvent event, std::uint32_t message) { MidiInCallback(ring, event, message); });
        if (!handles_.MidiInHandle)
            return false;
        handles_.Names.Input = name;
        return handles_.MidiInHandle->Start();
    }

    // The handshake on the pair now open: true when the controller answers.
    bool Handshake()
    {
        MidiOutput& output = *handles_.MidiOutHandle;
        const int mark = TakeMark(ring_);
        return output.Send(CmdIdentify) && output.Send(IdentifyMarker) &&
               WaitForReplies(ring_, mark, 2, limits_.Bound) && ring_.SlotAfter(mark, 0) == CmdIdentify &&
               ring_.SlotAfter(mark, 1) == expectedReply_;
    }

private:
    MidiPorts& ports_;
    DeviceHandles& handles_;
    CaptureRing& ring_;
    std::uint32_t expectedReply_;
    const WaitLimits& limits_;
};

LinkResult Result(LinkStatus status) { return {status, LinkCommand::Search}; }

} // namespace

LinkResult FindDevice(MidiPorts& ports, DeviceHandles& handles, CaptureRing& ring, std::uint32_t expectedReply,
                      const DevicePair& preferred, const WaitLimits& limits)
{
    Search search(ports, handles, ring, expectedReply, limits);
    LinkStatus failure = LinkStatus::DeviceNotFound;
    if (!ports.Connect()) {
        failure = LinkStatus::NoMidiService;
    } else {
        const std::vector<std::string> outputs = Devices(ports.Outputs());
        const std::vector<std::string> inputs = Devices(ports.Inputs());

        // The pair that answered last time, when both of its ports are there.
        const bool tryPreferred = Listed(outputs, preferred.Output) && Listed(inputs, preferred.Input);
        if (tryPreferred && !limits.Cancelled() && search.OpenOutput(preferred.Output) &&
            search.OpenInput(preferred.Input) && search.Handshake())
            return Result(LinkStatus::Ok);

        for (const auto& output : outputs) {
            if (limits.Cancelled())
                return Result(LinkStatus::Cancelled);
            if (!search.OpenOutput(output))
                continue;
            for (const auto& input : inputs) {
                if (limits.Cancelled())
                    return Result(LinkStatus::Cancelled);
                if (tryPreferred && DevicePair{output, input} == preferred)
                    continue;
                if (search.OpenInput(input) && search.Handshake())
                    return Result(LinkStatus::Ok);
            }
        }
    }
    if (handles.MidiOutHandle)
        handles.MidiOutHandle->Send(CmdEnd); // the result does not matter
    return Result(failure);
}

} // namespace korvo
