#pragma once
// A window whose MIDI service has one output and one input, wired to the emulated
// controller, which holds a known image.
#include "FakeMidiPorts.h"
#include "WindowFixture.h"
#include "tools/emulator/EmulatedController.h"

#include "device/ProtocolMessages.h"

#include <algorithm>
#include <chrono>
#include <memory>

namespace korvo::test {

inline ControllerImage Pattern()
{
    ControllerImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
}

// A window whose MIDI service has the emulated controller with one output and
// one input, after a silent device's if asked for.
struct WithController {
    explicit WithController(EmulatorFaults faults = {}, std::chrono::microseconds latency = {},
                            bool keepSettings = false, bool silentDeviceFirst = false)
        : controller(Pattern(), faults)
    {
        FakeMidiPorts::Output output;
        output.respond = [this](std::uint32_t sent, std::vector<std::uint32_t>& answers) {
            controller.Receive(sent, answers);
        };
        output.latency = latency;
        std::vector<FakeMidiPorts::Output> outputs{output};
        if (silentDeviceFirst) {
            outputs.back().answersOn = 1;
            outputs.insert(outputs.begin(), FakeMidiPorts::Output{});
        }
        auto midi = std::make_unique<FakeMidiPorts>(outputs, std::vector<FakeMidiPorts::Input>(outputs.size()));
        ports = midi.get();
        window = std::make_unique<WindowFixture>(QByteArray(), std::move(midi), keepSettings);
        // Longer than the program's own bound: a machine busy with other work
        // must not make a reply late.
        w().Link.ReplyWait = std::chrono::seconds(1);
    }
    TFormMain& w() { return window->window(); }
    EditorState& state() { return window->state(); }
    QStringList& shown() { return window->dialogs.shown; }
    // The handshakes sent so far.
    int Handshakes() const
    {
        const auto sent = ports->Sent();
        return static_cast<int>(std::count(sent.begin(), sent.end(), CmdIdentify));
    }

    EmulatedController controller;
    FakeMidiPorts* ports = nullptr;
    std::unique_ptr<WindowFixture> window;
};


} // namespace korvo::test
