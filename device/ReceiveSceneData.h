#pragma once
// Reading the controller's scene image, one byte per request.

#include "device/CaptureRing.h"
#include "device/MidiPorts.h"
#include "device/TransferSettings.h"
#include "scene/DeviceImage.h"

#include <cstdint>

namespace korvo {

// Sends CmdRead, takes the echo and the block information (blocks = blockAddOne +
// its data2), then requests every position of every block with CmdNextByte,
// keeping the bytes below length (limited to 1..1024) in buffer, and ends with
// CmdEnd. Returns 0 when the whole image arrived, 1 otherwise: a failed send, a
// missing or wrong reply, no block to read, or any message beyond the one reply
// per request (a note played on the controller, a clock byte), which would
// otherwise shift every later byte. On failure buffer holds the bytes received
// so far followed by its earlier contents, and no CmdEnd is sent.
// output is the device found by FindDevice; null fails at once.
int ReceiveSceneData(MidiOutput* output, CaptureRing& ring, std::int32_t length, std::int32_t blockAddOne,
                     SceneImageBuffer& buffer, const TransferProgress& progress = {});

} // namespace korvo
