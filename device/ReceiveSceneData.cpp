#include "device/ReceiveSceneData.h"

#include "device/ProtocolMessages.h"
#include "device/ReplyWait.h"

#include <algorithm>

namespace korvo {

namespace {

// The quiet time, in evaluations, that must follow the last reply before the read
// counts as complete: a stray message earlier in the read leaves one reply more
// than requests still on its way, which shows up within about one round trip.
// Four times the slowest round trip seen, at least 1/64 of the wait bound (a few
// milliseconds) and at most 1/8 of it.
std::int64_t SettleEvaluations(std::int64_t slowestReply)
{
    return std::clamp(4 * slowestReply, ReplyPollLimit / 64, ReplyPollLimit / 8);
}

} // namespace

int ReceiveSceneData(MidiOutput* output, CaptureRing& ring, std::int32_t length, std::int32_t blockAddOne,
                     SceneImageBuffer& buffer, const TransferProgress& progress)
{
    if (!output)
        return 1;
    length = TransferLength(length);

    const int mark = TakeMark(ring);
    if (!output->Send(CmdRead) || !WaitForReplies(ring, mark, 2) || ring.SlotAfter(mark, 0) != CmdRead)
        return 1;
    const std::int64_t blocks = std::int64_t{blockAddOne} + Data2Of(ring.SlotAfter(mark, 1));
    if (blocks <= 0)
        return 1;

    // From here every reply lands in slot 0. Exactly one message may arrive per
    // request, so CaptureIndex must read 0 before each request and 1 when the
    // reply is taken; it goes back to 0 only from there. The same holds for the
    // two replies to CmdRead.
    std::int32_t afterInformation = (mark + 2) % CaptureRingSize;
    if (!ring.CaptureIndex.compare_exchange_strong(afterInformation, 0, std::memory_order_acq_rel))
        return 1;
    const std::int64_t positions = blocks * BlockSize;
    ProgressReporter reporter(progress, positions);
    std::int64_t slowestReply = 0;
    for (std::int64_t n = 0; n < positions; ++n) {
        if (ring.CaptureIndex.load(std::memory_order_acquire) != 0 || !output->Send(CmdNextByte))
            return 1;
        const std::int64_t evaluations = PollForReplies(ring, 0, 1, ReplyPollLimit);
        if (evaluations == 0)
            return 1;
        slowestReply = std::max(slowestReply, evaluations);
        const std::uint32_t reply = ring.SlotAfter(0, 0);
        std::int32_t one = 1;
        if (!ring.CaptureIndex.compare_exchange_strong(one, 0, std::memory_order_acq_rel))
            return 1;
        if (n < length)
            buffer[static_cast<std::size_t>(n)] = ByteOfReply(reply);
        reporter.Position(n);
    }

    if (PollForReplies(ring, 0, 1, SettleEvaluations(slowestReply)) != 0)
        return 1;
    return output->Send(CmdEnd) ? 0 : 1;
}

} // namespace korvo
