#pragma once
// The program-wide state of the link to the controller, owned by whoever runs the
// Communication commands, and the calls those commands make.
//
// A Read Scene Data command, for example:
//     const auto length = SceneDataLen(params);
//     LinkResult found = FindDevice(link, rememberedPair);
//     if (!found.Ok()) { /* tell ReasonText(found) */ }
//     else if (ReceiveSceneData(link, length, BlockAddOne(params), showPercent).Ok())
//         UnpackSceneImages(bank, link.ImageBuffer);
// Each call runs on the calling thread and sleeps while it waits for the
// controller; another thread may stop it with RequestCancel.

#include "device/CaptureRing.h"
#include "device/FindDevice.h"
#include "device/LinkResult.h"
#include "device/MidiPorts.h"
#include "device/ReplyWait.h"
#include "device/TransferSettings.h"
#include "scene/DeviceImage.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

namespace korvo {

struct DeviceLink {
    explicit DeviceLink(std::unique_ptr<MidiPorts> ports);
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Declared first: the open input writes into the ring, so the devices, and the
    // service that may still be closing some, go before it.
    CaptureRing Ring;
    std::unique_ptr<MidiPorts> Ports;
    // The pair found by the last search, open until the next one.
    DeviceHandles Handles;
    // The names of the pair that answered the last search; empty when none did.
    DevicePair Found;
    // Packed before a write, filled by a read; zero at start.
    SceneImageBuffer ImageBuffer{};
    // What VerifySentImage read back from the controller.
    SceneImageBuffer ReadBackBuffer{};

    // How long each reply may take.
    std::chrono::steady_clock::duration ReplyWait = ReplyWaitTime;
    // Set by RequestCancel, cleared by ClearCancel.
    std::atomic<bool> CancelRequested{false};
};

// FindDevice with the controller's IdentityReply, trying the preferred pair first
// (normally the one that answered last time, see DeviceLink::Found).
LinkResult FindDevice(DeviceLink& link, const DevicePair& preferred = {});

// The transfers on the pair found, with link.ImageBuffer. length is SceneDataLen;
// it is limited to 1..1024 either way. When the controller stops answering, the
// result tells whether its ports or the MIDI service went away.
LinkResult ReceiveSceneData(DeviceLink& link, std::int32_t length, std::int32_t blockAddOne,
                            const TransferProgress& progress = {});
LinkResult TransmitSceneData(DeviceLink& link, std::int32_t length, const TransferProgress& progress = {});

// After a send: reads the controller's image into link.ReadBackBuffer and compares
// it with link.ImageBuffer over the sent length. ImageDiffers names the first
// differing byte; a failed read gives its reason, with LinkCommand::ReadBack.
LinkResult VerifySentImage(DeviceLink& link, std::int32_t length, std::int32_t blockAddOne,
                           const TransferProgress& progress = {});

// From any thread: the command running on the link stops after the exchange
// under way (a request and its reply), with LinkStatus::Cancelled; nothing more
// is sent.
void RequestCancel(DeviceLink& link);
// Before a command: forgets an earlier request.
void ClearCancel(DeviceLink& link);

} // namespace korvo
