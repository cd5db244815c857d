#include "device/ImageComparison.h"

#include "device/TransferSettings.h"

#include <algorithm>

namespace korvo {

int FirstDifference(const SceneImageBuffer& sent, const SceneImageBuffer& held, std::int32_t length)
{
    // Beyond the four scenes the controller keeps nothing, whatever was sent there.
    const int compared = std::min<int>(TransferLength(length), DeviceImageSize);
    const auto end = sent.begin() + compared;
    const auto at = std::mismatch(sent.begin(), end, held.begin()).first;
    return at == end ? -1 : static_cast<int>(at - sent.begin());
}

} // namespace korvo
