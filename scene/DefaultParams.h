#pragma once
// DefPara.ini: the default value of every scene setting and two transfer settings.

#include "scene/SceneBank.h"
#include "scene/TextLines.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace korvo {

inline constexpr const char* DefaultParamsFileName = "DefPara.ini";

// The lines of DefPara.ini, in file order.
using DefaultParams = TextLines;

// The value of a Name=Value key: the rest of the first line whose text before its
// first "=" equals the key, ignoring letter case (blanks count). Empty if no line
// defines the key.
std::string FindValue(const DefaultParams& params, std::string_view key);

// Overwrites every field of all four scenes from the defaults (the name block's
// padding excepted). CurrentScene is left alone.
void LoadDefaults(SceneBank& bank, const DefaultParams& params);

// The transfer settings, read afresh by each transfer with the value trimmed.
inline constexpr std::int32_t SceneDataLenFallback = 916;
inline constexpr std::int32_t BlockAddOneFallback = 1;
std::int32_t SceneDataLen(const DefaultParams& params);
std::int32_t BlockAddOne(const DefaultParams& params);

} // namespace korvo
