// Any bytes as a recovery file: it is either refused whole or accepted, and what is
// accepted encodes back to exactly the same bytes.
#include "files/RecoveryFile.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const korvo::RecoveryReadResult result = korvo::DecodeRecoveryFile(bytes);
    if (result.Contents.has_value() != (result.Fault == korvo::RecoveryFault::None))
        __builtin_trap();
    if (result.Contents) {
        korvo::SceneBank bank;
        bank.Scenes = result.Contents->Scenes;
        if (korvo::EncodeRecoveryFile(result.Contents->FileName, bank) != bytes)
            __builtin_trap();
    }
    return 0;
}
