#include "editor/ControlIndex.h"

namespace korvo {

std::string ControlEntryName(int index)
{
    const ControlRef c = ControlAt(index);
    const std::string n = std::to_string(c.element + 1);
    switch (c.kind) {
    case KindGroup:
        return "Group Common-" + n;
    case KindKnob:
        return "Knob-" + n;
    case KindSlider:
        return "Slider-" + n;
    case KindPad:
        return "Trigger Pad-" + n;
    case KindKey:
        return "Key-" + n;
    default:
        return index == 0 ? "Common" : "";
    }
}

} // namespace korvo
