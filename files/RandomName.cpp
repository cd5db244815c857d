#include "files/RandomName.h"

#include <cstdio>
#include <random>

namespace korvo {

std::string RandomHexDigits()
{
    thread_local std::mt19937 engine{std::random_device{}()};
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(engine()));
    return text;
}

} // namespace korvo
