#include "files/SceneFile.h"

#include "files/SafeFileWrite.h"
#include "files/SceneFileError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace korvo {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void Fail(int error, const std::string& path)
{
    throw SceneFileError(IoErrorMessage(error, path));
}

FileHandle Open(const std::string& path, const char* mode)
{
    errno = 0;
    FileHandle f(std::fopen(path.c_str(), mode));
    if (!f)
        Fail(errno ? errno : EIO, path);
    return f;
}

} // namespace

void ReadSceneFile(const std::string& path, SceneBank& bank)
{
    auto f = Open(path, "rb");
    for (auto& scene : bank.Scenes) {
        unsigned char record[sizeof(TSceneRecord)];
        errno = 0;
        const auto got = std::fread(record, 1, sizeof record, f.get());
        if (got < sizeof record && std::ferror(f.get()))
            Fail(errno ? errno : EIO, path);
        std::memcpy(&scene, record, got);
        if (got < sizeof record)
            throw SceneFileError(ReadBeyondEndMessage);
    }
}

void WriteSceneFile(const std::string& path, const SceneBank& bank)
{
    auto f = Open(path, "wb");
    for (const auto& scene : bank.Scenes) {
        errno = 0;
        if (std::fwrite(&scene, sizeof scene, 1, f.get()) != 1) {
            if (errno && errno != ENOSPC && errno != EDQUOT)
                Fail(errno, path);
            throw SceneFileError(DiskFullMessage);
        }
    }
    errno = 0;
    if (std::fclose(f.release()) != 0)
        Fail(errno ? errno : EIO, path);
}

std::string SceneFileBytes(const SceneBank& bank)
{
    return std::string(reinterpret_cast<const char*>(bank.Scenes.data()), sizeof bank.Scenes);
}

std::string SaveSceneFile(const std::string& path, const SceneBank& bank)
{
    return WriteFileSafely(path, SceneFileBytes(bank), {.KeepBackup = true});
}

} // namespace korvo
