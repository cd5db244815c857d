// Save and Save as under faults: the old file survives every failure, nothing is
// left behind, and the message names the file.
#include "files/Crc32.h"
#include "files/SceneFile.h"
#include "files/SceneFileError.h"
#include "TestFiles.h"

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::string SaveError(const std::string& path, const SceneBank& bank)
{
    try {
        SaveSceneFile(path, bank);
    } catch (const SceneFileError& e) {
        return e.what();
    }
    return "no error";
}

// A file's content, short enough to read in a failure message.
std::string Summary(const std::string& bytes)
{
    return bytes.size() <= 40 ? bytes : std::to_string(bytes.size()) + " bytes, CRC " + std::to_string(Crc32(bytes));
}

// Every entry under a folder with its content (or link target), to compare a
// whole tree before and after a failed save.
std::map<std::string, std::string> Snapshot(const fs::path& root)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).string();
        if (entry.is_symlink())
            entries[name] = "link to " + fs::read_symlink(entry.path()).string();
        else if (entry.is_regular_file())
            entries[name] = Summary(ReadBytes(entry.path().string()));
        else
            entries[name] = entry.is_directory() ? "folder" : "other";
    }
    return entries;
}

// The target lives in docs/, the working directory (where backups go) is work/.
class SafeSave : public testing::Test {
protected:
    SafeSave()
    {
        fs::create_directory(dir.path() / "docs");
        fs::create_directory(dir.path() / "work");
        cwd.emplace(dir.path() / "work");
    }
    std::string Doc(const std::string& name) const { return (dir.path() / "docs" / name).string(); }
    std::string Work(const std::string& name) const { return (dir.path() / "work" / name).string(); }

    test::TempDir dir;
    std::optional<test::ScopedWorkingDir> cwd;
};

TEST_F(SafeSave, BackupRuleKeepsTheOldestBackup)
{
    const std::string song = Doc("song.kvo");
    EXPECT_EQ(SaveSceneFile(song, BankOf(1)), ""); // a new file has nothing to back up
    EXPECT_FALSE(fs::exists(Work("song.BAK")));

    EXPECT_EQ(SaveSceneFile(song, BankOf(2)), "song.BAK");
    EXPECT_EQ(ReadBytes(Work("song.BAK")), SceneFileBytes(BankOf(1)));

    EXPECT_EQ(SaveSceneFile(song, BankOf(3)), "song.BAK");
    EXPECT_EQ(ReadBytes(Work("song.BAK")), SceneFileBytes(BankOf(1))) << "an existing backup is never replaced";
    EXPECT_EQ(ReadBytes(song), SceneFileBytes(BankOf(3)));

    // Nothing but the file and its backup remains.
    EXPECT_EQ(Snapshot(dir.path()).size(), 4u); // docs, docs/song.kvo, work, work/song.BAK
}

TEST_F(SafeSave, ReplacedFileKeepsItsPermissionsAndOwner)
{
    const std::string song = Doc("song.kvo");
    WriteBytes(song, "old");
    ASSERT_EQ(chmod(song.c_str(), 0640), 0);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(song.c_str(), 65534, 65534), 0);
    }

    SaveSceneFile(song, BankOf(1));
    struct stat st{};
    ASSERT_EQ(stat(song.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }

    // A new file gets the usual permissions of a created file.
    const mode_t mask = umask(022);
    SaveSceneFile(Doc("new.kvo"), BankOf(1));
    umask(mask);
    ASSERT_EQ(stat(Doc("new.kvo").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(SafeSave, SymbolicLinkStaysALink)
{
    fs::create_directory(dir.path() / "store");
    const std::string real = (dir.path() / "store" / "real.kvo").string();
    WriteBytes(real, "old content");
    fs::create_symlink("../store/real.kvo", Doc("song.kvo"));
    fs::create_symlink("song.kvo", Doc("chain.kvo"));
    fs::create_symlink("../store/absent.kvo", Doc("dangling.kvo"));

    EXPECT_EQ(SaveSceneFile(Doc("chain.kvo"), BankOf(1)), "chain.BAK");
    EXPECT_EQ(fs::read_symlink(Doc("chain.kvo")), "song.kvo");
    EXPECT_EQ(fs::read_symlink(Doc("song.kvo")), "../store/real.kvo");
    EXPECT_EQ(ReadBytes(real), SceneFileBytes(BankOf(1)));
    EXPECT_EQ(ReadBytes(Work("chain.BAK")), "old content");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(Work("chain.BAK"))));

    // A link to a file not yet there creates that file.
    SaveSceneFile(Doc("dangling.kvo"), BankOf(2));
    EXPECT_TRUE(fs::is_symlink(Doc("dangling.kvo")));
    EXPECT_EQ(ReadBytes((dir.path() / "store" / "absent.kvo").string()), SceneFileBytes(BankOf(2)));

    // No temporary file is left in either folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "docs"), fs::directory_iterator()), 3);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "store"), fs::directory_iterator()), 2);

    fs::create_symlink("loop.kvo", Doc("loop.kvo"));
    EXPECT_EQ(SaveError(Doc("loop.kvo"), BankOf(1)), "Cannot save " + Doc("loop.kvo") + ": Invalid filename");
}

TEST_F(SafeSave, BackupOnAnotherFileSystemIsACopy)
{
    struct stat shm{};
    struct stat tmp{};
    if (stat("/dev/shm", &shm) != 0 || stat(dir.path().c_str(), &tmp) != 0 || shm.st_dev == tmp.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm";
    char pattern[] = "/dev/shm/korvo-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path other = pattern;
    {
        test::ScopedWorkingDir inOther(other);
        const std::string song = Doc("song.kvo");
        WriteBytes(song, "old content");
        EXPECT_EQ(SaveSceneFile(song, BankOf(1)), "song.BAK");
        EXPECT_EQ(ReadBytes((other / "song.BAK").string()), "old content");
        EXPECT_EQ(ReadBytes(song), SceneFileBytes(BankOf(1)));
        EXPECT_EQ(std::distance(fs::directory_iterator(other), fs::directory_iterator()), 1);
    }
    fs::remove_all(other);
}

// How a fault case runs the save.
enum class RunAs { ThisProcess, ChildWithSizeLimit, Unprivileged };

struct FaultCase {
    const char* name;
    // Prepares the tree under root (docs/ holds the target, work/ is the working
    // directory) and returns the target.
    std::function<std::string(const fs::path& root)> setup;
    RunAs runAs;
    const char* reason;
};

std::string ExistingSong(const fs::path& root)
{
    const std::string song = (root / "docs" / "song.kvo").string();
    WriteBytes(song, "previous version");
    return song;
}

TEST(SafeSaveFaults, OldFileSurvivesAndNothingIsLeftBehind)
{
    const FaultCase cases[] = {
        {"write fails part-way", ExistingSong, RunAs::ChildWithSizeLimit, "Disk full"},
        {"folder cannot be written",
         [](const fs::path& root) {
             const std::string song = ExistingSong(root);
             chmod(song.c_str(), 0666);            // the file itself could be written
             chmod((root / "docs").c_str(), 0555);
             chmod((root / "work").c_str(), 0777); // and so could the backup
             return song;
         },
         RunAs::Unprivileged, "File access denied"},
        {"read-only file",
         [](const fs::path& root) {
             const std::string song = ExistingSong(root);
             chmod(song.c_str(), 0444);
             chmod((root / "docs").c_str(), 0777); // the folder would allow replacing it
             chmod((root / "work").c_str(), 0777);
             return song;
         },
         RunAs::Unprivileged, "File access denied"},
        {"target is a folder",
         [](const fs::path& root) {
             fs::create_directory(root / "docs" / "song.kvo");
             WriteBytes((root / "docs" / "song.kvo" / "inside").string(), "kept");
             return (root / "docs" / "song.kvo").string();
         },
         RunAs::ThisProcess, "File access denied"},
        {"target is a pipe",
         [](const fs::path& root) {
             mkfifo((root / "docs" / "song.kvo").c_str(), 0666);
             return (root / "docs" / "song.kvo").string();
         },
         RunAs::ThisProcess, "File access denied"},
        {"folder disappeared", [](const fs::path& root) { return (root / "gone" / "song.kvo").string(); },
         RunAs::ThisProcess, "Invalid filename"},
        {"name too long", [](const fs::path& root) { return (root / "docs" / std::string(300, 'x')).string(); },
         RunAs::ThisProcess, "Invalid filename"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir root;
        fs::create_directory(root.path() / "docs");
        fs::create_directory(root.path() / "work");
        test::ScopedWorkingDir inWork(root.path() / "work");
        const std::string target = c.setup(root.path());
        const auto before = Snapshot(root.path());

        const auto save = [&] { return SaveError(target, BankOf(1)); };
        std::string error;
        switch (c.runAs) {
        case RunAs::ThisProcess:
            error = save();
            break;
        case RunAs::ChildWithSizeLimit:
            error = test::RunInChild([&] {
                // Files may grow to 1,000 bytes; the write past that fails instead of
                // ending the process.
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{1000, 1000};
                setrlimit(RLIMIT_FSIZE, &limit);
                return save();
            });
            break;
        case RunAs::Unprivileged:
            error = test::RunUnprivileged(save);
            break;
        }
        EXPECT_EQ(error, "Cannot save " + target + ": " + c.reason);
        EXPECT_EQ(Snapshot(root.path()), before);
        fs::permissions(root.path() / "docs", fs::perms::owner_all, fs::perm_options::add); // to clean up
    }
}

} // namespace
} // namespace korvo
