#pragma once
// Waiting for replies in the capture ring: asleep until the input callback
// signals an arrival, bounded by a deadline.

#include "device/CaptureRing.h"

#include <atomic>
#include <chrono>

namespace korvo {

// How long one reply may take. The wait bound of the protocol is 16,777,216
// evaluations of a busy poll, which took about 300 ms on the machine the editor
// was developed on: a controller answers within a few milliseconds, and a port
// pair that never answers costs no more than that.
inline constexpr std::chrono::milliseconds ReplyWaitTime{300};

// Waits until CapturedSince(mark) reaches count: true at once when it already
// has, false when it has not within the bound. The calling thread sleeps between
// arrivals.
bool WaitForReplies(CaptureRing& ring, int mark, int count,
                    std::chrono::steady_clock::duration bound = ReplyWaitTime);

// What a search or a transfer works with besides the ring: the bound of each
// wait, and the flag that cancels it. The flag is looked at before each message
// is sent; an exchange under way (a request and its reply) completes first, so
// that no late reply is left to disturb the next command.
struct WaitLimits {
    std::chrono::steady_clock::duration Bound = ReplyWaitTime;
    const std::atomic<bool>* Cancel = nullptr;

    bool Cancelled() const { return Cancel && Cancel->load(std::memory_order_acquire); }
};

} // namespace korvo
