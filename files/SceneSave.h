#pragma once
// Saving the scenes over a file: the previous version becomes the backup.

#include "scene/SceneBank.h"

#include <string>

namespace korvo {

// Returns the backup name. Throws SceneFileError.
std::string SaveSceneFile(const std::string& path, const SceneBank& bank);

} // namespace korvo
