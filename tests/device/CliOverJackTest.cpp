// korvo-cli against korvo-emulator on a private JACK server started for each test.

#include "RunProgram.h"
#include "TestFiles.h"

#include "device/DeviceLink.h"
#include "device/RtMidiPorts.h"
#include "scene/DefaultParams.h"
#include "scene/ImagePlace.h"
#include "tools/testbed/ChildProcess.h"
#include "tools/testbed/PrivateJackServer.h"

#include <csignal>
#include <gtest/gtest.h>

namespace korvo {
namespace {

using namespace std::chrono_literals;
using test::ProgramResult;
using test::ReadBytes;
using test::WriteBytes;
using testbed::ChildProcess;
using testbed::PrivateJackServer;

const std::string DefParaPath = KORVO_DATA_DIR "/DefPara.ini";

SceneBank Defaults()
{
    SceneBank bank;
    LoadDefaults(bank, LoadTextLines(DefParaPath));
    return bank;
}

// The defaults with a few changes, so that the wrong scenes show.
SceneImageBuffer ChangedImage()
{
    SceneBank bank = Defaults();
    StoreSceneName(bank.Scenes[1], "LEAD SYNTH");
    bank.Scenes[2].KonbCCNumber[1] = 74;
    bank.Scenes[3].PadOFFValue[7] = 99;
    SceneImageBuffer image{};
    PackSceneImages(bank, image);
    return image;
}

class CliOverJack : public ::testing::Test {
protected:
    void SetUp() override
    {
        server_ = std::make_unique<PrivateJackServer>();
        ASSERT_TRUE(server_->Ready()) << "jackd did not start";
    }

    void TearDown() override
    {
        emulator_.reset();
        server_.reset();
    }

    void StartEmulator(std::vector<std::string> options)
    {
        options.insert(options.begin(), {KORVO_EMULATOR, "--name", "Korvo Emulator " + server_->Name()});
        emulator_ = std::make_unique<ChildProcess>(options, true);
        ASSERT_TRUE(emulator_->WaitForLine("ready", 10s));
    }

    // The working folder has no DefPara.ini: the program uses the shipped one.
    static std::vector<std::string> Args(std::vector<std::string> args)
    {
        args.insert(args.begin(), KORVO_CLI);
        return args;
    }

    ProgramResult Cli(std::vector<std::string> args) { return test::RunProgram(Args(std::move(args)), dir_.path()); }
    std::string Path(const std::string& name) const { return dir_ / name; }

    // A scene file of the defaults with three changes, made by the program.
    std::string ChangedKvo()
    {
        WriteBytes(Path("changed.json"), R"({"formatVersion": 1, "scenes": [
            {"scene": 1, "name": "PIANO"},
            {"scene": 2, "knobs": [{"knob": 3, "ccNumber": 20}]},
            {"scene": 4, "pads": [{"pad": 8, "assignType": "Control Change", "ccNumber": 64}]}]})");
        EXPECT_EQ(Cli({"convert", "changed.json", "changed.kvo"}).status, 0);
        return Path("changed.kvo");
    }

    test::TempDir dir_;
    std::unique_ptr<PrivateJackServer> server_;
    std::unique_ptr<ChildProcess> emulator_;
};

TEST_F(CliOverJack, ReadWritesWhatTheEditorsReadGivesOnTheSameBase)
{
    const auto image = ChangedImage();
    WriteBytes(Path("emulator.img"), std::string(reinterpret_cast<const char*>(image.data()), DeviceImageSize));
    StartEmulator({"--image", Path("emulator.img")});

    const auto r = Cli({"read", "out.kvo"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line : {"Reading scene data: 10%\n", "Reading scene data: 100%\n", "Read data OK."})
        EXPECT_NE(r.err.find(line), std::string::npos) << r.err;

    // The editor's Read: search, receive, unpack onto the scenes it holds.
    SceneBank editor = Defaults();
    {
        DeviceLink link(MakeRtMidiPorts());
        ASSERT_TRUE(FindDevice(link).Ok());
        ASSERT_TRUE(
            ReceiveSceneData(link, SceneDataLen(LoadTextLines(DefParaPath)), BlockAddOne(LoadTextLines(DefParaPath))).Ok());
        UnpackSceneImages(editor, link.ImageBuffer);
    }
    EXPECT_EQ(ReadBytes(Path("out.kvo")), std::string(reinterpret_cast<const char*>(editor.Scenes.data()), 3536));
}

TEST_F(CliOverJack, SendVerifiesAndTheControllerThenHoldsTheFile)
{
    StartEmulator({});
    const std::string kvo = ChangedKvo();
    const auto sent = Cli({"send", kvo, "--verify"});
    ASSERT_EQ(sent.status, 0) << sent.err;
    EXPECT_NE(sent.err.find("The controller holds the sent scenes."), std::string::npos) << sent.err;

    const auto diff = Cli({"diff", kvo, "device:", "--quiet"});
    EXPECT_EQ(diff.status, 0) << diff.err;
    EXPECT_EQ(diff.out, "");
    EXPECT_EQ(diff.err, "");
}

// korvo-emulator --corrupt-byte N stores (value + 1) & 0x7F for byte N of a write.
TEST_F(CliOverJack, VerifyNamesThePlaceTheControllerGotWrong)
{
    constexpr int Byte = 229 + 153 + 2; // scene 2, knob 3, CC number
    StartEmulator({"--corrupt-byte", std::to_string(Byte)});
    const auto r = Cli({"send", ChangedKvo(), "--verify", "-q"});
    EXPECT_EQ(r.status, 4);
    EXPECT_NE(r.err.find("Verify failed at " + DescribeImagePlace(Byte) + ": the controller holds 21 where 20 was sent"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(DescribeImagePlace(Byte), "scene 2, Knob-3, CC Number");
}

TEST_F(CliOverJack, NoControllerExitsWithStatus3)
{
    const std::vector<std::vector<std::string>> cases = {{"find"}, {"read", "out.kvo"}, {"send", ChangedKvo()}};
    for (const auto& args : cases) {
        const auto r = Cli(args);
        EXPECT_EQ(r.status, 3) << args[0];
        EXPECT_NE(r.err.find("Korvo Device is not exist."), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("out.kvo")));
}

TEST_F(CliOverJack, AReadThatEndsHalfWayLeavesTheOutputAlone)
{
    enum class End { Interrupt, ControllerGone };
    const struct {
        End end;
        const char* message;
    } cases[] = {{End::Interrupt, "Interrupted; nothing more was sent to the controller."},
                 {End::ControllerGone, "Read data failed."}};
    for (const auto& c : cases) {
        StartEmulator({});
        WriteBytes(Path("out.kvo"), "the user's file");
        test::RunningProgram read(Args({"read", "out.kvo", "--force"}), dir_.path());
        ASSERT_TRUE(read.WaitForError("Reading scene data: 10%", 30s));
        if (c.end == End::Interrupt)
            read.Signal(SIGINT);
        else
            emulator_->Stop();
        const auto r = read.Wait();
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(ReadBytes(Path("out.kvo")), "the user's file");
        EXPECT_FALSE(std::filesystem::exists(Path("out.BAK")));
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
            EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
        emulator_.reset();
    }
}

} // namespace
} // namespace korvo
