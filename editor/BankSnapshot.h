#pragma once
// What an undo step keeps: the four scenes' bytes and the file name they belong
// to, and where the change was made.

#include "scene/SceneBank.h"

#include <array>
#include <cstring>
#include <string>

namespace korvo {

struct BankSnapshot {
    std::array<TSceneRecord, SceneCount> scenes{};
    std::string fileName;

    bool operator==(const BankSnapshot& o) const
    {
        return std::memcmp(scenes.data(), o.scenes.data(), sizeof scenes) == 0 && fileName == o.fileName;
    }
};

// The scene and the control-list entry a step changed.
struct StepSelection {
    int scene = 1;
    int controlIndex = 0;
};

} // namespace korvo
