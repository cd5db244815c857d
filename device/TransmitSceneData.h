#pragma once
// Writing the scene image into the controller in acknowledged blocks of 512.

#include "device/CaptureRing.h"
#include "device/LinkResult.h"
#include "device/MidiPorts.h"
#include "device/ReplyWait.h"
#include "device/TransferSettings.h"
#include "scene/DeviceImage.h"

#include <cstdint>

namespace korvo {

// Sends CmdWrite and the block count, waits for the echo, then sends each block of
// 512 data messages (bytes below length, limited to 1..1024, then fillers) back to
// back and waits for the block acknowledgement after every block but the last and
// for the final acknowledgement after it. Ok when the controller acknowledged the
// whole image; otherwise the reason: a failed send, a missing or wrong echo or
// acknowledgement, a message nobody asked for in its place (a note played on the
// controller meanwhile), or a cancel request, seen before each message (an
// acknowledgement under way is waited for first); nothing more is sent then. The results carry LinkCommand::Write.
// output is the device found by FindDevice; null fails at once.
LinkResult TransmitSceneData(MidiOutput* output, CaptureRing& ring, std::int32_t length, const SceneImageBuffer& buffer,
                             const TransferProgress& progress = {}, const WaitLimits& limits = {});

} // namespace korvo
