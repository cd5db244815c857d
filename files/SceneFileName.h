#pragma once
// The name proposed for a new scene file.

#include <ctime>
#include <string>

namespace korvo {

// "scene" + yymmddhhnn + ".kvo" for the given local time, e.g. scene2412092305.kvo.
std::string StampedSceneFileName(const std::tm& localTime);

// The same for the current local date and time.
std::string StampedSceneFileName();

} // namespace korvo
