#pragma once
// The program-wide state of the link to the controller, owned by whoever runs the
// Communication commands, and the calls those commands make.
//
// A Read Scene Data command, for example:
//     const auto length = TransferLength(SceneDataLen(params));
//     if (FindDevice(link) != 0) { /* "Korvo Device is not exist." */ }
//     else if (ReceiveSceneData(link, length, BlockAddOne(params), showPercent) == 0)
//         UnpackSceneImages(bank, link.ImageBuffer);
// All calls run on the calling thread and busy-wait for the controller.

#include "device/CaptureRing.h"
#include "device/FindDevice.h"
#include "device/MidiPorts.h"
#include "device/TransferSettings.h"
#include "scene/DeviceImage.h"

#include <cstdint>
#include <memory>

namespace korvo {

struct DeviceLink {
    explicit DeviceLink(std::unique_ptr<MidiPorts> ports);
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    std::unique_ptr<MidiPorts> Ports;
    // Declared before Handles: the open input writes into the ring, so the
    // devices are closed first when the link goes.
    CaptureRing Ring;
    // The pair found by the last search, open until the next one.
    DeviceHandles Handles;
    // Packed before a write, filled by a read; zero at start.
    SceneImageBuffer ImageBuffer{};
};

// FindDevice with the controller's IdentityReply. 0: found, 1: not found.
int FindDevice(DeviceLink& link);

// The transfers on the pair found, with link.ImageBuffer. 0: success, 1: failure.
// length is SceneDataLen; it is limited to 1..1024 either way.
int ReceiveSceneData(DeviceLink& link, std::int32_t length, std::int32_t blockAddOne,
                     const TransferProgress& progress = {});
int TransmitSceneData(DeviceLink& link, std::int32_t length, const TransferProgress& progress = {});

} // namespace korvo
