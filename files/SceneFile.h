#pragma once
// Scene files (*.kvo): the four scene records back to back, 3,536 bytes, no header.

#include "scene/SceneBank.h"

#include <string>

namespace korvo {

inline constexpr int SceneFileSize = SceneCount * static_cast<int>(sizeof(TSceneRecord));

// Reads four records into scenes 1..4, each whole (padding included). The file is
// opened for reading only. A file that ends inside a record has replaced the
// scenes before that record and the start of that record with what it holds, and
// then fails with "Read beyond end of file"; bytes after the fourth record are
// ignored. Throws SceneFileError.
void ReadSceneFile(const std::string& path, SceneBank& bank);

// Creates (or replaces) the file and writes the four records. Throws SceneFileError.
void WriteSceneFile(const std::string& path, const SceneBank& bank);

// The four records as the file holds them.
std::string SceneFileBytes(const SceneBank& bank);

// Save and Save as: writes the four records with WriteFileSafely, keeping the
// previous version as <name>.BAK in the working directory (an existing backup is
// never replaced). On failure the file keeps its previous content and the
// SceneFileError names it ("Cannot save <path>: Disk full"). Returns the backup
// name when the file existed before, otherwise "".
std::string SaveSceneFile(const std::string& path, const SceneBank& bank);

} // namespace korvo
