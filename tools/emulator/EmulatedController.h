#pragma once
// The controller's side of the protocol, as korvo-emulator plays it: answers the
// handshake, serves its image byte by byte and stores a written image. Fault
// settings make it misbehave in the ways the editor must survive.

#include "scene/DeviceImage.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korvo {

using ControllerImage = std::array<std::uint8_t, DeviceImageSize>;

struct EmulatorFaults {
    bool silent = false;         // no answer at all
    bool wrongIdentity = false;  // answers the handshake with 9C 01 39
    bool loopback = false;       // sends back every message, like a wire
    bool wrongAck = false;       // swaps the block and the final acknowledgement
    int noteBeforeReply = 0;     // before reply N (from 1) of every read or write, a note
    int noReplyToByte = 0;       // no reply to byte request N (from 1) of a read
    bool instantEcho = false;    // echoes CmdIdentify as it arrives, before IdentifyMarker
    int corruptByte = -1;        // a write stores (value + 1) & 0x7F at this image offset
    int noteFlood = 0;           // after byte reply 100 of a read, this many notes back to back
    int quitAt = 0;              // message N (from 1) of a read or write, CmdRead or CmdWrite
                                 // being 1, is not answered; Receive returns QuitLine
};

// What Receive returns when the controller goes away (EmulatorFaults::quitAt).
inline constexpr const char* QuitLine = "quit";

// A played note, as the controller would send it: 90 3C 64.
inline constexpr std::uint32_t InjectedNote = 0x00643C90;

class EmulatedController {
public:
    EmulatedController(const ControllerImage& image, EmulatorFaults faults) : image_(image), faults_(faults) {}

    // Handles one message from the editor and appends the replies to send, in
    // order. Returns a line describing a transfer that has just completed, or an
    // empty text.
    std::string Receive(std::uint32_t message, std::vector<std::uint32_t>& replies);

    const ControllerImage& Image() const { return image_; }

    // What the controller announces as block information: blocks - 1.
    static constexpr int AnnouncedBlocks = (DeviceImageSize + 511) / 512 - 1;

private:
    enum class State { Idle, HandshakeStarted, Reading, WriteCount, Writing };

    void Reply(std::uint32_t message, std::vector<std::uint32_t>& replies);
    std::string WriteData(std::uint32_t message, std::vector<std::uint32_t>& replies);

    ControllerImage image_;
    EmulatorFaults faults_;
    State state_ = State::Idle;
    int repliesInTransfer_ = 0;  // counting from the echo of CmdRead or CmdWrite
    bool inTransfer_ = false;
    int messagesInTransfer_ = 0; // counting from CmdRead or CmdWrite
    bool gone_ = false;          // quit: answers nothing from then on
    int byteRequests_ = 0;
    int writeBlocks_ = 0;
    int writePosition_ = 0;
    ControllerImage incoming_{};
};

} // namespace korvo
