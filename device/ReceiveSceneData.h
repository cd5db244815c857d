#pragma once
// Reading the controller's scene image, one byte per request.

#include "device/CaptureRing.h"
#include "device/LinkResult.h"
#include "device/MidiPorts.h"
#include "device/ReplyWait.h"
#include "device/TransferSettings.h"
#include "scene/DeviceImage.h"

#include <cstdint>

namespace korvo {

// Sends CmdRead, takes the echo and the block information (blocks = blockAddOne +
// its data2), then requests every position of every block with CmdNextByte,
// keeping the bytes below length (limited to 1..1024) in buffer, and ends with
// CmdEnd. Ok when the whole image arrived; otherwise the reason: a failed send, a
// missing or wrong reply, no block to read, any message beyond the one reply per
// request (a note played on the controller), which would otherwise shift every
// later byte, or a cancel request, seen before each request (the reply to the
// request under way is waited for first).
// On failure buffer holds the bytes received so far followed by its earlier
// contents, and nothing more is sent (no CmdEnd). The results carry
// LinkCommand::Read. output is the device found by FindDevice; null fails at once.
LinkResult ReceiveSceneData(MidiOutput* output, CaptureRing& ring, std::int32_t length, std::int32_t blockAddOne,
                            SceneImageBuffer& buffer, const TransferProgress& progress = {},
                            const WaitLimits& limits = {});

} // namespace korvo
