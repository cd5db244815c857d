#include "editor/ControlIndex.h"

namespace korvo {

std::string ControlEntryName(int index)
{
    const ControlRef c = ControlAt(index);
    if (c.kind == ControlKind::Common)
        return index == 0 ? ControlName(ControlKind::Common, 0) : "";
    return ControlName(c.kind, c.element);
}

} // namespace korvo
