#include "tools/emulator/EmulatedController.h"

#include "device/ProtocolMessages.h"

namespace korvo {

namespace {

// Where a note flood starts in a read.
constexpr int FloodAfterReply = 100;

} // namespace

void EmulatedController::Reply(std::uint32_t message, std::vector<std::uint32_t>& replies)
{
    if (inTransfer_ && ++repliesInTransfer_ == faults_.noteBeforeReply)
        replies.push_back(InjectedNote);
    replies.push_back(message);
}

std::string EmulatedController::Receive(std::uint32_t message, std::vector<std::uint32_t>& replies)
{
    if (faults_.silent || gone_)
        return {};
    if (faults_.loopback) {
        replies.push_back(message);
        return {};
    }
    if (message == CmdRead || message == CmdWrite)
        messagesInTransfer_ = 0;
    if (inTransfer_ || message == CmdRead || message == CmdWrite) {
        if (++messagesInTransfer_ == faults_.quitAt) {
            gone_ = true;
            return QuitLine;
        }
    }

    if (state_ == State::WriteCount || state_ == State::Writing) {
        if (StatusOf(message) == DataStatus && state_ == State::Writing)
            return WriteData(message, replies);
        if (message == BlockCountMessage(Data2Of(message)) && state_ == State::WriteCount) {
            writeBlocks_ = Data2Of(message);
            writePosition_ = 0;
            incoming_ = image_;
            state_ = State::Writing;
            if (writeBlocks_ == 0) {
                Reply(faults_.wrongAck ? BlockAcknowledgement : FinalAcknowledgement, replies);
                state_ = State::Idle;
            }
            return {};
        }
        // Anything else abandons the write; the image stays as it was.
        state_ = State::Idle;
    }

    if (message == CmdIdentify) {
        inTransfer_ = false;
        state_ = State::HandshakeStarted;
        if (faults_.instantEcho)
            Reply(CmdIdentify, replies);
    } else if (message == IdentifyMarker && state_ == State::HandshakeStarted) {
        // Both messages of the handshake seen: the echo, then the identity.
        if (!faults_.instantEcho)
            Reply(CmdIdentify, replies);
        Reply(faults_.wrongIdentity ? CommandMessage(0x39) : IdentityReply, replies);
        state_ = State::Idle;
    } else if (message == CmdRead) {
        inTransfer_ = true;
        repliesInTransfer_ = 0;
        byteRequests_ = 0;
        Reply(CmdRead, replies);
        Reply(BlockCountMessage(AnnouncedBlocks), replies);
        state_ = State::Reading;
    } else if (message == CmdNextByte && state_ == State::Reading) {
        const int position = byteRequests_++;
        if (byteRequests_ == faults_.noReplyToByte)
            return {};
        const std::uint8_t byte = position < DeviceImageSize ? image_[static_cast<std::size_t>(position)] : 0;
        Reply(DataMessage(byte), replies);
        if (byteRequests_ == FloodAfterReply)
            replies.insert(replies.end(), static_cast<std::size_t>(faults_.noteFlood), InjectedNote);
    } else if (message == CmdEnd && state_ == State::Reading) {
        state_ = State::Idle;
        inTransfer_ = false;
        return "read: " + std::to_string(byteRequests_) + " bytes requested";
    } else if (message == CmdWrite) {
        inTransfer_ = true;
        repliesInTransfer_ = 0;
        Reply(CmdWrite, replies);
        state_ = State::WriteCount;
    }
    return {};
}

std::string EmulatedController::WriteData(std::uint32_t message, std::vector<std::uint32_t>& replies)
{
    const int position = writePosition_++;
    if (position < DeviceImageSize) {
        std::uint8_t byte = ByteOfReply(message);
        if (position == faults_.corruptByte)
            byte = static_cast<std::uint8_t>((byte + 1) & 0x7F);
        incoming_[static_cast<std::size_t>(position)] = byte;
    }
    if (writePosition_ % BlockSize != 0)
        return {};
    const bool last = writePosition_ / BlockSize == writeBlocks_;
    const std::uint32_t ack = last != faults_.wrongAck ? FinalAcknowledgement : BlockAcknowledgement;
    Reply(ack, replies);
    if (!last)
        return {};
    state_ = State::Idle;
    inTransfer_ = false;
    if (faults_.wrongAck)
        return {};
    image_ = incoming_;
    return "write: " + std::to_string(writeBlocks_) + " blocks, " + std::to_string(writePosition_) +
           " data messages, image stored";
}

} // namespace korvo
