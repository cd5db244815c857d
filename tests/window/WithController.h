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

// A window whose MIDI service has a silent device and the emulated controller,
// each with one output and one input.
struct WithController {
    explicit WithController(EmulatorFaults faults = {}, std::chrono::microseconds latency = {},
                            bool keepSettings = false)
        : controller(Pattern(), faults)
    {
        FakeMidiPorts::Output silent;
        FakeMidiPorts::Output output;
        output.respond = [this](std::uint32_t sent, std::vector<std::uint32_t>& answers) {
            controller.Receive(sent, answers);
        };
        output.answersOn = 1;
        output.latency = latency;
        auto midi = std::make_unique<FakeMidiPorts>(std::vector{silent, output}, std::vector<FakeMidiPorts::Input>(2));
        ports = midi.get();
        window = std::make_unique<WindowFixture>(QByteArray(), std::move(midi), keepSettings);
        w().Link.ReplyWait = std::chrono::milliseconds(100);
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
