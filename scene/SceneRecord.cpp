#include "scene/SceneRecord.h"

#include <algorithm>
#include <cstring>

namespace korvo {

void StoreSceneName(TSceneRecord& record, std::string_view name)
{
    const auto length = std::min<std::size_t>(name.size(), SceneNameMax);
    record.SceneNameLength = static_cast<std::uint8_t>(length);
    std::memcpy(record.SceneNameChars, name.data(), length);
}

std::string SceneNameText(const TSceneRecord& record)
{
    const auto length = std::min<std::size_t>(record.SceneNameLength, SceneNameMax);
    return std::string(record.SceneNameChars, length);
}

} // namespace korvo
