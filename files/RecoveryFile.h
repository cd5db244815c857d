#pragma once
// The recovery file: the unsaved scene bank and the name of the file it belongs to,
// kept so that a crash loses nothing. Layout (integers little-endian):
//   8 bytes  "KORVOREC"
//   uint32   format version (RecoveryFormatVersion)
//   uint32   length n of the file name (at most RecoveryNameMax)
//   n bytes  the file name (may be empty; no zero byte)
//   3,536    the four scene records, as in a scene file
//   uint32   CRC-32 of everything before it

#include "scene/SceneBank.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvo {

inline constexpr std::uint32_t RecoveryFormatVersion = 1;
inline constexpr std::size_t RecoveryNameMax = 4096;

struct RecoveredScenes {
    std::string FileName; // the name Save writes to; empty when none was known
    std::array<TSceneRecord, SceneCount> Scenes{};
};

enum class RecoveryFault {
    None,
    Unreadable,
    TooShort,
    TooLong,
    NotARecoveryFile,
    NewerFormat,
    BadHeader,
    BadChecksum,
};

struct RecoveryReadResult {
    RecoveryFault Fault = RecoveryFault::None;
    // For the user, naming the file: "Cannot restore <path>: it is too short".
    std::string Message;
    // Present only when the whole file checked out; never partly filled.
    std::optional<RecoveredScenes> Contents;
};

std::string EncodeRecoveryFile(const std::string& fileName, const SceneBank& bank);

// Checks every field; Message is left empty (the bytes have no path).
RecoveryReadResult DecodeRecoveryFile(std::string_view bytes);

// Writes with WriteFileSafely (no backup), readable by the user only. Throws
// SceneFileError; a name longer than RecoveryNameMax or holding a zero byte is refused.
void WriteRecoveryFile(const std::string& path, const std::string& fileName, const SceneBank& bank);

// Reads and checks the file; a fault comes back with its message, never as an exception.
RecoveryReadResult ReadRecoveryFile(const std::string& path);

// Renames a bad recovery file to <path>.bad-<UTC time>, so that it is kept for a
// look but never offered again; removes it when it cannot be renamed. Returns the
// new name, or "" when it was removed or was already gone.
std::string MoveRecoveryFileAside(const std::string& path);

} // namespace korvo
