#pragma once
// CRC-32 (the polynomial of zip and PNG), for checking files the editor writes itself.

#include <cstdint>
#include <string_view>

namespace korvo {

std::uint32_t Crc32(std::string_view bytes);

} // namespace korvo
