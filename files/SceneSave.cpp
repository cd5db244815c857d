#include "files/SceneSave.h"

#include "files/SceneBackup.h"
#include "files/SceneFile.h"

#include <filesystem>

namespace korvo {

std::string SaveSceneFile(const std::string& path, const SceneBank& bank)
{
    std::string backup;
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec))
        backup = MakeBackup(path);
    WriteSceneFile(path, bank);
    return backup;
}

} // namespace korvo
