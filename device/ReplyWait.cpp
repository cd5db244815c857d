#include "device/ReplyWait.h"

namespace korvo {

bool WaitForReplies(CaptureRing& ring, int mark, int count, std::chrono::steady_clock::duration bound)
{
    const auto deadline = std::chrono::steady_clock::now() + bound;
    // Notifications left from messages that nobody waited for only cause extra
    // checks; dropping them first lets the wait sleep.
    ring.Arrival.Drain();
    for (;;) {
        if (CapturedSince(ring, mark) >= count)
            return true;
        if (!ring.Arrival.WaitUntil(deadline))
            return CapturedSince(ring, mark) >= count;
    }
}

} // namespace korvo
