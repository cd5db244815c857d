#include "scene/DeviceImage.h"

#include <cstddef>
#include <cstring>

namespace korvo {

namespace {

// Where each numeric field of the record sits in a scene image. The image order
// differs from the record's: keys come before groups, knobs and sliders, and pad
// channel and behaviour come before the pad values.
struct ImageField {
    int image;          // first byte in the scene image
    std::size_t record; // byte offset of the first element in TSceneRecord
    int count;          // elements
};

constexpr ImageField ImageFields[] = {
    {12, offsetof(TSceneRecord, SceneMIDICh), 1},
    {13, offsetof(TSceneRecord, PianoKeyCh), 1},
    {14, offsetof(TSceneRecord, BendSpeed), 1},
    {15, offsetof(TSceneRecord, KeyTrans), 1},
    {16, offsetof(TSceneRecord, KeyVelocityCurve), 1},
    {17, offsetof(TSceneRecord, KeyConstVelocity), 1},
    {18, offsetof(TSceneRecord, PadVelocityCurve), 1},
    {19, offsetof(TSceneRecord, PadConstVelocity), 1},
    {20, offsetof(TSceneRecord, KeyAssignType), KeyCount},
    {45, offsetof(TSceneRecord, KeyBehavior), KeyCount},
    {70, offsetof(TSceneRecord, KeyCCNumber), KeyCount},
    {95, offsetof(TSceneRecord, KeyONValue), KeyCount},
    {120, offsetof(TSceneRecord, KeyOFFValue), KeyCount},
    {145, offsetof(TSceneRecord, MIDICh), GroupCount},
    {149, offsetof(TSceneRecord, KonbEnable), KnobCount},
    {153, offsetof(TSceneRecord, KonbCCNumber), KnobCount},
    {157, offsetof(TSceneRecord, KonbURValue), KnobCount},
    {161, offsetof(TSceneRecord, KonbLLValue), KnobCount},
    {165, offsetof(TSceneRecord, SliderEnable), SliderCount},
    {169, offsetof(TSceneRecord, SliderCCNumber), SliderCount},
    {173, offsetof(TSceneRecord, SliderURValue), SliderCount},
    {177, offsetof(TSceneRecord, SliderLLValue), SliderCount},
    {181, offsetof(TSceneRecord, PadAssignType), PadCount},
    {189, offsetof(TSceneRecord, PadCCNumber), PadCount},
    {197, offsetof(TSceneRecord, PadMIDICh), PadCount},
    {205, offsetof(TSceneRecord, PadBehavior), PadCount},
    {213, offsetof(TSceneRecord, PadONValue), PadCount},
    {221, offsetof(TSceneRecord, PadOFFValue), PadCount},
};

// The table covers the image without gaps or overlaps, and every numeric word of
// the record exactly once.
constexpr bool ImageTableIsComplete()
{
    int next = SceneNameMax;
    std::size_t words = 0;
    for (const auto& f : ImageFields) {
        if (f.image != next)
            return false;
        next += f.count;
        words += static_cast<std::size_t>(f.count);
    }
    return next == SceneImageSize && words * 4 == sizeof(TSceneRecord) - offsetof(TSceneRecord, SceneMIDICh);
}
static_assert(ImageTableIsComplete());

std::int32_t ReadWord(const TSceneRecord& r, std::size_t offset)
{
    std::int32_t v;
    std::memcpy(&v, reinterpret_cast<const unsigned char*>(&r) + offset, sizeof v);
    return v;
}

void WriteWord(TSceneRecord& r, std::size_t offset, std::int32_t v)
{
    std::memcpy(reinterpret_cast<unsigned char*>(&r) + offset, &v, sizeof v);
}

} // namespace

int PackSceneImages(const SceneBank& bank, SceneImageBuffer& buffer)
{
    for (std::size_t s = 0; s < SceneCount; ++s) {
        const TSceneRecord& r = bank.Scenes[s];
        std::uint8_t* image = buffer.data() + s * SceneImageSize;
        std::memcpy(image, r.SceneNameChars, SceneNameMax);
        for (const auto& f : ImageFields)
            for (int e = 0; e < f.count; ++e)
                image[f.image + e] = static_cast<std::uint8_t>(ReadWord(r, f.record + 4u * static_cast<unsigned>(e)));
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
        for (const auto& f : ImageFields)
            for (int e = 0; e < f.count; ++e)
                WriteWord(r, f.record + 4u * static_cast<unsigned>(e), image[f.image + e]);
    }
    return DeviceImageSize;
}

} // namespace korvo
