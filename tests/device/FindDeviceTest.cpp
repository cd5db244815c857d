#include "FakeMidiPorts.h"

#include "device/FindDevice.h"
#include "device/ProtocolMessages.h"
#include "device/ReplyWait.h"

#include <gtest/gtest.h>

namespace korvo {
namespace {

using test::AnswersHandshake;
using test::FakeMidiPorts;
using test::LoopsBack;
using Event = FakeMidiPorts::Event;

std::vector<FakeMidiPorts::Input> Inputs(int n) { return std::vector<FakeMidiPorts::Input>(static_cast<std::size_t>(n)); }

// The pairs (output, input) on which the handshake was sent, in order.
std::vector<std::pair<int, int>> PairsTried(const FakeMidiPorts& ports)
{
    std::vector<std::pair<int, int>> pairs;
    int input = -1;
    for (const auto& e : ports.Events()) {
        if (e.kind == Event::OpenInput)
            input = e.device;
        if (e.kind == Event::Send && e.message == CmdIdentify)
            pairs.emplace_back(e.device, input);
    }
    return pairs;
}

TEST(FindDevice, TriesPairsInOrderAndKeepsTheFirstThatAnswers)
{
    // Output 0 loops back, output 1 answers with another identity, output 2 is a
    // controller answering on input 1 only, output 3 another controller.
    FakeMidiPorts ports({{LoopsBack()}, {AnswersHandshake(CommandMessage(0x39))}, {AnswersHandshake(IdentityReply), 1},
                         {AnswersHandshake(IdentityReply)}},
                        Inputs(2));
    CaptureRing ring;
    DeviceHandles handles;
    EXPECT_EQ(FindDevice(ports, handles, ring, IdentityReply), 0);

    // (2, 0) hears nothing: it costs one full wait and the search moves on.
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}};
    EXPECT_EQ(PairsTried(ports), expected);
    EXPECT_EQ(ports.MostOpenAtOnce(), 1);
    EXPECT_EQ(ports.Events().back(), (Event{Event::Send, 2, IdentifyMarker}));
    EXPECT_TRUE(handles.MidiOutHandle && handles.MidiInHandle);

    // The pair stays open and goes on capturing.
    const int mark = TakeMark(ring);
    ports.Deliver(1, 0x00643C90);
    ASSERT_TRUE(WaitForReplies(ring, mark, 1));
    EXPECT_EQ(ring.SlotAfter(mark, 0), 0x00643C90u);
}

TEST(FindDevice, NoDeviceAnswersSendsCmdEndOnTheLastOutput)
{
    struct Case {
        const char* what;
        std::vector<FakeMidiPorts::Output> outputs;
        int inputs;
        std::vector<Event> expected;
    };
    const std::vector<Case> cases = {
        {"no outputs", {}, 2, {}},
        {"no inputs: each output opened in turn, no handshake",
         {{}, {}},
         0,
         {{Event::OpenOutput, 0}, {Event::CloseOutput, 0}, {Event::OpenOutput, 1}, {Event::Send, 1, CmdEnd}}},
        {"output fails to open",
         {{AnswersHandshake(IdentityReply), 0, true}},
         1,
         {}},
    };
    for (const auto& c : cases) {
        FakeMidiPorts ports(c.outputs, Inputs(c.inputs));
        CaptureRing ring;
        DeviceHandles handles;
        EXPECT_EQ(FindDevice(ports, handles, ring, IdentityReply), 1) << c.what;
        EXPECT_EQ(ports.Events(), c.expected) << c.what;
    }
}

TEST(FindDevice, CmdEndGoesToTheOutputHeldFromAnEarlierSearch)
{
    FakeMidiPorts first({{AnswersHandshake(IdentityReply), 0}}, Inputs(1));
    CaptureRing ring;
    DeviceHandles handles;
    ASSERT_EQ(FindDevice(first, handles, ring, IdentityReply), 0);

    FakeMidiPorts none({}, Inputs(0));
    EXPECT_EQ(FindDevice(none, handles, ring, IdentityReply), 1);
    EXPECT_TRUE(none.Events().empty());
    EXPECT_EQ(first.Events().back(), (Event{Event::Send, 0, CmdEnd}));
}

TEST(FindDevice, SkipsInputsThatFailToOpenOrStartAndOutputsThatFailToSend)
{
    FakeMidiPorts ports({{AnswersHandshake(IdentityReply), FakeMidiPorts::AllInputs, false, 0}, {AnswersHandshake(IdentityReply)}},
                        {{true, false}, {false, true}, {}});
    CaptureRing ring;
    DeviceHandles handles;
    EXPECT_EQ(FindDevice(ports, handles, ring, IdentityReply), 0);
    EXPECT_EQ(PairsTried(ports), (std::vector<std::pair<int, int>>{{1, 2}}));
}

TEST(FindDevice, RejectsAStrayMessageBetweenEchoAndAnswer)
{
    const FakeMidiPorts::Responder noisy = [](std::uint32_t sent, std::vector<std::uint32_t>& answers) {
        if (sent == IdentifyMarker)
            answers = {CmdIdentify, 0x00643C90, IdentityReply};
    };
    FakeMidiPorts ports({{noisy, 0}}, Inputs(1));
    CaptureRing ring;
    DeviceHandles handles;
    EXPECT_EQ(FindDevice(ports, handles, ring, IdentityReply), 1);
}

TEST(FindDevice, ComparesAcrossTheWrapOfTheRing)
{
    FakeMidiPorts ports({{AnswersHandshake(IdentityReply), 0}}, Inputs(1));
    CaptureRing ring;
    ring.CaptureIndex = 15; // echo in slot 15, answer in slot 0
    DeviceHandles handles;
    EXPECT_EQ(FindDevice(ports, handles, ring, IdentityReply), 0);
    EXPECT_EQ(ring.Slots[15], CmdIdentify);
    EXPECT_EQ(ring.Slots[0], IdentityReply);
}

} // namespace
} // namespace korvo
