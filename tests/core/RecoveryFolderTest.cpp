// Recovery slots and their ownership: an editor never takes a file of one that runs.
#include "files/RecoveryFolder.h"
#include "files/SceneFile.h"
#include "files/SceneFileError.h"
#include "TestFiles.h"

#include <csignal>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace korvo {
namespace {

namespace fs = std::filesystem;
using test::WriteBytes;

SceneBank BankOf(unsigned seed)
{
    SceneBank bank;
    auto* bytes = reinterpret_cast<unsigned char*>(bank.Scenes.data());
    for (std::size_t i = 0; i < sizeof bank.Scenes; ++i)
        bytes[i] = static_cast<unsigned char>((i * 7 + seed * 29) & 0xFF);
    return bank;
}

std::set<std::string> Entries(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// The recovery file an editor leaves when it ends without saving.
std::string LeaveOrphan(const std::string& folder, const std::string& fileName, unsigned seed)
{
    RecoverySlot slot(folder);
    slot.Write(fileName, BankOf(seed));
    return slot.Path();
}

std::vector<std::string> PathsOf(const std::vector<ClaimedRecoveryFile>& claimed)
{
    std::vector<std::string> paths;
    for (const auto& c : claimed)
        paths.push_back(c.Path());
    return paths;
}

class RecoveryFolder : public testing::Test {
protected:
    RecoveryFolder() : cwd(dir.path()), folder(dir / "data/korvo") {}
    test::TempDir dir;
    test::ScopedWorkingDir cwd;
    std::string folder;
};

TEST_F(RecoveryFolder, SlotsOfRunningEditorsAreNeverClaimed)
{
    RecoverySlot mine(folder); // creates the folder
    RecoverySlot other(folder);
    EXPECT_NE(mine.Path(), other.Path());
    mine.Write("mine.kvo", BankOf(1));
    other.Write("other.kvo", BankOf(2));
    EXPECT_TRUE(ClaimOrphanedRecoveryFiles(folder).empty());

    mine.Remove();
    EXPECT_FALSE(mine.HasFile());
    mine.Write("mine.kvo", BankOf(3)); // the slot stays usable
    EXPECT_TRUE(mine.HasFile());
    EXPECT_TRUE(ClaimOrphanedRecoveryFiles(folder).empty());
}

TEST_F(RecoveryFolder, OrphanIsClaimedOnceReadAndDeleted)
{
    RecoverySlot mine(folder);
    const std::string orphan = LeaveOrphan(folder, "/music/song.kvo", 4);

    auto claimed = ClaimOrphanedRecoveryFiles(folder);
    ASSERT_EQ(PathsOf(claimed), std::vector<std::string>{orphan});
    EXPECT_TRUE(ClaimOrphanedRecoveryFiles(folder).empty()) << "a claimed file is not offered twice";

    const auto read = claimed[0].Read();
    ASSERT_TRUE(read.Contents) << read.Message;
    EXPECT_EQ(read.Contents->FileName, "/music/song.kvo");
    EXPECT_EQ(0, std::memcmp(read.Contents->Scenes.data(), BankOf(4).Scenes.data(), 3536));

    claimed[0].Delete();
    EXPECT_TRUE(ClaimOrphanedRecoveryFiles(folder).empty());
    const std::string myName = fs::path(mine.Path()).stem().string();
    EXPECT_EQ(Entries(folder), std::set<std::string>{myName + ".lock"}) << "the orphan and its lock are gone";
}

TEST_F(RecoveryFolder, ReleasedClaimIsOfferedAgain)
{
    const std::string orphan = LeaveOrphan(folder, "a.kvo", 1);
    ClaimOrphanedRecoveryFiles(folder).clear(); // claimed, then released unanswered
    EXPECT_EQ(PathsOf(ClaimOrphanedRecoveryFiles(folder)), std::vector<std::string>{orphan});
}

TEST_F(RecoveryFolder, NewestOrphanComesFirst)
{
    const std::string older = LeaveOrphan(folder, "older.kvo", 1);
    const std::string newer = LeaveOrphan(folder, "newer.kvo", 2);
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(older, now - std::chrono::hours(2));
    fs::last_write_time(newer, now - std::chrono::hours(1));
    EXPECT_EQ(PathsOf(ClaimOrphanedRecoveryFiles(folder)), (std::vector<std::string>{newer, older}));
}

TEST_F(RecoveryFolder, BadOrphanIsMovedAsideAndNotOfferedAgain)
{
    const std::string orphan = LeaveOrphan(folder, "a.kvo", 1);
    WriteBytes(orphan, "damaged");
    auto claimed = ClaimOrphanedRecoveryFiles(folder);
    ASSERT_EQ(claimed.size(), 1u);
    EXPECT_EQ(claimed[0].Read().Fault, RecoveryFault::NotARecoveryFile);
    const std::string aside = claimed[0].MoveAside();
    EXPECT_TRUE(aside.starts_with(orphan + ".bad-")) << aside;
    EXPECT_TRUE(ClaimOrphanedRecoveryFiles(folder).empty());
    EXPECT_EQ(Entries(folder), std::set<std::string>{fs::path(aside).filename().string()});
}

TEST_F(RecoveryFolder, EditorWithoutUnsavedWorkLeavesNothing)
{
    {
        RecoverySlot slot(folder);
        slot.Write("a.kvo", BankOf(1));
        slot.Remove(); // saved
    }
    EXPECT_TRUE(Entries(folder).empty());

    // Lock files of editors that ended without tidying up are tidied by the next one;
    // the lock of a running editor is left alone.
    RecoverySlot running(folder);
    WriteBytes(folder + "/recovery-1-dead.lock", "");
    EXPECT_TRUE(ClaimOrphanedRecoveryFiles(folder).empty());
    EXPECT_EQ(Entries(folder), std::set<std::string>{fs::path(running.Path()).stem().string() + ".lock"});
}

TEST_F(RecoveryFolder, FolderThatCannotBeMadeIsReported)
{
    WriteBytes(dir / "file", "");
    try {
        RecoverySlot slot(dir / "file/korvo");
        FAIL() << "no error";
    } catch (const SceneFileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot use the recovery folder " + (dir / "file/korvo") + ": Invalid filename");
    }
    EXPECT_TRUE(ClaimOrphanedRecoveryFiles(dir / "missing").empty());
}

// One end of a pipe pair for talking to a forked editor.
struct Pipe {
    Pipe() { EXPECT_EQ(pipe(fds), 0); }
    ~Pipe()
    {
        close(fds[0]);
        close(fds[1]);
    }
    void Send(char c) { EXPECT_EQ(write(fds[1], &c, 1), 1); }
    char Receive()
    {
        char c = 0;
        return read(fds[0], &c, 1) == 1 ? c : '\0';
    }
    int fds[2];
};

// Kills the forked editor when the test ends early.
struct ChildGuard {
    ~ChildGuard()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    pid_t pid = -1;
};

TEST_F(RecoveryFolder, EditorInAnotherProcessIsOwnerUntilItDies)
{
    Pipe ready;
    Pipe never; // the child waits on it until it is killed
    ChildGuard child;
    child.pid = fork();
    if (child.pid == 0) {
        std::optional<RecoverySlot> slot;
        try {
            slot.emplace(folder);
            slot->Write("child.kvo", BankOf(9));
            ready.Send('w');
        } catch (...) {
            ready.Send('e');
        }
        never.Receive(); // holds the slot until killed
        _exit(0);
    }
    ASSERT_EQ(ready.Receive(), 'w');
    EXPECT_TRUE(ClaimOrphanedRecoveryFiles(folder).empty()) << "the child is running";

    kill(child.pid, SIGKILL);
    waitpid(std::exchange(child.pid, -1), nullptr, 0);
    auto claimed = ClaimOrphanedRecoveryFiles(folder);
    ASSERT_EQ(claimed.size(), 1u);
    const auto read = claimed[0].Read();
    ASSERT_TRUE(read.Contents) << read.Message;
    EXPECT_EQ(read.Contents->FileName, "child.kvo");

    // While this process holds the claim, another starting editor does not get it.
    EXPECT_EQ(test::RunInChild([&] { return std::to_string(ClaimOrphanedRecoveryFiles(folder).size()); }), "0");
    claimed.clear();
    EXPECT_EQ(test::RunInChild([&] { return std::to_string(ClaimOrphanedRecoveryFiles(folder).size()); }), "1");
}

} // namespace
} // namespace korvo
