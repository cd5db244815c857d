#pragma once
// A window whose MIDI service has one output and one input, wired to the emulated
// controller, which holds a known image.
#include "FakeMidiPorts.h"
#include "WindowFixture.h"
#include "tools/emulator/EmulatedController.h"

#include <memory>

namespace korvo::test {

inline ControllerImage Pattern()
{
    ControllerImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
}

// A window whose MIDI service has one output and one input, wired to the
// emulated controller.
struct WithController {
    explicit WithController(EmulatorFaults faults = {}) : controller(Pattern(), faults)
    {
        FakeMidiPorts::Output output;
        output.respond = [this](std::uint32_t sent, std::vector<std::uint32_t>& answers) {
            controller.Receive(sent, answers);
        };
        auto midi = std::make_unique<FakeMidiPorts>(std::vector{output}, std::vector{FakeMidiPorts::Input{}});
        ports = midi.get();
        window = std::make_unique<WindowFixture>(QByteArray(), std::move(midi));
    }
    TFormMain& w() { return window->window(); }
    EditorState& state() { return window->state(); }
    QStringList& shown() { return window->dialogs.shown; }

    EmulatedController controller;
    FakeMidiPorts* ports = nullptr;
    std::unique_ptr<WindowFixture> window;
};

} // namespace korvo::test
