#pragma once
// Comparing the image sent to the controller with the one read back from it.

#include "scene/DeviceImage.h"

#include <cstdint>

namespace korvo {

// The first offset where the two differ, over the sent length (limited to
// 1..1024, then to the four scenes); -1 when they agree there.
int FirstDifference(const SceneImageBuffer& sent, const SceneImageBuffer& held, std::int32_t length);

} // namespace korvo
