#include "device/ReceiveSceneData.h"

#include "device/ProtocolMessages.h"

#include <algorithm>
#include <chrono>

namespace korvo {

namespace {

using Clock = std::chrono::steady_clock;

// The quiet time that must follow the last reply before the read counts as
// complete: a stray message earlier in the read leaves one reply more than
// requests still on its way, which shows up within about one round trip. Four
// times the slowest round trip seen, at least 1/64 of the wait bound (a few
// milliseconds) and at most 1/8 of it.
Clock::duration SettleTime(Clock::duration slowestReply, Clock::duration bound)
{
    return std::clamp(4 * slowestReply, bound / 64, bound / 8);
}

} // namespace

LinkResult ReceiveSceneData(MidiOutput* output, CaptureRing& ring, std::int32_t length, std::int32_t blockAddOne,
                            SceneImageBuffer& buffer, const TransferProgress& progress, const WaitLimits& limits)
{
    auto failed = [](LinkStatus status, int request = 0, int requests = 0) {
        return LinkResult{status, LinkCommand::Read, request, requests};
    };
    if (!output)
        return failed(LinkStatus::DeviceNotFound);
    length = TransferLength(length);

    if (limits.Cancelled())
        return failed(LinkStatus::Cancelled);
    const int mark = TakeMark(ring);
    if (!output->Send(CmdRead))
        return failed(LinkStatus::SendRefused, 1);
    if (!WaitForReplies(ring, mark, 2, limits.Bound)) {
        // The echo alone, or nothing: an answer that is there but wrong says more.
        if (CapturedSince(ring, mark) == 0 || ring.SlotAfter(mark, 0) == CmdRead)
            return failed(LinkStatus::NoCommandReply);
    }
    if (ring.SlotAfter(mark, 0) != CmdRead)
        return failed(LinkStatus::WrongEcho);
    const std::int64_t blocks = std::int64_t{blockAddOne} + Data2Of(ring.SlotAfter(mark, 1));
    if (blocks <= 0)
        return failed(LinkStatus::NoBlocks);

    // From here every reply lands in slot 0. Exactly one message may arrive per
    // request, so CaptureIndex must read 0 before each request and 1 when the
    // reply is taken; it goes back to 0 only from there. The same holds for the
    // two replies to CmdRead.
    std::int32_t afterInformation = (mark + 2) % CaptureRingSize;
    if (!ring.CaptureIndex.compare_exchange_strong(afterInformation, 0, std::memory_order_acq_rel))
        return failed(LinkStatus::UnaskedMessage);
    const std::int64_t positions = blocks * BlockSize;
    const int requests = static_cast<int>(positions);
    ProgressReporter reporter(progress, positions);
    Clock::duration slowestReply{};
    for (std::int64_t n = 0; n < positions; ++n) {
        const int request = static_cast<int>(n) + 1;
        if (limits.Cancelled())
            return failed(LinkStatus::Cancelled);
        if (ring.CaptureIndex.load(std::memory_order_acquire) != 0)
            return failed(LinkStatus::UnaskedMessage);
        const auto sent = Clock::now();
        if (!output->Send(CmdNextByte))
            return failed(LinkStatus::SendRefused, request + 1);
        if (!WaitForReplies(ring, 0, 1, limits.Bound))
            return failed(LinkStatus::NoReply, request, requests);
        slowestReply = std::max(slowestReply, Clock::now() - sent);
        const std::uint32_t reply = ring.SlotAfter(0, 0);
        std::int32_t one = 1;
        if (!ring.CaptureIndex.compare_exchange_strong(one, 0, std::memory_order_acq_rel))
            return failed(LinkStatus::UnaskedMessage);
        if (n < length)
            buffer[static_cast<std::size_t>(n)] = ByteOfReply(reply);
        reporter.Position(n);
    }

    if (WaitForReplies(ring, 0, 1, SettleTime(slowestReply, limits.Bound)))
        return failed(LinkStatus::UnaskedMessage);
    if (limits.Cancelled())
        return failed(LinkStatus::Cancelled);
    if (!output->Send(CmdEnd))
        return failed(LinkStatus::SendRefused, requests + 2);
    return {LinkStatus::Ok, LinkCommand::Read};
}

} // namespace korvo
