// Any bytes as DefPara.ini: the lines, LoadDefaults and the transfer keys.
#include "scene/DefaultParams.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto params = korvo::SplitLines(std::string_view(reinterpret_cast<const char*>(data), size));
    korvo::SceneBank bank;
    korvo::LoadDefaults(bank, params);
    for (const auto& scene : bank.Scenes)
        if (scene.SceneNameLength > korvo::SceneNameMax)
            __builtin_trap();
    (void)korvo::SceneDataLen(params);
    (void)korvo::BlockAddOne(params);
    return 0;
}
