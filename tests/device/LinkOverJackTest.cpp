// Discovery, Read and Send through the RtMidi port layer against korvo-emulator,
// on a private JACK server started for each test.

#include "device/DeviceLink.h"
#include "device/RtMidiPorts.h"
#include "scene/DefaultParams.h"
#include "tools/testbed/ChildProcess.h"
#include "tools/testbed/PrivateJackServer.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace korvo {
namespace {

using namespace std::chrono_literals;
using testbed::ChildProcess;
using testbed::PrivateJackServer;

// The shipped defaults with a few changes, so that a read or a write of the
// wrong image shows.
SceneImageBuffer ChangedDefaults()
{
    SceneBank bank;
    LoadDefaults(bank, LoadTextLines(KORVO_DATA_DIR "/DefPara.ini"));
    StoreSceneName(bank.Scenes[1], "LEAD SYNTH");
    bank.Scenes[2].KonbCCNumber[1] = 74;
    bank.Scenes[3].PadOFFValue[7] = 99;
    SceneImageBuffer buffer{};
    PackSceneImages(bank, buffer);
    return buffer;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class LinkOverJack : public ::testing::Test {
protected:
    void SetUp() override
    {
        server_ = std::make_unique<PrivateJackServer>();
        ASSERT_TRUE(server_->Ready()) << "jackd did not start";
        dir_ = std::filesystem::temp_directory_path() / ("korvo-link-" + server_->Name());
        std::filesystem::create_directories(dir_);
        link_ = std::make_unique<DeviceLink>(MakeRtMidiPorts());
        // Longer than the program's own bound: a machine busy with other work
        // must not make a reply late.
        link_->ReplyWait = 600ms;
    }

    void TearDown() override
    {
        // Our clients first, then the emulators, then the server.
        link_.reset();
        emulators_.clear();
        server_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    // Starts korvo-emulator with the options and waits until its ports are open.
    ChildProcess& StartEmulator(std::vector<std::string> options)
    {
        options.insert(options.begin(), {KORVO_EMULATOR, "--name", "Korvo " + std::to_string(started_++)});
        emulators_.push_back(std::make_unique<ChildProcess>(options, true));
        EXPECT_TRUE(emulators_.back()->WaitForLine("ready", 10s)) << options[3];
        return *emulators_.back();
    }

    std::string ImageFile(const std::string& name, const SceneImageBuffer* contents = nullptr)
    {
        const auto path = (dir_ / name).string();
        if (contents)
            std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(contents->data()), DeviceImageSize);
        return path;
    }

    std::unique_ptr<PrivateJackServer> server_;
    std::filesystem::path dir_;
    std::vector<std::unique_ptr<ChildProcess>> emulators_;
    int started_ = 0; // every emulator gets a name of its own
    std::unique_ptr<DeviceLink> link_;
};

TEST_F(LinkOverJack, ReadYieldsTheEmulatorsScenes)
{
    const auto image = ChangedDefaults();
    auto& emulator = StartEmulator({"--image", ImageFile("scenes.img", &image)});
    ASSERT_TRUE(FindDevice(*link_).Ok());

    std::vector<int> percents;
    ASSERT_TRUE(ReceiveSceneData(*link_, 916, 1, [&](int p) { percents.push_back(p); }).Ok());
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + DeviceImageSize, link_->ImageBuffer.begin()));
    EXPECT_EQ(percents.back(), 100);
    EXPECT_TRUE(emulator.WaitForLine("read: 1024 bytes requested", 5s));

    SceneBank bank;
    UnpackSceneImages(bank, link_->ImageBuffer);
    EXPECT_EQ(SceneNameText(bank.Scenes[1]).substr(0, 10), "LEAD SYNTH");
    EXPECT_EQ(bank.Scenes[2].KonbCCNumber[1], 74);
    EXPECT_EQ(bank.Scenes[3].PadOFFValue[7], 99);
}

TEST_F(LinkOverJack, SendStoresThePackedBankInTheEmulator)
{
    const auto stored = ImageFile("stored.img");
    auto& emulator = StartEmulator({"--image", stored});
    ASSERT_TRUE(FindDevice(*link_).Ok());

    link_->ImageBuffer = ChangedDefaults();
    ASSERT_TRUE(TransmitSceneData(*link_, 916, {}).Ok());
    // The emulator acknowledges the last block only after all 1,024 messages.
    EXPECT_TRUE(emulator.WaitForLine("write: 2 blocks, 1024 data messages, image stored in " + stored, 5s));
    const std::string bytes = ReadFile(stored);
    ASSERT_EQ(bytes.size(), 916u);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), link_->ImageBuffer.begin(),
                           [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }));
}

TEST_F(LinkOverJack, DiscoverySkipsAWrongAnswerAndALoopBack)
{
    StartEmulator({"--wrong-identity"});
    StartEmulator({"--loopback"});
    const auto image = ChangedDefaults();
    StartEmulator({"--image", ImageFile("right.img", &image)});
    ASSERT_TRUE(FindDevice(*link_).Ok());
    // The pair found is the right emulator's: it serves its image.
    ASSERT_TRUE(ReceiveSceneData(*link_, 916, 1, {}).Ok());
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + DeviceImageSize, link_->ImageBuffer.begin()));
}

TEST_F(LinkOverJack, FaultsEndTheTransferWithFailure)
{
    enum Step { Search, Read, Send };
    struct Case {
        std::vector<std::string> options;
        Step failingStep;
    };
    const std::vector<Case> cases = {
        {{"--silent"}, Search},
        {{"--wrong-identity"}, Search},
        {{"--reply-delay", "1000"}, Search}, // later than the bound
        {{"--note-before-reply", "1"}, Read},    // before the echo
        {{"--note-before-reply", "602"}, Read},  // before byte reply 600
        {{"--note-before-reply", "1026"}, Read}, // before the last byte reply
        {{"--no-reply-to-byte", "600"}, Read},
        {{"--note-before-reply", "2"}, Send},    // before the block acknowledgement
        {{"--wrong-ack"}, Send},
    };
    for (const auto& c : cases) {
        const std::string what = c.options[0] + (c.options.size() > 1 ? " " + c.options[1] : "");
        auto& emulator = StartEmulator(c.options);
        const bool found = FindDevice(*link_).Ok();
        if (c.failingStep == Search) {
            EXPECT_FALSE(found) << what;
        } else {
            ASSERT_TRUE(found) << what;
            const auto result = c.failingStep == Read ? ReceiveSceneData(*link_, 916, 1, {}) : TransmitSceneData(*link_, 916, {});
            EXPECT_FALSE(result.Ok()) << what;
        }
        emulator.Stop();
        emulators_.clear();
    }
}

TEST_F(LinkOverJack, SlowAnswersWithinTheBoundAreAccepted)
{
    StartEmulator({"--delay", "60"});
    ASSERT_TRUE(FindDevice(*link_).Ok());
    EXPECT_TRUE(TransmitSceneData(*link_, 916, {}).Ok());
}

TEST_F(LinkOverJack, PortsGoneDuringAReadEndIt)
{
    // The emulator closes its ports and ends, as when the controller is unplugged.
    auto& emulator = StartEmulator({});
    ASSERT_TRUE(FindDevice(*link_).Ok());
    const auto start = std::chrono::steady_clock::now();
    const auto result = ReceiveSceneData(*link_, 916, 1, [&](int percent) {
        if (percent == 30)
            kill(emulator.Pid(), SIGTERM);
    });
    EXPECT_EQ(result.Status, LinkStatus::PortGone);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST_F(LinkOverJack, TheProgramsOwnPortsAreToldApart)
{
    StartEmulator({"--silent"});
    StartEmulator({});
    ASSERT_TRUE(FindDevice(*link_).Ok());
    EXPECT_EQ(link_->Found, (DevicePair{"Korvo 1:Korvo 1", "Korvo 1-01:Korvo 1"}));
    // The pair now open shows among the ports: one of each kind, told apart by
    // its client; the emulators' ports are devices.
    for (const auto& ports : {link_->Ports->Outputs(), link_->Ports->Inputs()}) {
        ASSERT_EQ(ports.size(), 3u);
        EXPECT_EQ(std::count_if(ports.begin(), ports.end(), [](const MidiPortInfo& p) { return p.Own; }), 1);
        for (const auto& port : ports)
            EXPECT_EQ(port.Own, port.Name.rfind("Korvo Editor", 0) == 0) << port.Name;
    }
    // The pair found first again, and it still answers.
    ASSERT_TRUE(FindDevice(*link_, link_->Found).Ok());
    EXPECT_TRUE(ReceiveSceneData(*link_, 916, 1).Ok());
}

TEST_F(LinkOverJack, NoControllerOnTheService)
{
    EXPECT_EQ(FindDevice(*link_).Status, LinkStatus::DeviceNotFound);
}

} // namespace
} // namespace korvo
