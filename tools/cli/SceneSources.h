#pragma once
// Where korvo-cli takes scenes from and puts them: .kvo scene files, .json files
// of the JSON form, and "device:", the controller itself.

#include "scene/DefaultParams.h"
#include "scene/NoteNames.h"
#include "scene/SceneBank.h"

#include <string>

namespace korvo::cli {

enum class SourceKind { Kvo, Json, Device };

inline constexpr const char* DeviceSource = "device:";

// By the extension (.kvo or .json, any letter case), or "device:" when allowed.
// Anything else is a usage error.
SourceKind KindOfSource(const std::string& source, bool deviceAllowed);

// The settings a command works with: the start-up files and the options that
// choose them.
struct SceneContext {
    DefaultParams params;
    NoteNames notes;
    std::string baseFile; // --base, or empty for the defaults
    bool quiet = false;

    // The bank that a JSON file's missing fields and a read's spare bytes come
    // from: --base FILE (itself read onto the defaults), else the defaults.
    SceneBank Base() const;
};

// A .kvo file (exactly 3,536 bytes) or a .json file read onto the base.
SceneBank LoadSceneFile(const std::string& path, const SceneContext& context);

// The scenes of a file or of the controller (read now, onto the base).
SceneBank LoadSource(const std::string& source, const SceneContext& context);

// Checks before any work that the output can be written: its folder exists and,
// unless force is set, no file of that name exists.
void CheckOutput(const std::string& path, bool force);

// Writes the bank as .kvo or .json (by the extension) with WriteFileSafely.
void SaveSceneFile(const std::string& path, const SceneBank& bank, const NoteNames& notes);

} // namespace korvo::cli
