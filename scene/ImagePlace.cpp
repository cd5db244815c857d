#include "scene/ImagePlace.h"

#include "scene/DeviceImage.h"

namespace korvo {

std::string DescribeImagePlace(int imageOffset)
{
    if (imageOffset < 0 || imageOffset >= DeviceImageSize)
        return "byte " + std::to_string(imageOffset) + ", outside the scene images";
    const int scene = imageOffset / SceneImageSize + 1;
    const int place = imageOffset % SceneImageSize;
    if (place < SceneNameMax)
        return ScenePlace(scene, ControlKind::Common, 0,
                          std::string(SceneNameCaption) + " (character " + std::to_string(place + 1) + ")");
    for (const SceneField& f : SceneFields)
        if (place >= f.imageOffset && place < f.imageOffset + f.count)
            return ScenePlace(scene, f.control, place - f.imageOffset, f.caption);
    return ScenePlace(scene, ControlKind::Common, 0, "byte " + std::to_string(place)); // the table covers the image
}

std::string ScenePlace(int scene, ControlKind kind, int element, std::string_view what)
{
    return "scene " + std::to_string(scene) + ", " + ControlName(kind, element) + ", " + std::string(what);
}

} // namespace korvo
