#pragma once
// The short messages exchanged with the controller, all Note On messages:
// commands on channel 13 (9C 01 code) and data bytes on channel 1 (90 hi lo).

#include <cstdint>

namespace korvo {

// The 32-bit encoding: status in bits 0-7, data1 in bits 8-15, data2 in bits 16-23.
constexpr std::uint32_t ShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2)
{
    return status | (std::uint32_t{data1} << 8) | (std::uint32_t{data2} << 16);
}
constexpr std::uint8_t StatusOf(std::uint32_t m) { return static_cast<std::uint8_t>(m); }
constexpr std::uint8_t Data1Of(std::uint32_t m) { return static_cast<std::uint8_t>(m >> 8); }
constexpr std::uint8_t Data2Of(std::uint32_t m) { return static_cast<std::uint8_t>(m >> 16); }

inline constexpr std::uint8_t CommandStatus = 0x9C;
inline constexpr std::uint8_t DataStatus = 0x90;

constexpr std::uint32_t CommandMessage(std::uint8_t code) { return ShortMessage(CommandStatus, 0x01, code); }

inline constexpr std::uint32_t CmdIdentify = CommandMessage(0x02);                 // 9C 01 02, echoed
inline constexpr std::uint32_t IdentifyMarker = ShortMessage(CommandStatus, 0x7E, 0x7D);
inline constexpr std::uint32_t IdentityReply = CommandMessage(0x38);               // the controller's answer
inline constexpr std::uint32_t CmdWrite = CommandMessage(0x03);                    // echoed
inline constexpr std::uint32_t CmdRead = CommandMessage(0x04);                     // echoed
inline constexpr std::uint32_t CmdEnd = CommandMessage(0x05);
inline constexpr std::uint32_t CmdNextByte = CommandMessage(0x06);
inline constexpr std::uint32_t BlockAcknowledgement = CmdRead;   // after every block of a write but the last
inline constexpr std::uint32_t FinalAcknowledgement = CmdEnd;    // after the last block of a write
inline constexpr std::uint32_t FillerMessage = ShortMessage(DataStatus, 0, 0);

// 9C 00 n: the number of 512-byte blocks that follow CmdWrite.
constexpr std::uint32_t BlockCountMessage(std::uint8_t blocks) { return ShortMessage(CommandStatus, 0x00, blocks); }

// One image byte as two nibbles: 90 hi lo.
constexpr std::uint32_t DataMessage(std::uint8_t byte)
{
    return ShortMessage(DataStatus, static_cast<std::uint8_t>(byte >> 4), static_cast<std::uint8_t>(byte & 0x0F));
}

// The byte a reply carries: the low nibbles of data1 and data2. The status and the
// upper bits are not looked at.
constexpr std::uint8_t ByteOfReply(std::uint32_t m)
{
    return static_cast<std::uint8_t>(((Data1Of(m) & 0x0F) << 4) | (Data2Of(m) & 0x0F));
}

inline constexpr int BlockSize = 512;

static_assert(CmdIdentify == 0x0002019C && IdentifyMarker == 0x007D7E9C && IdentityReply == 0x0038019C);
static_assert(CmdRead == 0x0004019C && CmdWrite == 0x0003019C && CmdEnd == 0x0005019C && CmdNextByte == 0x0006019C);
static_assert(DataMessage(0xA5) == 0x00050A90 && FillerMessage == 0x00000090 && BlockCountMessage(2) == 0x0002009C);

} // namespace korvo
