#include "files/Crc32.h"

#include <array>

namespace korvo {

namespace {

constexpr std::array<std::uint32_t, 256> MakeTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr auto Table = MakeTable();

} // namespace

std::uint32_t Crc32(std::string_view bytes)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char byte : bytes)
        c = Table[(c ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

} // namespace korvo
