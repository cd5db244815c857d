#pragma once
// The packed form in which the controller holds its four scenes: one byte per
// setting, 229 bytes per scene, 916 bytes in all.

#include "scene/SceneBank.h"

#include <array>
#include <cstdint>

namespace korvo {

inline constexpr int SceneImageSize = 229;                          // one TSceneImage
inline constexpr int DeviceImageSize = SceneCount * SceneImageSize; // 916
inline constexpr int SceneImageBufferSize = 1024;

// Shared by the read and the write transfer; packing writes its first 916 bytes.
using SceneImageBuffer = std::array<std::uint8_t, SceneImageBufferSize>;

// Fills bytes 0..915 from the bank: the name's 12 character bytes as they stand,
// every number as its lowest 8 bits. Bytes 916..1023 are left alone. Returns 916.
int PackSceneImages(const SceneBank& bank, SceneImageBuffer& buffer);

// Overwrites all four records (the name block's padding excepted) from bytes
// 0..915: names of length 12, numbers 0..255. Returns 916.
int UnpackSceneImages(SceneBank& bank, const SceneImageBuffer& buffer);

} // namespace korvo
