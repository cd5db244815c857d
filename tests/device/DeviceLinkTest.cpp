// The link as the commands use it: the remembered pair, the reasons a failure is
// given, verifying a send, cancelling.

#include "ControllerOnFakePorts.h"

#include "device/DeviceLink.h"
#include "device/ImageComparison.h"
#include "device/ProtocolMessages.h"

#include <gtest/gtest.h>

namespace korvo {
namespace {

using test::FakeMidiPorts;
using test::PatternImage;
using namespace std::chrono_literals;

// A link whose service has the emulated controller with one output and one
// input, after a silent device's if asked for.
struct LinkWithController {
    explicit LinkWithController(EmulatorFaults faults = {}, int sendsBeforeFailure = -1, bool silentDeviceFirst = false)
        : controller(PatternImage(), faults)
    {
        FakeMidiPorts::Output device;
        device.respond = [this](std::uint32_t sent, std::vector<std::uint32_t>& answers) {
            controller.Receive(sent, answers);
        };
        device.sendsBeforeFailure = sendsBeforeFailure;
        std::vector<FakeMidiPorts::Output> outputs{device};
        if (silentDeviceFirst) {
            outputs.back().answersOn = 1;
            outputs.insert(outputs.begin(), FakeMidiPorts::Output{});
        }
        auto fake = std::make_unique<FakeMidiPorts>(outputs, std::vector<FakeMidiPorts::Input>(outputs.size()));
        ports = fake.get();
        link = std::make_unique<DeviceLink>(std::move(fake));
    }

    EmulatedController controller;
    FakeMidiPorts* ports = nullptr;
    std::unique_ptr<DeviceLink> link;
};

TEST(DeviceLink, RemembersThePairThatAnswered)
{
    LinkWithController c({}, -1, true);
    ASSERT_TRUE(FindDevice(*c.link).Ok());
    EXPECT_EQ(c.link->Found, (DevicePair{"out 1", "in 1"}));
    const auto before = c.ports->Events().size();
    ASSERT_TRUE(FindDevice(*c.link, c.link->Found).Ok());
    // The second search sent one handshake only.
    const auto events = c.ports->Events();
    EXPECT_EQ(std::count_if(events.begin() + static_cast<std::ptrdiff_t>(before), events.end(),
                            [](const auto& e) { return e.message == CmdIdentify; }),
              1);

    c.ports->serviceRuns = false;
    EXPECT_EQ(FindDevice(*c.link, c.link->Found).Status, LinkStatus::NoMidiService);
    EXPECT_TRUE(c.link->Found.Empty());
}

TEST(DeviceLink, SilenceIsExplainedByWhatWentAway)
{
    {
        // Sends fail from the 300th on, and the port is no longer listed.
        LinkWithController c({}, 300);
        ASSERT_TRUE(FindDevice(*c.link).Ok());
        const LinkResult result = ReceiveSceneData(*c.link, 916, 1);
        EXPECT_EQ(result.Status, LinkStatus::PortGone);
        EXPECT_EQ(ReasonText(result), "The MIDI port went away (the controller unplugged).");
    }
    {
        LinkWithController c({.quitAt = 400});
        ASSERT_TRUE(FindDevice(*c.link).Ok());
        c.ports->serviceRuns = false; // and the service is gone by the time the reply is missed
        EXPECT_EQ(TransmitSceneData(*c.link, 916).Status, LinkStatus::ServiceStopped);
    }
    {
        // Still there, only silent.
        LinkWithController c({.noReplyToByte = 5});
        ASSERT_TRUE(FindDevice(*c.link).Ok());
        const LinkResult result = ReceiveSceneData(*c.link, 916, 1);
        EXPECT_EQ(ReasonText(result), "No reply to request 5 of 1024.");
    }
}

TEST(DeviceLink, VerifyReadsBackAndNamesTheFirstDifference)
{
    for (int corrupt : {-1, 0, 230, 915}) {
        LinkWithController c({.corruptByte = corrupt});
        ASSERT_TRUE(FindDevice(*c.link).Ok());
        for (std::size_t i = 0; i < c.link->ImageBuffer.size(); ++i)
            c.link->ImageBuffer[i] = static_cast<std::uint8_t>(i % 97);
        ASSERT_TRUE(TransmitSceneData(*c.link, 916).Ok());
        const LinkResult result = VerifySentImage(*c.link, 916, 1);
        if (corrupt < 0) {
            EXPECT_TRUE(result.Ok());
        } else {
            EXPECT_EQ(result.Status, LinkStatus::ImageDiffers) << corrupt;
            EXPECT_EQ(result.ImageOffset, corrupt);
            EXPECT_EQ(c.link->ReadBackBuffer[static_cast<std::size_t>(corrupt)],
                      (c.link->ImageBuffer[static_cast<std::size_t>(corrupt)] + 1) & 0x7F);
        }
    }
}

TEST(DeviceLink, AFailedReadBackSaysSo)
{
    LinkWithController c({.noReplyToByte = 7});
    ASSERT_TRUE(FindDevice(*c.link).Ok());
    ASSERT_TRUE(TransmitSceneData(*c.link, 916).Ok());
    const LinkResult result = VerifySentImage(*c.link, 916, 1);
    EXPECT_EQ(result.Command, LinkCommand::ReadBack);
    EXPECT_EQ(ReasonText(result), "No reply to request 7 of 1024 while reading the sent scenes back.");
}

TEST(DeviceLink, ACancelRequestFromAnotherThreadEndsTheCommand)
{
    // Silent devices: the wait under way runs to its end, then nothing more happens.
    LinkWithController c({.silent = true}, -1, true);
    ClearCancel(*c.link);
    std::thread canceller([&] {
        std::this_thread::sleep_for(20ms);
        RequestCancel(*c.link);
    });
    EXPECT_EQ(FindDevice(*c.link).Status, LinkStatus::Cancelled);
    EXPECT_EQ(c.ports->Sent(), (std::vector<std::uint32_t>{CmdIdentify, IdentifyMarker}));
    canceller.join();
    ClearCancel(*c.link);
    EXPECT_FALSE(c.link->CancelRequested);
}

TEST(LinkResult, ReasonsReadAsSentences)
{
    struct Case {
        LinkResult result;
        const char* text;
    };
    const std::vector<Case> cases = {
        {{LinkStatus::Ok}, ""},
        {{LinkStatus::NoMidiService}, "No MIDI service is available (ALSA sequencer or JACK)."},
        {{LinkStatus::DeviceNotFound}, "Korvo Device is not exist."},
        {{LinkStatus::WrongEcho, LinkCommand::Write},
         "The controller's first answer to the write command was not its echo."},
        {{LinkStatus::UnaskedMessage, LinkCommand::Read},
         "A message that was not asked for arrived during the read (a key, knob, slider or pad moved on the "
         "controller)."},
        {{LinkStatus::UnaskedMessage, LinkCommand::Write},
         "A message that was not asked for arrived during the send (a key, knob, slider or pad moved on the "
         "controller)."},
        {{LinkStatus::NoAcknowledgement, LinkCommand::Write, 2, 2}, "The controller did not acknowledge block 2 of 2."},
        {{LinkStatus::Cancelled, LinkCommand::Read}, "Cancelled."},
        {{LinkStatus::ImageDiffers, LinkCommand::ReadBack, 0, 0, 460},
         "The controller holds something else at scene 3, Common, Scene Name (character 3)."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReasonText(c.result), c.text);
}

TEST(ImageComparison, FirstDifferenceOverTheSentLength)
{
    SceneImageBuffer sent{}, held{};
    EXPECT_EQ(FirstDifference(sent, held, 916), -1);
    held[916] = 1; // beyond the four scenes: never compared
    EXPECT_EQ(FirstDifference(sent, held, 1024), -1);
    held[600] = 1;
    EXPECT_EQ(FirstDifference(sent, held, 916), 600);
    EXPECT_EQ(FirstDifference(sent, held, 600), -1);
    held[0] = 1;
    EXPECT_EQ(FirstDifference(sent, held, -5), 0); // the length is limited to 1..1024
}

} // namespace
} // namespace korvo
