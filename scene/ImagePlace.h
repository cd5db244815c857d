#pragma once
// Names a byte of the packed device image for messages to the user.

#include <string>

namespace korvo {

// imageOffset: 0..915 into the packed device image.
std::string DescribeImagePlace(int imageOffset);

} // namespace korvo
