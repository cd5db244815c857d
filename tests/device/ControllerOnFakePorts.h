#pragma once
// The emulated controller behind the fake MIDI service, with its pair already
// open the way a successful search leaves it.

#include "FakeMidiPorts.h"

#include "device/CaptureRing.h"
#include "device/FindDevice.h"
#include "device/TransferSettings.h"
#include "tools/emulator/EmulatedController.h"

#include <vector>

namespace korvo::test {

// Every byte differs from its neighbours, so a shifted or misplaced byte shows.
inline ControllerImage PatternImage()
{
    ControllerImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
}

struct ControllerOnFakePorts {
    explicit ControllerOnFakePorts(EmulatorFaults faults = {}, std::vector<FakeMidiPorts::Output> extra = {})
        : controller(PatternImage(), faults), ports(Outputs(std::move(extra)), {FakeMidiPorts::Input{}})
    {
        handles.MidiOutHandle = ports.OpenOutput(ports.OutputName(0));
        handles.MidiInHandle = ports.OpenInput(
            ports.InputName(0), [this](MidiInEvent event, std::uint32_t message) { MidiInCallback(ring, event, message); });
        handles.Names = {ports.OutputName(0), ports.InputName(0)};
        handles.MidiInHandle->Start();
    }

    ~ControllerOnFakePorts() { handles = {}; }

    std::vector<FakeMidiPorts::Output> Outputs(std::vector<FakeMidiPorts::Output> extra)
    {
        FakeMidiPorts::Output device;
        device.respond = [this](std::uint32_t sent, std::vector<std::uint32_t>& answers) {
            controller.Receive(sent, answers);
        };
        if (!extra.empty()) {
            // A changed copy of the controller's output (a send failure, say), or
            // another device in its place.
            if (!extra[0].respond)
                extra[0].respond = device.respond;
            return extra;
        }
        return {device};
    }

    // Records every percentage reported.
    TransferProgress Recorder() { return [this](int percent) { percents.push_back(percent); }; }

    EmulatedController controller;
    FakeMidiPorts ports;
    CaptureRing ring;
    DeviceHandles handles;
    std::vector<int> percents;
};

} // namespace korvo::test
