#include "scene/ImagePlace.h"

#include "scene/DeviceImage.h"

namespace korvo {

std::string DescribeImagePlace(int imageOffset)
{
    return "scene " + std::to_string(imageOffset / SceneImageSize + 1) + ", byte " +
           std::to_string(imageOffset % SceneImageSize);
}

} // namespace korvo
