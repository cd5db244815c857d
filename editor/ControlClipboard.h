#pragma once
// Copy and paste of one control's settings onto another control of the same kind,
// through a buffer of the editor's own (not the system clipboard).

#include "scene/SceneRecord.h"

#include <cstdint>

namespace korvo {

struct ControlClipboard {
    int ClipboardKind = 0;  // SelectedKind at the last Copy: 0 Common/nothing, 1..5 a kind
    int ClipboardIndex = 0; // the copied control's number within its kind, from 1
    // Snapshots of every control of a kind, in the record's layout.
    std::int32_t Group[4]{};
    std::int32_t Knob[16]{};
    std::int32_t Slider[16]{};
    std::int32_t Pad[48]{};
    std::int32_t Key[125]{};
};

// Takes the selected kind and, for a control, its whole kind's block of the record.
void CopyControl(ControlClipboard& clip, const TSceneRecord& r, int selectedKind, int controlIndex);

// Pastes the copied control's settings onto the selected control when the kinds
// match. Returns true when they match (the panel is then shown again), also for
// kind 0, where nothing changes.
bool PasteControl(const ControlClipboard& clip, TSceneRecord& r, int selectedKind, int controlIndex);

} // namespace korvo
