#pragma once
// The four scenes the editor works on, and which of them is shown.

#include "scene/SceneRecord.h"

#include <array>
#include <cstdint>

namespace korvo {

inline constexpr int SceneCount = 4;

struct SceneBank {
    // Zero-filled when created; scene 1 first, contiguous (3,536 bytes).
    std::array<TSceneRecord, SceneCount> Scenes{};
    // 1..4: the scene shown and edited.
    std::int32_t CurrentScene = 1;

    TSceneRecord& Current() { return Scenes[static_cast<std::size_t>(CurrentScene - 1)]; }
    const TSceneRecord& Current() const { return Scenes[static_cast<std::size_t>(CurrentScene - 1)]; }
};

static_assert(sizeof(SceneBank::Scenes) == 3536);

} // namespace korvo
