#pragma once
// Writing the scene image into the controller in acknowledged blocks of 512.

#include "device/CaptureRing.h"
#include "device/MidiPorts.h"
#include "device/TransferSettings.h"
#include "scene/DeviceImage.h"

#include <cstdint>

namespace korvo {

// Sends CmdWrite and the block count, waits for the echo, then sends each block of
// 512 data messages (bytes below length, limited to 1..1024, then fillers) back to
// back and waits for the block acknowledgement after every block but the last and
// for the final acknowledgement after it. Returns 0 when the controller
// acknowledged the whole image, 1 on a failed send, a missing or wrong echo or
// acknowledgement (a message played on the controller meanwhile included).
// output is the device found by FindDevice; null fails at once.
int TransmitSceneData(MidiOutput* output, CaptureRing& ring, std::int32_t length, const SceneImageBuffer& buffer,
                      const TransferProgress& progress = {});

} // namespace korvo
