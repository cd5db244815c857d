#pragma once
// Copy and paste of one control's settings onto another control of the same kind,
// through a buffer of the editor's own (not the system clipboard).

#include "editor/ControlIndex.h"
#include "scene/SceneRecord.h"

#include <cstdint>

namespace korvo {

struct ControlClipboard {
    ControlKind ClipboardKind = ControlKind::Common; // SelectedKind at the last Copy
    int ClipboardIndex = 0; // the copied control's number within its kind, from 1
    // Snapshots of every control of a kind, in the record's layout.
    std::int32_t Group[RunSize(ControlKind::Group)]{};
    std::int32_t Knob[RunSize(ControlKind::Knob)]{};
    std::int32_t Slider[RunSize(ControlKind::Slider)]{};
    std::int32_t Pad[RunSize(ControlKind::Pad)]{};
    std::int32_t Key[RunSize(ControlKind::Key)]{};
};

// Takes the selected kind and, for a control, its whole kind's block of the record.
void CopyControl(ControlClipboard& clip, const TSceneRecord& r, ControlKind selectedKind, int controlIndex);

// Pastes the copied control's settings onto the selected control when the kinds
// match. Returns true when they match (the panel is then shown again), also for
// Common, where nothing changes.
bool PasteControl(const ControlClipboard& clip, TSceneRecord& r, ControlKind selectedKind, int controlIndex);

} // namespace korvo
