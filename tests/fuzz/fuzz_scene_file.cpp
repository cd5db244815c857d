// Any bytes as a scene file: read it into the bank, then pack and unpack the image.
#include "files/SceneFile.h"
#include "files/SceneFileError.h"
#include "scene/DeviceImage.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/korvo-fuzz-" + std::to_string(getpid()) + ".kvo";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    korvo::SceneBank bank;
    try {
        korvo::ReadSceneFile(path, bank);
    } catch (const korvo::SceneFileError&) {
        if (size >= static_cast<std::size_t>(korvo::SceneFileSize))
            __builtin_trap(); // a whole file must read
    }
    korvo::SceneImageBuffer buffer{};
    korvo::PackSceneImages(bank, buffer);
    korvo::UnpackSceneImages(bank, buffer);
    return 0;
}
