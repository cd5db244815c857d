#include "scenetext/SceneDump.h"

#include "scene/SceneFields.h"
#include "scenetext/ValueForms.h"

#include <algorithm>

namespace korvo {

namespace {

constexpr std::size_t NameColumn = 16; // wide enough for "Group Common-4"

std::string ControlLine(const TSceneRecord& r, ControlKind kind, int element, const NoteNames& notes)
{
    std::string line = "  " + ControlName(kind, element);
    line.resize(std::max(line.size() + 1, NameColumn + 2), ' ');
    bool first = true;
    if (kind == ControlKind::Common) {
        line += std::string(SceneNameCaption) + ": " + SceneNameShown(r);
        first = false;
    }
    for (const SceneField& f : FieldsOf(kind)) {
        line += (first ? "" : ", ") + std::string(f.caption) + ": " + FieldText(r, f, element, notes);
        first = false;
    }
    return line + "\n";
}

} // namespace

std::string SceneNameShown(const TSceneRecord& r)
{
    std::string text = QuotedName(SceneNameText(r));
    if (r.SceneNameLength > SceneNameMax)
        text += " [length " + std::to_string(r.SceneNameLength) + "]";
    return text;
}

std::string DumpScenes(const SceneBank& bank, const NoteNames& notes, int onlyScene)
{
    std::string out;
    for (int s = 1; s <= SceneCount; ++s) {
        if (onlyScene != 0 && s != onlyScene)
            continue;
        const TSceneRecord& r = bank.Scenes[static_cast<std::size_t>(s - 1)];
        out += (out.empty() ? "" : "\n") + std::string("Scene ") + std::to_string(s) + "\n";
        for (const ControlKindInfo& kind : ControlKinds)
            for (int e = 0; e < kind.count; ++e)
                out += ControlLine(r, kind.kind, e, notes);
    }
    return out;
}

} // namespace korvo
