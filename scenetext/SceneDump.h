#pragma once
// The scenes as text for people: one line per control, values as the panels show
// them, and a stored value the editor does not offer as its number in brackets.

#include "scene/NoteNames.h"
#include "scene/SceneBank.h"

#include <string>

namespace korvo {

// Every scene, or scene onlyScene (1..4) alone.
std::string DumpScenes(const SceneBank& bank, const NoteNames& notes, int onlyScene = 0);

// The name as the panel shows it, quoted, with "[length n]" after it when the
// length byte says more than 12.
std::string SceneNameShown(const TSceneRecord& r);

} // namespace korvo
