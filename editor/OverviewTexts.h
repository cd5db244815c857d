#pragma once
// The texts of the overlay labels and scene buttons: an overview of one chosen
// property (the display mode) of every control of the current scene.

#include "editor/ControlIndex.h"
#include "editor/ListItems.h"
#include "scene/NoteNames.h"
#include "scene/SceneBank.h"

#include <array>
#include <optional>
#include <string>

namespace korvo {

// Two-line texts are a prefix, a carriage return and a value.
inline constexpr char LineBreak = '\r';
inline constexpr const char* NoValue = "---";

std::string KnobText(const TSceneRecord& r, DisplayMode mode, int k);
std::string SliderText(const TSceneRecord& r, DisplayMode mode, int k);
std::string PadText(const TSceneRecord& r, DisplayMode mode, int k, const NoteNames& notes);
std::string KeyText(const TSceneRecord& r, DisplayMode mode, int k);
std::string GroupText(const TSceneRecord& r, int g);

struct OverviewTexts {
    std::array<std::string, 4> sceneButtons; // the stored names of scenes 1..4
    // Texts of Label31..Label75 in order. Groups (the first 4) are always written;
    // for a mode outside 0..7 the other 41 are empty optionals: keep their texts.
    std::array<std::optional<std::string>, OverlayLabelCount> labels;
};

OverviewTexts ComputeOverview(const SceneBank& bank, int mode, const NoteNames& notes);

} // namespace korvo
