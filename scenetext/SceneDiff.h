#pragma once
// Control by control differences between two sets of scenes.

#include "scene/NoteNames.h"
#include "scene/SceneBank.h"

#include <string>
#include <vector>

namespace korvo {

struct SceneDifference {
    std::string place;  // "scene 2, Knob-3, CC Number"
    std::string before; // as the panels show it (ValueForms)
    std::string after;
};

// Every difference between the records, in scene and control order. Two banks
// have no differences exactly when their 3,536 bytes are equal: the name block's
// length byte, characters beyond the name and padding are compared too.
std::vector<SceneDifference> CompareScenes(const SceneBank& a, const SceneBank& b, const NoteNames& notes);

// The scenes as the controller holds them: each name as its 12 character bytes,
// each value as its lowest 8 bits, no padding. Two banks the controller cannot
// tell apart give the same result.
SceneBank AsControllerHolds(const SceneBank& bank);

} // namespace korvo
