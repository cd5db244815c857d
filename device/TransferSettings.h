#pragma once
// What the read and write transfers share: their progress report and the limits
// of the transfer length.

#include "scene/DeviceImage.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace korvo {

// Called on the calling thread with the percentage done, 1 to 100, whenever it
// changes during a transfer; the first call means the transfer is under way. The
// transfer makes no call once it has returned, so the caller hides its progress
// display when the function returns.
using TransferProgress = std::function<void(int percent)>;

// SceneDataLen limited to what SceneImageBuffer holds: 1..1024.
constexpr std::int32_t TransferLength(std::int32_t sceneDataLen)
{
    return std::clamp<std::int32_t>(sceneDataLen, 1, SceneImageBufferSize);
}

// Reports n x 100 div total + 1 for position n, calling back only on a change.
class ProgressReporter {
public:
    ProgressReporter(const TransferProgress& progress, std::int64_t total) : progress_(progress), total_(total) {}

    void Position(std::int64_t n)
    {
        const int percent = static_cast<int>(n * 100 / total_ + 1);
        if (percent != last_ && progress_)
            progress_(percent);
        last_ = percent;
    }

private:
    const TransferProgress& progress_;
    std::int64_t total_;
    int last_ = 0;
};

} // namespace korvo
