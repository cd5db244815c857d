#include "files/SceneBackup.h"
#include "files/SceneFile.h"
#include "files/SceneFileError.h"
#include "files/SceneFileName.h"
#include "TestFiles.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace korvo {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

// Any 3,536 bytes are scene data; a pattern shows misplaced or dropped bytes.
std::string PatternBytes(std::size_t size, unsigned seed = 1)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + seed * 17 + i / 251) & 0xFF);
    return bytes;
}

std::string BankBytes(const SceneBank& bank)
{
    return std::string(reinterpret_cast<const char*>(bank.Scenes.data()), sizeof bank.Scenes);
}

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const SceneFileError& e) {
        return e.what();
    }
    return "no error";
}

class SceneFile : public testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(SceneFile, OpenAndSaveAgainIsByteIdentical)
{
    const std::string original = PatternBytes(3536);
    WriteBytes(dir / "a.kvo", original);
    SceneBank bank;
    ReadSceneFile(dir / "a.kvo", bank);
    EXPECT_EQ(BankBytes(bank), original);
    WriteSceneFile(dir / "b.kvo", bank);
    EXPECT_EQ(ReadBytes(dir / "b.kvo"), original);
}

TEST_F(SceneFile, ShortFileReplacesWhatItHoldsThenFails)
{
    SceneBank bank;
    for (auto& r : bank.Scenes)
        std::memset(&r, 0x77, sizeof r);
    const std::string data = PatternBytes(3535, 2);
    WriteBytes(dir / "short.kvo", data);
    EXPECT_EQ(ErrorOf([&] { ReadSceneFile(dir / "short.kvo", bank); }), "Read beyond end of file");
    const std::string now = BankBytes(bank);
    EXPECT_EQ(now.substr(0, 3535), data);
    EXPECT_EQ(static_cast<unsigned char>(now[3535]), 0x77); // scene 4's last byte kept

    std::memset(&bank.Scenes[0], 0x77, sizeof(TSceneRecord));
    WriteBytes(dir / "tiny.kvo", "AB");
    EXPECT_EQ(ErrorOf([&] { ReadSceneFile(dir / "tiny.kvo", bank); }), "Read beyond end of file");
    EXPECT_EQ(BankBytes(bank).substr(0, 3), "AB\x77");
}

TEST_F(SceneFile, LongerFileIsReadWithoutComplaint)
{
    const std::string data = PatternBytes(5000, 3);
    WriteBytes(dir / "long.kvo", data);
    SceneBank bank;
    ReadSceneFile(dir / "long.kvo", bank);
    EXPECT_EQ(BankBytes(bank), data.substr(0, 3536));
}

TEST_F(SceneFile, FailuresGiveTheirMessages)
{
    SceneBank bank;
    fs::create_directory(dir.path() / "folder");
    EXPECT_EQ(ErrorOf([&] { ReadSceneFile(dir / "missing.kvo", bank); }), "File not found");
    EXPECT_EQ(ErrorOf([&] { ReadSceneFile(dir / "nofolder/x.kvo", bank); }), "Invalid filename");
    EXPECT_EQ(ErrorOf([&] { WriteSceneFile(dir / "nofolder/x.kvo", bank); }), "Invalid filename");
    EXPECT_EQ(ErrorOf([&] { ReadSceneFile(dir / "folder", bank); }), "File access denied");
    EXPECT_EQ(ErrorOf([&] { WriteSceneFile(dir / "folder", bank); }), "File access denied");
    EXPECT_EQ(IoErrorMessage(EMFILE, "x"), "Too many open files");
    EXPECT_EQ(IoErrorMessage(ENOSPC, "x"), "Disk full");
    EXPECT_EQ(IoErrorMessage(EIO, "x"), "I/O error 5");
}

TEST_F(SceneFile, FullDiskIsReported)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    SceneBank bank;
    EXPECT_EQ(ErrorOf([&] { WriteSceneFile("/dev/full", bank); }), "Disk full");
}

TEST_F(SceneFile, ReadOnlyFileOpensButCannotBeReplaced)
{
    const std::string data = PatternBytes(3536, 4);
    const std::string path = dir / "preset.kvo";
    WriteBytes(path, data);
    chmod(path.c_str(), 0444);
    const std::string result = test::RunUnprivileged([&] {
        SceneBank bank;
        const std::string read = ErrorOf([&] { ReadSceneFile(path, bank); });
        const bool same = BankBytes(bank) == data;
        const std::string write = ErrorOf([&] { WriteSceneFile(path, bank); });
        return read + "|" + (same ? "same" : "differs") + "|" + write;
    });
    EXPECT_EQ(result, "no error|same|File access denied");
}

TEST_F(SceneFile, BackupLandsInTheWorkingDirectory)
{
    fs::create_directory(dir.path() / "a");
    fs::create_directory(dir.path() / "b");
    test::ScopedWorkingDir cwd(dir.path() / "b");
    const std::string file = (dir.path() / "a" / "X.kvo").string();

    WriteBytes(file, "first");
    EXPECT_EQ(MakeBackup(file), "X.BAK");
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(ReadBytes((dir.path() / "b" / "X.BAK").string()), "first");

    // A second backup finds X.BAK taken: the old backup stays, the file is not moved.
    WriteBytes(file, "second");
    MakeBackup(file);
    EXPECT_EQ(ReadBytes((dir.path() / "b" / "X.BAK").string()), "first");
    EXPECT_EQ(ReadBytes(file), "second");

    MakeBackup((dir.path() / "a" / "gone.kvo").string()); // a failed rename is ignored
}

TEST(SceneBackupName, ReplacesTheExtension)
{
    EXPECT_EQ(BackupFileNameFor("/music/sets/live.kvo"), "live.BAK");
    EXPECT_EQ(BackupFileNameFor("live.v2.kvo"), "live.v2.BAK");
    EXPECT_EQ(BackupFileNameFor("/music/noext"), "noext.BAK");
    EXPECT_EQ(BackupFileNameFor("/music.d/noext"), "noext.BAK");
}

TEST(SceneFileName, StampIsTwoDigitsEach)
{
    std::tm t{};
    t.tm_year = 124;
    t.tm_mon = 11;
    t.tm_mday = 9;
    t.tm_hour = 23;
    t.tm_min = 5;
    EXPECT_EQ(StampedSceneFileName(t), "scene2412092305.kvo");
    t.tm_year = 100;
    t.tm_mon = 0;
    t.tm_mday = 1;
    t.tm_hour = 0;
    t.tm_min = 0;
    EXPECT_EQ(StampedSceneFileName(t), "scene0001010000.kvo");
}

} // namespace
} // namespace korvo
