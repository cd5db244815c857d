#include "scenetext/SceneDiff.h"

#include "scene/DeviceImage.h"
#include "scene/ImagePlace.h"
#include "scene/SceneFields.h"
#include "scenetext/SceneDump.h"
#include "scenetext/ValueForms.h"

#include <algorithm>
#include <span>

namespace korvo {

namespace {

// The character bytes from position from on.
std::span<const std::uint8_t> CharsFrom(const TSceneRecord& r, std::size_t from)
{
    return {reinterpret_cast<const std::uint8_t*>(r.SceneNameChars) + from, SceneNameMax - from};
}

std::size_t ShownLength(const TSceneRecord& r)
{
    return static_cast<std::size_t>(std::min<int>(r.SceneNameLength, SceneNameMax));
}

void CompareNameBlocks(std::vector<SceneDifference>& out, int scene, const TSceneRecord& a, const TSceneRecord& b)
{
    auto add = [&](const std::string& what, std::string before, std::string after) {
        out.push_back({ScenePlace(scene, ControlKind::Common, 0, what), std::move(before), std::move(after)});
    };
    if (a.SceneNameLength != b.SceneNameLength || SceneNameText(a) != SceneNameText(b))
        add(SceneNameCaption, SceneNameShown(a), SceneNameShown(b));
    // The bytes after the longer of the two names; the name line covers the rest.
    const std::size_t from = std::max(ShownLength(a), ShownLength(b));
    const auto tailA = CharsFrom(a, from);
    const auto tailB = CharsFrom(b, from);
    if (!std::equal(tailA.begin(), tailA.end(), tailB.begin(), tailB.end()))
        add("bytes after the name", HexBytes(tailA), HexBytes(tailB));
    if (!std::equal(std::begin(a.Padding), std::end(a.Padding), std::begin(b.Padding)))
        add("padding", HexBytes(a.Padding), HexBytes(b.Padding));
}

} // namespace

std::vector<SceneDifference> CompareScenes(const SceneBank& a, const SceneBank& b, const NoteNames& notes)
{
    std::vector<SceneDifference> out;
    for (int s = 1; s <= SceneCount; ++s) {
        const TSceneRecord& ra = a.Scenes[static_cast<std::size_t>(s - 1)];
        const TSceneRecord& rb = b.Scenes[static_cast<std::size_t>(s - 1)];
        CompareNameBlocks(out, s, ra, rb);
        for (const ControlKindInfo& kind : ControlKinds)
            for (int e = 0; e < kind.count; ++e)
                for (const SceneField& f : FieldsOf(kind.kind)) {
                    if (FieldValue(ra, f, e) != FieldValue(rb, f, e))
                        out.push_back({ScenePlace(s, kind.kind, e, f.caption), FieldText(ra, f, e, notes),
                                       FieldText(rb, f, e, notes)});
                }
    }
    return out;
}

SceneBank AsControllerHolds(const SceneBank& bank)
{
    SceneImageBuffer image{};
    PackSceneImages(bank, image);
    SceneBank held;
    UnpackSceneImages(held, image);
    return held;
}

} // namespace korvo
