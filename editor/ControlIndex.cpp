#include "editor/ControlIndex.h"

namespace korvo {

std::string ControlEntryName(int index)
{
    if (index == 0)
        return "Common";
    const ControlRef c = ControlAt(index);
    if (c.kind == ControlKind::Common)
        return "";
    return InfoOf(c.kind).entryPrefix + std::to_string(c.element + 1);
}

} // namespace korvo
