#pragma once
// Naming a byte of the packed device image by the scene, control and field it holds.

#include "scene/SceneFields.h"

#include <string>
#include <string_view>

namespace korvo {

// imageOffset 0..915 into the device image: "scene 2, Knob-3, CC Number", or for
// the name bytes "scene 1, Common, Scene Name (character 5)". An offset outside
// the image gives "byte <n>, outside the scene images".
std::string DescribeImagePlace(int imageOffset);

// "scene <scene>, <control name>, <what>": how every place in the scenes is named.
std::string ScenePlace(int scene, ControlKind kind, int element, std::string_view what);

} // namespace korvo
