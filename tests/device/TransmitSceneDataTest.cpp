#include "ControllerOnFakePorts.h"

#include "device/ProtocolMessages.h"
#include "device/TransmitSceneData.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>

namespace korvo {
namespace {

using test::ControllerOnFakePorts;
using test::FakeMidiPorts;

SceneImageBuffer Counting()
{
    SceneImageBuffer buffer{};
    for (std::size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = static_cast<std::uint8_t>(i * 13 + 1);
    return buffer;
}

TEST(TransmitSceneData, SendsBlocksFillersAndWaitsForEachAcknowledgement)
{
    struct Case {
        std::int32_t length;     // as set
        int blocks;
        int dataMessages;        // carrying bytes of the buffer; the rest are fillers
    };
    for (const Case c : {Case{512, 1, 512}, Case{513, 2, 513}, Case{916, 2, 916}, Case{2000, 2, 1024}, Case{0, 1, 1}}) {
        ControllerOnFakePorts link;
        const auto buffer = Counting();
        ASSERT_TRUE(TransmitSceneData(link.handles.MidiOutHandle.get(), link.ring, c.length, buffer, link.Recorder()).Ok())
            << c.length;

        std::vector<std::uint32_t> expected = {CmdWrite, BlockCountMessage(static_cast<std::uint8_t>(c.blocks))};
        for (int n = 0; n < c.blocks * 512; ++n)
            expected.push_back(n < c.dataMessages ? DataMessage(buffer[static_cast<std::size_t>(n)]) : FillerMessage);
        EXPECT_EQ(link.ports.Sent(), expected) << c.length;

        // The controller stored what it was sent, up to its image size.
        for (int n = 0; n < std::min(c.blocks * 512, DeviceImageSize); ++n)
            ASSERT_EQ(link.controller.Image()[static_cast<std::size_t>(n)], n < c.dataMessages ? buffer[static_cast<std::size_t>(n)] : 0)
                << c.length << " at " << n;

        EXPECT_EQ(link.percents.front(), 1);
        EXPECT_EQ(link.percents.back(), 100);
    }
}

TEST(TransmitSceneData, RepliesAreTakenAcrossTheWrapOfTheRing)
{
    ControllerOnFakePorts link;
    link.ring.CaptureIndex = 14; // echo in slot 14, block acknowledgement in 15, final in 0
    EXPECT_TRUE(TransmitSceneData(link.handles.MidiOutHandle.get(), link.ring, 916, Counting()).Ok());
    EXPECT_EQ(link.ring.Slots[14], CmdWrite);
    EXPECT_EQ(link.ring.Slots[15], BlockAcknowledgement);
    EXPECT_EQ(link.ring.CaptureIndex, 1);
}

TEST(TransmitSceneData, FailuresEndTheWriteAndSayWhy)
{
    struct Case {
        const char* what;
        EmulatorFaults faults;
        int sendsBeforeFailure;
        std::size_t sent; // messages sent before the write ended
        LinkStatus status;
        int request = 0; // the block, or the message refused
    };
    const std::vector<Case> cases = {
        {"wrong echo: a note before it", {.noteBeforeReply = 1}, -1, 2, LinkStatus::WrongEcho},
        {"a note while the first block goes out", {.noteBeforeReply = 2}, -1, 514, LinkStatus::UnaskedMessage, 1},
        {"wrong acknowledgement", {.wrongAck = true}, -1, 514, LinkStatus::WrongAcknowledgement, 1},
        {"no echo", {.silent = true}, -1, 2, LinkStatus::NoCommandReply},
        {"the controller goes away in the second block", {.quitAt = 700}, -1, 1026, LinkStatus::NoAcknowledgement, 2},
        {"the port goes away in the second block", {}, 700, 700, LinkStatus::SendRefused, 701},
    };
    for (const auto& c : cases) {
        FakeMidiPorts::Output output;
        output.sendsBeforeFailure = c.sendsBeforeFailure;
        ControllerOnFakePorts link(c.faults, {output});
        const auto before = link.controller.Image();
        const LinkResult result = TransmitSceneData(link.handles.MidiOutHandle.get(), link.ring, 916, Counting());
        EXPECT_EQ(result.Status, c.status) << c.what;
        EXPECT_EQ(result.Command, LinkCommand::Write) << c.what;
        EXPECT_EQ(result.Request, c.request) << c.what;
        EXPECT_EQ(link.ports.Sent().size(), c.sent) << c.what;
        EXPECT_EQ(link.controller.Image(), before) << c.what;
    }
}

TEST(TransmitSceneData, ACancelRequestStopsTheWriteAfterTheMessageInFlight)
{
    ControllerOnFakePorts link;
    std::atomic<bool> cancel{false};
    const auto before = link.controller.Image();
    const auto result = TransmitSceneData(link.handles.MidiOutHandle.get(), link.ring, 916, Counting(),
                                          [&](int percent) {
                                              if (percent == 60)
                                                  cancel = true;
                                          },
                                          {ReplyWaitTime, &cancel});
    EXPECT_EQ(result.Status, LinkStatus::Cancelled);
    // Percent 60 comes with position 605, message 608 of the write.
    EXPECT_EQ(link.ports.Sent().size(), 608u);
    EXPECT_EQ(link.controller.Image(), before);
}

TEST(TransmitSceneData, WithoutAnOpenOutputFails)
{
    CaptureRing ring;
    EXPECT_FALSE(TransmitSceneData(nullptr, ring, 916, SceneImageBuffer{}).Ok());
}

} // namespace
} // namespace korvo
