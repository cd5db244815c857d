// korvo-cli run as a program, on files only (the controller's side is in
// tests/device/CliOverJackTest.cpp).

#include "RunProgram.h"
#include "TestFiles.h"

#include "korvo/Version.h"

#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

namespace korvo {
namespace {

using test::ProgramResult;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

constexpr std::size_t KvoSize = 3536;

std::string RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (auto& b : bytes)
        b = static_cast<char>(random());
    return bytes;
}

class CliProgram : public ::testing::Test {
protected:
    ProgramResult Cli(std::vector<std::string> args)
    {
        args.insert(args.begin(), KORVO_CLI);
        return test::RunProgram(args, dir_.path());
    }
    std::string Path(const std::string& name) const { return dir_ / name; }
    // The shipped defaults as a scene file, made by the program from a JSON file
    // that names nothing.
    std::string DefaultsKvo()
    {
        WriteBytes(Path("empty.json"), R"({"formatVersion": 1})");
        EXPECT_EQ(Cli({"convert", "empty.json", "defaults.kvo"}).status, 0);
        return Path("defaults.kvo");
    }

    TempDir dir_;
};

TEST_F(CliProgram, UsageErrorsExitWithStatus2)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"dump"},
        {"dump", "a.kvo", "--scene", "5"},
        {"dump", "a.kvo", "--scene", "0"},
        {"dump", "a.kvo", "--bogus"},
        {"dump", "a.txt"},
        {"convert", "a.kvo"},
        {"convert", "a.kvo", "device:"},
        {"read"},
        {"read", "out.txt"},
    };
    for (const auto& args : cases) {
        const auto r = Cli(args);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(args);
        EXPECT_FALSE(r.err.empty()) << testing::PrintToString(args);
    }
}

TEST_F(CliProgram, HelpForTheProgramAndEverySubcommand)
{
    const auto help = Cli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"ports", "find", "read", "send", "dump", "convert", "diff"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
        const auto sub = Cli({command, "--help"});
        EXPECT_EQ(sub.status, 0) << command;
        EXPECT_NE(sub.out.find(std::string("korvo-cli ") + command), std::string::npos) << sub.out;
    }
    const auto version = Cli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("korvo-cli ") + KorvoVersion + "\n");
}

TEST_F(CliProgram, ConvertKvoToJsonAndBackGivesTheSameBytes)
{
    WriteBytes(Path("a.kvo"), RandomBytes(KvoSize, 11));
    ASSERT_EQ(Cli({"convert", "a.kvo", "a.json"}).status, 0);
    const auto r = Cli({"convert", "a.json", "b.kvo"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(Path("b.kvo")), ReadBytes(Path("a.kvo")));
}

TEST_F(CliProgram, AnExistingOutputIsReplacedOnlyWithForceAndBackedUp)
{
    const std::string kvo = DefaultsKvo();
    WriteBytes(Path("out.json"), "first");

    auto r = Cli({"convert", kvo, "out.json"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--force"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(Path("out.json")), "first");

    ASSERT_EQ(Cli({"convert", kvo, "out.json", "--force"}).status, 0);
    EXPECT_EQ(ReadBytes(Path("out.BAK")), "first");
    const std::string converted = ReadBytes(Path("out.json"));
    EXPECT_EQ(converted.rfind("{\n  \"format\": \"Korvo scenes\"", 0), 0u);

    // An existing backup is kept; the output is still replaced whole.
    WriteBytes(Path("out.json"), "second");
    ASSERT_EQ(Cli({"convert", kvo, "out.json", "-f"}).status, 0);
    EXPECT_EQ(ReadBytes(Path("out.BAK")), "first");
    EXPECT_EQ(ReadBytes(Path("out.json")), converted);

    // No temporary file is left behind.
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}

TEST_F(CliProgram, AnOutputInAMissingFolderIsRefused)
{
    const auto r = Cli({"convert", DefaultsKvo(), "missing/out.json"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("missing"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(Path("missing")));
}

TEST_F(CliProgram, BadInputFilesAreNamedInTheMessage)
{
    WriteBytes(Path("short.kvo"), RandomBytes(KvoSize - 1, 1));
    WriteBytes(Path("long.kvo"), RandomBytes(KvoSize + 1, 2));
    WriteBytes(Path("binary.json"), RandomBytes(5000, 3));
    WriteBytes(Path("huge.json"), "{\"formatVersion\": 1" + std::string(2'000'000, ' ') + "}");
    WriteBytes(Path("wrong.json"), "{\n  \"formatVersion\": 1,\n  \"scenes\": [{\"knobs\": [{\"ccNumber\": true}]}]\n}");
    WriteBytes(Path("dup.json"), "{\"formatVersion\": 1,\n\"scenes\": [],\n\"scenes\": []}");
    std::filesystem::create_directory(Path("folder.kvo"));
    const struct {
        const char* file;
        const char* message; // a part of it
    } cases[] = {
        {"missing.kvo", "missing.kvo: no such file"},
        {"short.kvo", "short.kvo: it holds 3535 bytes"},
        {"long.kvo", "long.kvo: it holds more than 3536 bytes"},
        {"folder.kvo", "folder.kvo: not a regular file"},
        {"binary.json", "binary.json:1: malformed JSON"},
        {"huge.json", "huge.json: larger than"},
        {"wrong.json", "wrong.json:3: .scenes[0].knobs[0].ccNumber: expected a whole number, found true or false"},
        {"dup.json", "dup.json:3: .scenes: the key \"scenes\" appears twice"},
    };
    for (const auto& c : cases) {
        const auto r = Cli({"dump", c.file});
        EXPECT_EQ(r.status, 2) << c.file;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << c.file;
    }
}

TEST_F(CliProgram, AnUnreadableFileIsNamedInTheMessage)
{
    WriteBytes(Path("locked.kvo"), RandomBytes(KvoSize, 4));
    chmod(Path("locked.kvo").c_str(), 0);
    // As a user without root's rights, for whom the permissions count.
    const std::string result = test::RunUnprivileged([&] {
        const auto r = test::RunProgram({KORVO_CLI, "dump", "locked.kvo"}, dir_.path());
        return std::to_string(r.status) + " " + r.err;
    });
    EXPECT_EQ(result, "2 korvo-cli: cannot read locked.kvo: Permission denied\n");
}

TEST_F(CliProgram, DumpPrintsTheSceneAskedAsTextOrJson)
{
    const std::string kvo = DefaultsKvo();
    const auto text = Cli({"dump", kvo, "--scene", "2"});
    ASSERT_EQ(text.status, 0);
    EXPECT_EQ(text.out.rfind("Scene 2\n  Common          Scene Name: \"SCENE2\", ", 0), 0u) << text.out;
    EXPECT_EQ(text.out.find("Scene 1"), std::string::npos);

    const auto json = Cli({"dump", kvo, "--json"});
    ASSERT_EQ(json.status, 0);
    WriteBytes(Path("dumped.json"), json.out);
    ASSERT_EQ(Cli({"convert", "dumped.json", "again.kvo"}).status, 0);
    EXPECT_EQ(ReadBytes(Path("again.kvo")), ReadBytes(kvo));
}

TEST_F(CliProgram, DiffExitsWith0ForTheSameScenesAnd1ForDifferences)
{
    const std::string kvo = DefaultsKvo();
    WriteBytes(Path("changed.json"),
               R"({"formatVersion": 1, "scenes": [{"scene": 3, "sliders": [{"slider": 2, "ccNumber": 12}]}]})");
    const auto same = Cli({"diff", kvo, "empty.json"});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");
    const auto differ = Cli({"diff", kvo, "changed.json"});
    EXPECT_EQ(differ.status, 1);
    EXPECT_EQ(differ.out, "scene 3, Slider-2, CC Number: 11 -> 12\n");
}

TEST_F(CliProgram, StartupFilesComeFromTheOptionTheWorkingFolderOrTheProgram)
{
    WriteBytes(Path("hand.json"), R"({"formatVersion": 1, "scenes": [{"pads": [{"note": "Do4"}]}]})");
    WriteBytes(Path("notes.ini"), "Do4\n");
    auto r = Cli({"convert", "hand.json", "a.kvo"});
    EXPECT_EQ(r.status, 2) << "the shipped note names have no Do4";
    r = Cli({"convert", "hand.json", "b.kvo", "--notes", "notes.ini"});
    EXPECT_EQ(r.status, 0) << r.err;

    WriteBytes(Path("mine.ini"), "SceneName1=MINE\n");
    WriteBytes(Path("DefPara.ini"), "SceneName1=HERE\n");
    const struct {
        std::vector<std::string> options;
        const char* name;
    } cases[] = {{{}, "\"HERE\""}, {{"--defaults", "mine.ini"}, "\"MINE\""}};
    for (const auto& c : cases) {
        std::vector<std::string> args = {"dump", "empty.json", "--scene", "1"};
        WriteBytes(Path("empty.json"), R"({"formatVersion": 1})");
        args.insert(args.end(), c.options.begin(), c.options.end());
        r = Cli(args);
        EXPECT_NE(r.out.find(std::string("Scene Name: ") + c.name), std::string::npos) << r.out;
    }
    std::filesystem::remove(Path("DefPara.ini"));
    r = Cli({"dump", "empty.json", "--scene", "1"});
    EXPECT_NE(r.out.find("Scene Name: \"SCENE1\""), std::string::npos) << r.out;
    r = Cli({"dump", "empty.json", "--defaults", "nothere.ini"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("nothere.ini"), std::string::npos) << r.err;
}

} // namespace
} // namespace korvo
