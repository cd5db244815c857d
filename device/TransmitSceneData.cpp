#include "device/TransmitSceneData.h"

#include "device/ProtocolMessages.h"
#include "device/ReplyWait.h"

namespace korvo {

namespace {

// Waits for the next reply after the mark, checks it and moves the mark past it.
bool TakeReply(const CaptureRing& ring, int& mark, std::uint32_t expected)
{
    if (!WaitForReplies(ring, mark, 1) || ring.SlotAfter(mark, 0) != expected)
        return false;
    mark = (mark + 1) % CaptureRingSize;
    return true;
}

} // namespace

int TransmitSceneData(MidiOutput* output, CaptureRing& ring, std::int32_t length, const SceneImageBuffer& buffer,
                      const TransferProgress& progress)
{
    if (!output)
        return 1;
    length = TransferLength(length);

    int mark = TakeMark(ring);
    const int blocks = (length + BlockSize - 1) / BlockSize;
    if (!output->Send(CmdWrite) || !output->Send(BlockCountMessage(static_cast<std::uint8_t>(blocks))) ||
        !TakeReply(ring, mark, CmdWrite))
        return 1;

    ProgressReporter reporter(progress, std::int64_t{blocks} * BlockSize);
    for (int b = 0; b < blocks; ++b) {
        for (int k = 0; k < BlockSize; ++k) {
            const int n = b * BlockSize + k;
            const std::uint32_t message = n < length ? DataMessage(buffer[static_cast<std::size_t>(n)]) : FillerMessage;
            if (!output->Send(message))
                return 1;
            reporter.Position(n);
        }
        const bool last = b == blocks - 1;
        if (!TakeReply(ring, mark, last ? FinalAcknowledgement : BlockAcknowledgement))
            return 1;
    }
    return 0;
}

} // namespace korvo
