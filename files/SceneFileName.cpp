#include "files/SceneFileName.h"

#include <cstdio>

namespace korvo {

std::string StampedSceneFileName(const std::tm& t)
{
    char text[64];
    std::snprintf(text, sizeof text, "scene%02d%02d%02d%02d%02d.kvo", (t.tm_year + 1900) % 100, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min);
    return text;
}

std::string StampedSceneFileName()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return StampedSceneFileName(local);
}

} // namespace korvo
