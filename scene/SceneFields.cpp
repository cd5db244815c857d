#include "scene/SceneFields.h"

#include "scene/DeviceImage.h"

namespace korvo {

namespace {

// Each field has one element per control of its kind, the fields of a kind stand
// together, the image places cover the scene image after the name exactly once,
// and the record places cover every numeric word of the record exactly once.
constexpr bool TableIsConsistent()
{
    std::array<int, SceneImageSize> imageUses{};
    std::array<int, sizeof(TSceneRecord) / 4> wordUses{};
    for (std::size_t i = 0; i < SceneFields.size(); ++i) {
        const SceneField& f = SceneFields[i];
        if (f.count != KindInfo(f.control).count)
            return false;
        for (std::size_t j = i + 1; j < SceneFields.size(); ++j)
            if (SceneFields[j].control == f.control && SceneFields[j - 1].control != f.control)
                return false;
        for (int e = 0; e < f.count; ++e) {
            const int image = f.imageOffset + e;
            if (image < SceneNameMax || image >= SceneImageSize)
                return false;
            ++imageUses[static_cast<std::size_t>(image)];
            ++wordUses[f.recordOffset / 4 + static_cast<std::size_t>(e)];
        }
    }
    for (int b = 0; b < SceneImageSize; ++b)
        if (imageUses[static_cast<std::size_t>(b)] != (b < SceneNameMax ? 0 : 1))
            return false;
    for (std::size_t w = 0; w < wordUses.size(); ++w)
        if (wordUses[w] != (w < offsetof(TSceneRecord, SceneMIDICh) / 4 ? 0 : 1))
            return false;
    return true;
}
static_assert(TableIsConsistent());

} // namespace

std::string ControlName(ControlKind kind, int element)
{
    const ControlKindInfo& info = KindInfo(kind);
    if (kind == ControlKind::Common)
        return info.entryPrefix;
    return std::string(info.entryPrefix) + "-" + std::to_string(element + 1);
}

std::span<const SceneField> FieldsOf(ControlKind kind)
{
    std::size_t first = 0;
    while (first < SceneFields.size() && SceneFields[first].control != kind)
        ++first;
    std::size_t last = first;
    while (last < SceneFields.size() && SceneFields[last].control == kind)
        ++last;
    return std::span<const SceneField>(SceneFields.data() + first, last - first);
}

} // namespace korvo
