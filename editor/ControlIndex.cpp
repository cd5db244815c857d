#include "editor/ControlIndex.h"

#include "scene/SceneFields.h"

namespace korvo {

static_assert(static_cast<int>(ControlKind::Group) == KindGroup && static_cast<int>(ControlKind::Knob) == KindKnob &&
              static_cast<int>(ControlKind::Slider) == KindSlider && static_cast<int>(ControlKind::Pad) == KindPad &&
              static_cast<int>(ControlKind::Key) == KindKey);

std::string ControlEntryName(int index)
{
    const ControlRef c = ControlAt(index);
    if (c.kind == KindCommon)
        return index == 0 ? ControlName(ControlKind::Common, 0) : "";
    return ControlName(static_cast<ControlKind>(c.kind), c.element);
}

} // namespace korvo
