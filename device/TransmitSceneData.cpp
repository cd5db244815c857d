#include "device/TransmitSceneData.h"

#include "device/ProtocolMessages.h"

#include <optional>

namespace korvo {

namespace {

LinkResult Failed(LinkStatus status, int request = 0, int requests = 0)
{
    return {status, LinkCommand::Write, request, requests};
}

// Waits for the next reply after the mark and moves the mark past it. Nothing
// when it is the expected one; otherwise why not.
std::optional<LinkResult> TakeAcknowledgement(CaptureRing& ring, int& mark, int block, int blocks,
                                              const WaitLimits& limits)
{
    if (!WaitForReplies(ring, mark, 1, limits.Bound))
        return Failed(LinkStatus::NoAcknowledgement, block, blocks);
    const std::uint32_t reply = ring.SlotAfter(mark, 0);
    const std::uint32_t expected = block == blocks ? FinalAcknowledgement : BlockAcknowledgement;
    if (reply != expected) {
        const bool otherAcknowledgement = reply == BlockAcknowledgement || reply == FinalAcknowledgement;
        return Failed(otherAcknowledgement ? LinkStatus::WrongAcknowledgement : LinkStatus::UnaskedMessage, block,
                      blocks);
    }
    mark = (mark + 1) % CaptureRingSize;
    return std::nullopt;
}

} // namespace

LinkResult TransmitSceneData(MidiOutput* output, CaptureRing& ring, std::int32_t length, const SceneImageBuffer& buffer,
                             const TransferProgress& progress, const WaitLimits& limits)
{
    if (!output)
        return Failed(LinkStatus::DeviceNotFound);
    length = TransferLength(length);

    if (limits.Cancelled())
        return Failed(LinkStatus::Cancelled);
    int mark = TakeMark(ring);
    const int blocks = (length + BlockSize - 1) / BlockSize;
    if (!output->Send(CmdWrite))
        return Failed(LinkStatus::SendRefused, 1);
    if (!output->Send(BlockCountMessage(static_cast<std::uint8_t>(blocks))))
        return Failed(LinkStatus::SendRefused, 2);
    if (!WaitForReplies(ring, mark, 1, limits.Bound))
        return Failed(LinkStatus::NoCommandReply);
    if (ring.SlotAfter(mark, 0) != CmdWrite)
        return Failed(LinkStatus::WrongEcho);
    mark = (mark + 1) % CaptureRingSize;

    ProgressReporter reporter(progress, std::int64_t{blocks} * BlockSize);
    for (int b = 0; b < blocks; ++b) {
        for (int k = 0; k < BlockSize; ++k) {
            const int n = b * BlockSize + k;
            if (limits.Cancelled())
                return Failed(LinkStatus::Cancelled);
            const std::uint32_t message = n < length ? DataMessage(buffer[static_cast<std::size_t>(n)]) : FillerMessage;
            if (!output->Send(message))
                return Failed(LinkStatus::SendRefused, n + 3);
            reporter.Position(n);
        }
        if (auto failure = TakeAcknowledgement(ring, mark, b + 1, blocks, limits))
            return *failure;
    }
    return {LinkStatus::Ok, LinkCommand::Write};
}

} // namespace korvo
