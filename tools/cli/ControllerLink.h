#pragma once
// korvo-cli's way to the controller: the device link of the editor, used the way
// the editor's Communication commands use it. This adapter is the only part of
// korvo-cli that knows the device link's interface.

#include "device/LinkMessages.h"
#include "scene/DeviceImage.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korvo::cli {

enum class LinkOutcome { Done, NotFound, NoService, Failed, Interrupted };

// The texts for the outcomes that end a command.
inline constexpr const char* NoServiceText = NoMidiServiceText;
inline constexpr const char* InterruptedText = "Interrupted; nothing more was sent to the controller.";

struct PortList {
    bool serviceAvailable = false;
    std::string service; // the MIDI service's name, "ALSA" or "JACK"
    std::vector<std::string> outputs; // numbered from 0, as the search tries them
    std::vector<std::string> inputs;
};

PortList ListPorts();

// The number of image bytes a transfer with this SceneDataLen carries.
std::int32_t TransferredBytes(std::int32_t sceneDataLen);

class ControllerLink {
public:
    ControllerLink();
    ~ControllerLink();
    ControllerLink(const ControllerLink&) = delete;
    ControllerLink& operator=(const ControllerLink&) = delete;

    // The search of every output and input pair by the handshake.
    LinkOutcome Find();
    // After Find gave Done: 'output "name", input "name"'.
    std::string FoundPair() const { return foundPair_; }
    // Why the last search or transfer failed, as one sentence; empty after success.
    const std::string& Reason() const { return reason_; }

    // The read of the scene image into image (bytes at and beyond length keep
    // what image held), and the write of image; length is SceneDataLen.
    LinkOutcome Read(std::int32_t length, std::int32_t blockAddOne, SceneImageBuffer& image,
                     const std::function<void(int)>& progress);
    LinkOutcome Send(std::int32_t length, const SceneImageBuffer& image, const std::function<void(int)>& progress);

private:
    struct State;
    std::unique_ptr<State> state_;
    std::string foundPair_;
    std::string reason_;
};

} // namespace korvo::cli
