#include "files/Crc32.h"
#include "files/RecoveryFile.h"
#include "files/SceneFile.h"
#include "files/SceneFileError.h"
#include "TestFiles.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace korvo {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

SceneBank BankOf(unsigned seed)
{
    SceneBank bank;
    auto* bytes = reinterpret_cast<unsigned char*>(bank.Scenes.data());
    for (std::size_t i = 0; i < sizeof bank.Scenes; ++i)
        bytes[i] = static_cast<unsigned char>((i * 131 + seed * 17 + i / 251) & 0xFF);
    return bank;
}

std::string ScenesBytes(const std::array<TSceneRecord, SceneCount>& scenes)
{
    return std::string(reinterpret_cast<const char*>(scenes.data()), sizeof scenes);
}

void PutUint32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Recomputes the checksum, so that only the field a case changed is wrong.
std::string Resealed(std::string bytes)
{
    PutUint32(bytes, bytes.size() - 4, Crc32(std::string_view(bytes).substr(0, bytes.size() - 4)));
    return bytes;
}

class RecoveryFile : public testing::Test {
protected:
    RecoveryFile() : cwd(dir.path()) {}
    test::TempDir dir;
    test::ScopedWorkingDir cwd;
};

TEST_F(RecoveryFile, RoundTripKeepsNameAndEveryByte)
{
    const std::string names[] = {"", "/music/live set.kvo", "scene2412092305.kvo", "/m\xC3\xBCsik/\xE2\x99\xAA.kvo",
                                 std::string(RecoveryNameMax, 'n')};
    unsigned seed = 1;
    for (const auto& name : names) {
        SCOPED_TRACE(name.substr(0, 40));
        const std::string path = dir / "r.kvr";
        WriteRecoveryFile(path, name, BankOf(seed));
        EXPECT_EQ(fs::file_size(path), 16 + name.size() + 3536 + 4);
        const auto result = ReadRecoveryFile(path);
        ASSERT_EQ(result.Fault, RecoveryFault::None) << result.Message;
        ASSERT_TRUE(result.Contents);
        EXPECT_EQ(result.Contents->FileName, name);
        EXPECT_EQ(ScenesBytes(result.Contents->Scenes), SceneFileBytes(BankOf(seed)));
        EXPECT_EQ(result.Message, "");
        ++seed;
    }
    struct stat st{};
    ASSERT_EQ(stat((dir / "r.kvr").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "the user's unsaved work is private";
}

// The fuzzer's seed was made by another program from the layout in RecoveryFile.h,
// with a standard CRC-32; it must keep reading, and the writer must match it.
TEST_F(RecoveryFile, FileMadeFromTheLayoutReads)
{
    const std::string seed = ReadBytes(KORVO_FUZZ_SEEDS_DIR "/fuzz_recovery_file/recovery.kvr");
    const auto result = DecodeRecoveryFile(seed);
    ASSERT_TRUE(result.Contents);
    EXPECT_EQ(result.Contents->FileName, "/home/user/music/live set.kvo");
    EXPECT_EQ(ScenesBytes(result.Contents->Scenes), ReadBytes(KORVO_FUZZ_SEEDS_DIR "/fuzz_scene_file/scene.kvo"));
    SceneBank bank;
    bank.Scenes = result.Contents->Scenes;
    EXPECT_EQ(EncodeRecoveryFile(result.Contents->FileName, bank), seed);
}

TEST_F(RecoveryFile, WriterRefusesNamesItCouldNotReadBack)
{
    const std::string path = dir / "r.kvr";
    for (const std::string& name : {std::string(RecoveryNameMax + 1, 'n'), std::string("a\0b", 3)}) {
        EXPECT_THROW(WriteRecoveryFile(path, name, BankOf(1)), SceneFileError);
        EXPECT_FALSE(fs::exists(path));
    }
}

TEST_F(RecoveryFile, BadFilesAreRefusedWhole)
{
    const std::string good = EncodeRecoveryFile("/music/song.kvo", BankOf(3));
    struct Case {
        const char* name;
        std::function<std::string()> bytes;
        RecoveryFault fault;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", [] { return std::string(); }, RecoveryFault::TooShort, "it is too short"},
        {"header cut", [&] { return good.substr(0, 10); }, RecoveryFault::TooShort, "it is too short"},
        {"one byte short", [&] { return good.substr(0, good.size() - 1); }, RecoveryFault::TooShort,
         "it is too short"},
        {"one byte too long", [&] { return good + "x"; }, RecoveryFault::TooLong, "it is too long"},
        {"a megabyte too long", [&] { return good + std::string(1 << 20, 'x'); }, RecoveryFault::TooLong,
         "it is too long"},
        {"bad magic", [&] { return "X" + good.substr(1); }, RecoveryFault::NotARecoveryFile,
         "it is not a recovery file"},
        {"a scene file", [] { return SceneFileBytes(BankOf(1)); }, RecoveryFault::NotARecoveryFile,
         "it is not a recovery file"},
        {"newer format version",
         [&] {
             std::string b = good;
             PutUint32(b, 8, RecoveryFormatVersion + 1);
             return Resealed(b);
         },
         RecoveryFault::NewerFormat, "it was written by a newer version of the editor"},
        {"format version 0",
         [&] {
             std::string b = good;
             PutUint32(b, 8, 0);
             return Resealed(b);
         },
         RecoveryFault::BadHeader, "its header is damaged"},
        {"name length beyond the largest",
         [&] {
             std::string b = good;
             PutUint32(b, 12, 0xFFFFFFF0u);
             return b;
         },
         RecoveryFault::BadHeader, "its header is damaged"},
        {"name length one too many",
         [&] {
             std::string b = good;
             PutUint32(b, 12, 16);
             return b;
         },
         RecoveryFault::TooShort, "it is too short"},
        {"zero byte in the name",
         [&] {
             std::string b = good;
             b[20] = '\0';
             return Resealed(b);
         },
         RecoveryFault::BadHeader, "its header is damaged"},
        {"one bit flipped in the scenes",
         [&] {
             std::string b = good;
             b[2000] = static_cast<char>(b[2000] ^ 0x10);
             return b;
         },
         RecoveryFault::BadChecksum, "its content is damaged"},
        {"checksum damaged",
         [&] {
             std::string b = good;
             b.back() = static_cast<char>(b.back() ^ 1);
             return b;
         },
         RecoveryFault::BadChecksum, "its content is damaged"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir / "bad.kvr";
        WriteBytes(path, c.bytes());
        const auto result = ReadRecoveryFile(path);
        EXPECT_EQ(result.Fault, c.fault);
        EXPECT_EQ(result.Message, "Cannot restore " + path + ": " + c.reason);
        EXPECT_FALSE(result.Contents);
    }
}

TEST_F(RecoveryFile, UnreadableFilesAreReportedNotThrown)
{
    fs::create_directory(dir / "folder.kvr");
    mkfifo((dir / "pipe.kvr").c_str(), 0600); // must not hang
    struct Case {
        const char* name;
        std::string path;
        const char* reason;
    };
    const Case cases[] = {
        {"missing", dir / "missing.kvr", "File not found"},
        {"in a missing folder", dir / "gone/r.kvr", "Invalid filename"},
        {"a folder", dir / "folder.kvr", "File access denied"},
        {"a pipe", dir / "pipe.kvr", "File access denied"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = ReadRecoveryFile(c.path);
        EXPECT_EQ(result.Fault, RecoveryFault::Unreadable);
        EXPECT_EQ(result.Message, "Cannot restore " + c.path + ": " + c.reason);
        EXPECT_FALSE(result.Contents);
    }

    const std::string locked = dir / "locked.kvr";
    WriteRecoveryFile(locked, "song.kvo", BankOf(1));
    chmod(locked.c_str(), 0);
    const std::string message = test::RunUnprivileged([&] { return ReadRecoveryFile(locked).Message; });
    EXPECT_EQ(message, "Cannot restore " + locked + ": File access denied");
}

TEST_F(RecoveryFile, BadFileIsMovedAsideNeverToBeReadAgain)
{
    const std::string path = dir / "recovery-1-a.kvr";
    WriteBytes(path, "first bad");
    const std::string first = MoveRecoveryFileAside(path);
    EXPECT_TRUE(first.starts_with(path + ".bad-")) << first;
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(ReadBytes(first), "first bad");

    // A second bad file in the same second gets a name of its own.
    WriteBytes(path, "second bad");
    const std::string second = MoveRecoveryFileAside(path);
    EXPECT_NE(second, first);
    EXPECT_EQ(ReadBytes(first), "first bad");
    EXPECT_EQ(ReadBytes(second), "second bad");

    EXPECT_EQ(MoveRecoveryFileAside(path), ""); // already gone
}

} // namespace
} // namespace korvo
