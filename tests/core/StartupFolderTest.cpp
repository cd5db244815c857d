#include "files/InstalledDataFolder.h"
#include "files/StartupFolder.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sys/stat.h>

namespace korvo {
namespace {

namespace fs = std::filesystem;

// A working folder, a user's Korvo folder (not yet made) and an installed
// share/korvo with the two start-up files. Every folder is open to all, so that
// the choice can run as an unprivileged user (RunUnprivileged) and meet the
// permissions that a case sets.
class StartupFolderTest : public ::testing::Test {
public:
    StartupFolderTest()
    {
        for (const fs::path& folder : {work, home, installed}) {
            fs::create_directories(folder);
            fs::permissions(folder, fs::perms::all);
        }
        test::WriteBytes((installed / "DefPara.ini").string(), "SceneMIDICh=0\n");
        test::WriteBytes((installed / "NotePara.ini").string(), "C-1\nC#-1\n");
    }

    StartupPlaces Places() const { return {work, user, {}, installed}; }

    // Runs the choice unprivileged; "work", "user" or "none", then the problem.
    std::pair<std::string, std::string> Choose(const StartupPlaces& places) const
    {
        const std::string result = test::RunUnprivileged([&] {
            const StartupFolder chosen = ChooseStartupFolder(places);
            const std::string which = chosen.Folder.empty()         ? "none"
                                      : chosen.Folder == places.WorkingFolder ? "work"
                                      : chosen.Folder == user                 ? "user"
                                                                              : chosen.Folder.string();
            return which + "|" + chosen.Problem;
        });
        const auto bar = result.find('|');
        return {result.substr(0, bar), result.substr(bar + 1)};
    }

    // Every file below the user's Korvo folder with its bytes.
    std::map<std::string, std::string> UserFiles() const
    {
        std::map<std::string, std::string> files;
        std::error_code ec;
        if (fs::is_directory(user, ec))
            for (const auto& entry : fs::directory_iterator(user))
                files[entry.path().filename().string()] =
                    fs::is_symlink(entry.symlink_status()) ? "link" : test::ReadBytes(entry.path().string());
        return files;
    }

    test::TempDir dir;
    fs::path work = dir.path() / "work";
    fs::path home = dir.path() / "home";
    fs::path user = home / ".local" / "share" / "korvo";
    fs::path installed = dir.path() / "usr" / "share" / "korvo";
};

TEST_F(StartupFolderTest, WorkingFolderWithDefParaIsKeptAndNothingIsMade)
{
    test::WriteBytes((work / "DefPara.ini").string(), "");
    EXPECT_EQ(Choose(Places()), std::make_pair(std::string("work"), std::string()));
    EXPECT_FALSE(fs::exists(home / ".local"));
}

TEST_F(StartupFolderTest, FirstStartMakesTheUserFolderWithCopiesOfTheInstalledFiles)
{
    EXPECT_EQ(Choose(Places()), std::make_pair(std::string("user"), std::string()));
    EXPECT_EQ(UserFiles(), (std::map<std::string, std::string>{{"DefPara.ini", "SceneMIDICh=0\n"},
                                                               {"NotePara.ini", "C-1\nC#-1\n"}}));
    // Later starts use what is there, even with the installed files gone.
    test::WriteBytes((user / "DefPara.ini").string(), "SceneMIDICh=5\n");
    fs::remove_all(installed);
    EXPECT_EQ(Choose(Places()).first, "user");
    EXPECT_EQ(test::ReadBytes((user / "DefPara.ini").string()), "SceneMIDICh=5\n");
}

TEST_F(StartupFolderTest, OnlyTheMissingFileIsCopied)
{
    fs::create_directories(user);
    fs::permissions(user, fs::perms::all);
    test::WriteBytes((user / "DefPara.ini").string(), "mine\n");
    EXPECT_EQ(Choose(Places()).first, "user");
    EXPECT_EQ(UserFiles(), (std::map<std::string, std::string>{{"DefPara.ini", "mine\n"},
                                                               {"NotePara.ini", "C-1\nC#-1\n"}}));
}

TEST(InstalledDataFolder, IsShareKorvoBesideTheProgramsFolder)
{
    EXPECT_EQ(InstalledDataFolder("/opt/k/bin"), fs::path("/opt/k/share/korvo"));
    EXPECT_EQ(InstalledDataFolder("/usr/bin/"), fs::path("/usr/share/korvo"));
    EXPECT_FALSE(ExecutableFolder().empty());
}

// Where neither place can give the start-up files: the message names what went
// wrong, both places and what to do, and leaves the user's files as they were.
struct FailureCase {
    const char* name;
    std::function<void(StartupFolderTest&, StartupPlaces&)> setUp;
    std::vector<std::string> inMessage; // $W, $U and $I stand for the three folders
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class StartupFolderFailure : public StartupFolderTest, public ::testing::WithParamInterface<FailureCase> {};

// A folder nobody can write to, its owner included (root aside).
constexpr fs::perms ReadOnly = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;

void MakeUserFolder(StartupFolderTest& t, fs::perms perms)
{
    fs::create_directories(t.user);
    fs::permissions(t.user, perms);
}

const FailureCase FailureCases[] = {
    {"HomeUnknown",
     [](StartupFolderTest&, StartupPlaces& p) {
         p.UserFolder.reset();
         p.UserFolderUnknownReason = "HOME is not set";
     },
     {"Cannot open file \"$W/DefPara.ini\". No such file or directory", "working folder \"$W\"",
      "user's Korvo folder, which is unknown: HOME is not set", "Set HOME"}},
    {"UserFolderIsAFile",
     [](StartupFolderTest& t, StartupPlaces&) {
         fs::create_directories(t.user.parent_path());
         test::WriteBytes(t.user.string(), "not a folder");
     },
     {"Cannot open file \"$W/DefPara.ini\"", "\"$U\" is not a folder: move it away"}},
    {"UserFolderCannotBeMade",
     [](StartupFolderTest& t, StartupPlaces&) { fs::permissions(t.home, ReadOnly); },
     {"user's Korvo folder cannot be created: Permission denied"}},
    {"InstalledFilesMissing",
     [](StartupFolderTest& t, StartupPlaces&) { fs::remove_all(t.installed); },
     {"Cannot open file \"$U/DefPara.ini\". No such file or directory",
      "installed copy \"$I/DefPara.ini\" cannot be read either (No such file or directory)",
      "put your own DefPara.ini into \"$U\""}},
    {"InstalledFileEmpty",
     [](StartupFolderTest& t, StartupPlaces&) {
         MakeUserFolder(t, fs::perms::all);
         test::WriteBytes((t.user / "DefPara.ini").string(), "A=1\n");
         test::WriteBytes((t.installed / "NotePara.ini").string(), "");
     },
     {"\"$I/NotePara.ini\" cannot be read either (it is empty)"}},
    {"UserFolderNotWritable",
     [](StartupFolderTest& t, StartupPlaces&) { MakeUserFolder(t, ReadOnly); },
     {"Cannot open file \"$U/DefPara.ini\"", "Copying the installed \"$I/DefPara.ini\" there failed: Permission denied",
      "Make \"$U\" writable"}},
    {"UserFileUnreadable",
     [](StartupFolderTest& t, StartupPlaces&) {
         MakeUserFolder(t, fs::perms::all);
         test::WriteBytes((t.user / "DefPara.ini").string(), "A=1\n");
         test::WriteBytes((t.user / "NotePara.ini").string(), "C-1\n");
         fs::permissions(t.user / "NotePara.ini", fs::perms::owner_write);
     },
     {"Cannot open file \"$U/NotePara.ini\". Permission denied", "Make it readable, or remove it"}},
    {"UserFileEmpty",
     [](StartupFolderTest& t, StartupPlaces&) {
         MakeUserFolder(t, fs::perms::all);
         test::WriteBytes((t.user / "DefPara.ini").string(), "");
     },
     {"File \"$U/DefPara.ini\" is empty.", "Korvo copies the installed DefPara.ini there at its next start"}},
    {"UserFileIsABrokenLink",
     [](StartupFolderTest& t, StartupPlaces&) {
         MakeUserFolder(t, fs::perms::all);
         fs::create_symlink(t.dir.path() / "gone", t.user / "DefPara.ini");
     },
     {"Cannot open file \"$U/DefPara.ini\". No such file or directory"}},
};

TEST_P(StartupFolderFailure, NamesBothPlacesAndKeepsTheUsersFiles)
{
    StartupPlaces places = Places();
    GetParam().setUp(*this, places);
    const auto before = UserFiles();
    const auto [folder, problem] = Choose(places);
    EXPECT_EQ(folder, "none");
    auto expand = [&](std::string text) {
        for (const auto& [mark, path] : {std::pair{"$W", work}, {"$U", user}, {"$I", installed}})
            for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark))
                text.replace(at, 2, path.string());
        return text;
    };
    for (const auto& part : GetParam().inMessage)
        EXPECT_NE(problem.find(expand(part)), std::string::npos) << "missing: " << expand(part) << "\nin:\n" << problem;
    EXPECT_NE(problem.find(expand("working folder \"$W\"")), std::string::npos) << problem;
    if (places.UserFolder) {
        EXPECT_NE(problem.find(expand("user's Korvo folder \"$U\"")), std::string::npos) << problem;
    }
    EXPECT_EQ(UserFiles(), before);
    if (GetParam().name == std::string("UserFolderIsAFile")) {
        EXPECT_EQ(test::ReadBytes(user.string()), "not a folder");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupFolderFailure, ::testing::ValuesIn(FailureCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace korvo
