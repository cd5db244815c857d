#include "editor/ControlClipboard.h"

#include <cstring>

namespace korvo {

namespace {

template <class Clipboard>
auto* ClipRun(Clipboard& c, ControlKind kind)
{
    switch (kind) {
    case ControlKind::Group:
        return c.Group;
    case ControlKind::Knob:
        return c.Knob;
    case ControlKind::Slider:
        return c.Slider;
    case ControlKind::Pad:
        return c.Pad;
    default:
        return c.Key;
    }
}

bool IsControl(ControlKind kind)
{
    return kind != ControlKind::Common;
}

} // namespace

void CopyControl(ControlClipboard& clip, const TSceneRecord& r, ControlKind selectedKind, int controlIndex)
{
    clip.ClipboardKind = selectedKind;
    const ControlRef c = ControlAt(controlIndex);
    if (!IsControl(selectedKind) || c.kind != selectedKind)
        return;
    std::memcpy(ClipRun(clip, selectedKind), RunElement(r, selectedKind, 0, 0),
                sizeof(std::int32_t) * static_cast<std::size_t>(RunSize(selectedKind)));
    clip.ClipboardIndex = c.element + 1;
}

bool PasteControl(const ControlClipboard& clip, TSceneRecord& r, ControlKind selectedKind, int controlIndex)
{
    if (selectedKind != clip.ClipboardKind)
        return false;
    const ControlRef c = ControlAt(controlIndex);
    if (!IsControl(selectedKind) || c.kind != selectedKind)
        return true;
    const int count = KindInfo(selectedKind).count;
    const int from = clip.ClipboardIndex - 1;
    if (from < 0 || from >= count)
        return true;
    const std::int32_t* block = ClipRun(clip, selectedKind);
    for (int f = 0; f < RunOf(selectedKind).fields; ++f)
        *RunElement(r, selectedKind, f, c.element) = block[f * count + from];
    return true;
}

} // namespace korvo
