#pragma once
// The bounded busy wait for replies in the capture ring.

#include "device/CaptureRing.h"

#include <cstdint>

namespace korvo {

// Evaluations a wait makes before giving up.
inline constexpr std::int64_t ReplyPollLimit = 16'777'216;

// Evaluates CapturedSince(mark) until it reaches count; true at the first
// evaluation that does, false after ReplyPollLimit evaluations that fell short.
bool WaitForReplies(const CaptureRing& ring, int mark, int count);

// The same wait with another bound. Returns the number of evaluations made when
// the count was reached (1 when it already was), or 0 after limit evaluations
// that all fell short.
std::int64_t PollForReplies(const CaptureRing& ring, int mark, int count, std::int64_t limit);

// Chooses the pacing of an evaluation (done once, on first use; calling it early
// keeps the measurement out of the first wait).
void PreparePolling();

} // namespace korvo
