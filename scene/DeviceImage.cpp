#include "scene/DeviceImage.h"

#include "scene/SceneFields.h"

#include <cstring>

namespace korvo {

// Every field goes to and comes from its place in the image as SceneFields gives it.
int PackSceneImages(const SceneBank& bank, SceneImageBuffer& buffer)
{
    for (std::size_t s = 0; s < SceneCount; ++s) {
        const TSceneRecord& r = bank.Scenes[s];
        std::uint8_t* image = buffer.data() + s * SceneImageSize;
        std::memcpy(image, r.SceneNameChars, SceneNameMax);
        for (const auto& f : SceneFields)
            for (int e = 0; e < f.count; ++e)
                image[f.imageOffset + e] = static_cast<std::uint8_t>(FieldValue(r, f, e));
    }
    return DeviceImageSize;
}

int UnpackSceneImages(SceneBank& bank, const SceneImageBuffer& buffer)
{
    for (std::size_t s = 0; s < SceneCount; ++s) {
        TSceneRecord& r = bank.Scenes[s];
        const std::uint8_t* image = buffer.data() + s * SceneImageSize;
        r.SceneNameLength = SceneNameMax;
        std::memcpy(r.SceneNameChars, image, SceneNameMax);
        for (const auto& f : SceneFields)
            for (int e = 0; e < f.count; ++e)
                SetFieldValue(r, f, e, image[f.imageOffset + e]);
    }
    return DeviceImageSize;
}

} // namespace korvo
