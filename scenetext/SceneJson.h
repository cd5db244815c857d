#pragma once
// The JSON form of the scenes: readable and writable by people, exact enough that
// a scene file goes through it and comes back byte for byte. docs/scene-json.md
// describes it.

#include "scene/NoteNames.h"
#include "scene/SceneBank.h"
#include "scenetext/JsonTree.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace korvo {

inline constexpr const char* SceneJsonFormatName = "Korvo scenes";
inline constexpr int SceneJsonFormatVersion = 1;
// A file of four scenes is about 30 kB; anything far larger is not one.
inline constexpr std::size_t SceneJsonMaxBytes = 1 << 20;

// Reads a JSON text onto the bank: each field the text names replaces the bank's
// value, every other field keeps it, so a text that names three fields changes
// three. Note names are looked up in notes. Throws SceneJsonError naming the line
// and the field; the bank is then unchanged.
void ReadSceneJson(std::string_view text, const NoteNames& notes, SceneBank& bank);

// The JSON form of every scene, or of scene onlyScene (1..4) alone. It names every
// byte the records hold, so reading it onto any bank gives back these records.
std::string WriteSceneJson(const SceneBank& bank, const NoteNames& notes, int onlyScene = 0);

} // namespace korvo
