#include "ControllerOnFakePorts.h"

#include "device/ProtocolMessages.h"
#include "device/ReceiveSceneData.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>

namespace korvo {
namespace {

using test::ControllerOnFakePorts;
using test::FakeMidiPorts;
using test::PatternImage;

SceneImageBuffer Filled(std::uint8_t value)
{
    SceneImageBuffer buffer;
    buffer.fill(value);
    return buffer;
}

TEST(ReceiveSceneData, DefaultsRequest1024BytesAndKeep916)
{
    ControllerOnFakePorts link;
    auto buffer = Filled(0xEE);
    ASSERT_TRUE(ReceiveSceneData(link.handles.MidiOutHandle.get(), link.ring, 916, 1, buffer, link.Recorder()).Ok());

    const auto sent = link.ports.Sent();
    ASSERT_EQ(sent.size(), 1026u);
    EXPECT_EQ(sent.front(), CmdRead);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), CmdNextByte), 1024);
    EXPECT_EQ(sent.back(), CmdEnd);

    const auto image = PatternImage();
    EXPECT_TRUE(std::equal(image.begin(), image.end(), buffer.begin()));
    EXPECT_TRUE(std::all_of(buffer.begin() + 916, buffer.end(), [](auto b) { return b == 0xEE; }));

    ASSERT_FALSE(link.percents.empty());
    EXPECT_EQ(link.percents.front(), 1);
    EXPECT_EQ(link.percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(link.percents.begin(), link.percents.end()));
}

TEST(ReceiveSceneData, LengthIsLimitedToTheBuffer)
{
    struct Case {
        std::int32_t length;
        int firstKept; // positions from here on keep their earlier contents
    };
    for (const Case c : {Case{2000, 1024}, Case{1024, 1024}, Case{0, 1}, Case{-7, 1}}) {
        ControllerOnFakePorts link;
        auto buffer = Filled(0xEE);
        ASSERT_TRUE(ReceiveSceneData(link.handles.MidiOutHandle.get(), link.ring, c.length, 1, buffer).Ok()) << c.length;
        EXPECT_EQ(buffer[0], PatternImage()[0]);
        if (c.firstKept < 1024) {
            EXPECT_EQ(buffer[static_cast<std::size_t>(c.firstKept)], 0xEE) << c.length;
        } else {
            EXPECT_EQ(buffer[1023], 0) << c.length; // the controller sends 0 beyond its image
        }
    }
}

TEST(ReceiveSceneData, NoBlocksToReadFailsWithoutRequests)
{
    for (std::int32_t blockAddOne : {-1, -100}) {
        ControllerOnFakePorts link; // announces 1
        auto buffer = Filled(0xEE);
        EXPECT_EQ(ReceiveSceneData(link.handles.MidiOutHandle.get(), link.ring, 916, blockAddOne, buffer).Status,
                  LinkStatus::NoBlocks);
        EXPECT_EQ(link.ports.Sent(), std::vector<std::uint32_t>{CmdRead});
        EXPECT_EQ(buffer, Filled(0xEE));
    }
}

TEST(ReceiveSceneData, MarkAtTheEndOfTheRing)
{
    ControllerOnFakePorts link;
    link.ring.CaptureIndex = 15; // echo in slot 15, block information in slot 0
    SceneImageBuffer buffer{};
    EXPECT_TRUE(ReceiveSceneData(link.handles.MidiOutHandle.get(), link.ring, 916, 1, buffer).Ok());
    EXPECT_EQ(link.ports.Sent().size(), 1026u);
}

TEST(ReceiveSceneData, TakesTheByteFromTheLowNibblesOnly)
{
    const FakeMidiPorts::Responder odd = [](std::uint32_t sent, std::vector<std::uint32_t>& answers) {
        if (sent == CmdRead)
            answers = {CmdRead, 0x00000000}; // 1 + 0 blocks
        if (sent == CmdNextByte)
            answers = {0x00757AB5}; // status B5, data1 7A, data2 75
    };
    ControllerOnFakePorts link({}, {{odd}});
    SceneImageBuffer buffer{};
    ASSERT_TRUE(ReceiveSceneData(link.handles.MidiOutHandle.get(), link.ring, 512, 1, buffer).Ok());
    EXPECT_EQ(buffer[0], 0xA5);
    EXPECT_EQ(buffer[511], 0xA5);
}

TEST(ReceiveSceneData, FailuresEndTheReadWithoutCmdEndAndSayWhy)
{
    struct Case {
        const char* what;
        EmulatorFaults faults;
        int sendsBeforeFailure;
        std::size_t requests; // CmdNextByte sent before the read ended
        LinkResult result;
    };
    const auto read = [](LinkStatus status, int request = 0, int requests = 0) {
        return LinkResult{status, LinkCommand::Read, request, requests};
    };
    const std::vector<Case> cases = {
        {"wrong echo: a note before it", {.noteBeforeReply = 1}, -1, 0, read(LinkStatus::WrongEcho)},
        {"a note before the block information", {.noteBeforeReply = 2}, -1, 1024, read(LinkStatus::UnaskedMessage)},
        {"a note before byte reply 600", {.noteBeforeReply = 602}, -1, 1024, read(LinkStatus::UnaskedMessage)},
        {"a note before the last byte reply", {.noteBeforeReply = 1026}, -1, 1024, read(LinkStatus::UnaskedMessage)},
        {"a flood of notes", {.noteFlood = 200}, -1, 1024, read(LinkStatus::UnaskedMessage)},
        {"no reply to request 600", {.noReplyToByte = 600}, -1, 600, read(LinkStatus::NoReply, 600, 1024)},
        {"the port goes away at request 300", {}, 300, 299, read(LinkStatus::SendRefused, 301)},
        {"silence", {.silent = true}, -1, 0, read(LinkStatus::NoCommandReply)},
    };
    for (const auto& c : cases) {
        FakeMidiPorts::Output output;
        output.sendsBeforeFailure = c.sendsBeforeFailure;
        ControllerOnFakePorts link(c.faults, {output});
        auto buffer = Filled(0xEE);
        const LinkResult result = ReceiveSceneData(link.handles.MidiOutHandle.get(), link.ring, 916, 1, buffer);
        EXPECT_EQ(result.Status, c.result.Status) << c.what;
        EXPECT_EQ(result.Command, LinkCommand::Read) << c.what;
        EXPECT_EQ(result.Request, c.result.Request) << c.what;
        EXPECT_EQ(result.Requests, c.result.Requests) << c.what;
        const auto sent = link.ports.Sent();
        EXPECT_EQ(std::count(sent.begin(), sent.end(), CmdEnd), 0) << c.what;
        // A stray note is caught when the request after it is due, or at the
        // latest before CmdEnd.
        const auto requests = static_cast<std::size_t>(std::count(sent.begin(), sent.end(), CmdNextByte));
        if (c.result.Status == LinkStatus::UnaskedMessage)
            EXPECT_LE(requests, c.requests) << c.what;
        else
            EXPECT_EQ(requests, c.requests) << c.what;
    }
}

TEST(ReceiveSceneData, RealTimeMessagesAmongTheRepliesChangeNothing)
{
    // Active sensing and clock after every reply, as a controller or an
    // interface sends them all the time.
    EmulatedController controller(PatternImage(), {});
    const FakeMidiPorts::Responder busy = [&](std::uint32_t sent, std::vector<std::uint32_t>& answers) {
        controller.Receive(sent, answers);
        for (std::size_t i = answers.size(); i-- > 0;)
            answers.insert(answers.begin() + static_cast<std::ptrdiff_t>(i) + 1, {0xFE, 0xF8});
    };
    ControllerOnFakePorts link({}, {{busy}});
    SceneImageBuffer buffer{};
    ASSERT_TRUE(ReceiveSceneData(link.handles.MidiOutHandle.get(), link.ring, 916, 1, buffer).Ok());
    const auto image = PatternImage();
    EXPECT_TRUE(std::equal(image.begin(), image.end(), buffer.begin()));
}

TEST(ReceiveSceneData, ACancelRequestStopsTheReadAfterTheMessageInFlight)
{
    ControllerOnFakePorts link;
    std::atomic<bool> cancel{false};
    auto buffer = Filled(0xEE);
    const auto result = ReceiveSceneData(link.handles.MidiOutHandle.get(), link.ring, 916, 1, buffer,
                                         [&](int percent) {
                                             if (percent == 30)
                                                 cancel = true;
                                         },
                                         {ReplyWaitTime, &cancel});
    EXPECT_EQ(result.Status, LinkStatus::Cancelled);
    const auto sent = link.ports.Sent();
    // Percent 30 is reached at position 297: nothing was sent after its request.
    EXPECT_EQ(std::count(sent.begin(), sent.end(), CmdNextByte), 298);
    EXPECT_EQ(sent.back(), CmdNextByte);
}

TEST(ReceiveSceneData, AStrayNoteIsCaughtWhenRepliesLagBehind)
{
    // The note arrives at once, the controller's replies 300 us after each
    // request. Taking the note as the byte puts one reply more in flight than was
    // requested, and the read runs one byte behind from there to the end.
    for (int strayAt : {600, 1024}) {
        EmulatedController controller(PatternImage(), {});
        FakeMidiPorts* ports = nullptr;
        int requests = 0;
        FakeMidiPorts::Output device;
        device.latency = std::chrono::microseconds(300);
        device.respond = [&](std::uint32_t sent, std::vector<std::uint32_t>& answers) {
            controller.Receive(sent, answers);
            if (sent == CmdNextByte && ++requests == strayAt)
                ports->Deliver(0, InjectedNote);
        };
        FakeMidiPorts fake({device}, {FakeMidiPorts::Input{}});
        ports = &fake;
        CaptureRing ring;
        DeviceHandles handles{fake.OpenOutput(fake.OutputName(0)),
                              fake.OpenInput(fake.InputName(0),
                                             [&ring](MidiInEvent e, std::uint32_t m) { MidiInCallback(ring, e, m); }),
                              {}};
        handles.MidiInHandle->Start();
        SceneImageBuffer buffer{};
        EXPECT_EQ(ReceiveSceneData(handles.MidiOutHandle.get(), ring, 1024, 1, buffer).Status, LinkStatus::UnaskedMessage)
            << strayAt;
        const auto sent = fake.Sent();
        EXPECT_EQ(std::count(sent.begin(), sent.end(), CmdEnd), 0) << strayAt;
        handles = {};
    }
}

TEST(ReceiveSceneData, FailedReadKeepsTheBytesReceivedSoFar)
{
    ControllerOnFakePorts link(EmulatorFaults{.noReplyToByte = 600});
    auto buffer = Filled(0xEE);
    ASSERT_EQ(ReceiveSceneData(link.handles.MidiOutHandle.get(), link.ring, 916, 1, buffer).Status, LinkStatus::NoReply);
    const auto image = PatternImage();
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 599, buffer.begin()));
    EXPECT_TRUE(std::all_of(buffer.begin() + 599, buffer.end(), [](auto b) { return b == 0xEE; }));
}

TEST(ReceiveSceneData, WithoutAnOpenOutputFails)
{
    CaptureRing ring;
    SceneImageBuffer buffer{};
    EXPECT_FALSE(ReceiveSceneData(nullptr, ring, 916, 1, buffer).Ok());
}

} // namespace
} // namespace korvo
