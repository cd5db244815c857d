#include "FakeMidiPorts.h"

#include "device/FindDevice.h"
#include "device/ProtocolMessages.h"
#include "device/ReplyWait.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace korvo {
namespace {

using test::AnswersHandshake;
using test::FakeMidiPorts;
using test::LoopsBack;
using Event = FakeMidiPorts::Event;
using namespace std::chrono_literals;

// The waits of the program itself: a pair that does not answer costs one.
const WaitLimits Waits{};

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

using Pairs = std::vector<std::pair<int, int>>;

TEST(FindDevice, TriesPairsInOrderAndKeepsTheFirstThatAnswers)
{
    // Output 0 loops back, output 1 answers with another identity, output 2 is a
    // controller answering on input 1 only, output 3 another controller.
    FakeMidiPorts ports({{LoopsBack()}, {AnswersHandshake(CommandMessage(0x39))}, {AnswersHandshake(IdentityReply), 1},
                         {AnswersHandshake(IdentityReply)}},
                        Inputs(2));
    CaptureRing ring;
    DeviceHandles handles;
    EXPECT_EQ(FindDevice(ports, handles, ring, IdentityReply, {}, Waits).Status, LinkStatus::Ok);

    // (2, 0) hears nothing: it costs one full wait and the search moves on.
    EXPECT_EQ(PairsTried(ports), (Pairs{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}}));
    EXPECT_EQ(ports.MostOpenAtOnce(), 1);
    EXPECT_EQ(ports.Events().back(), (Event{Event::Send, 2, IdentifyMarker}));
    EXPECT_TRUE(handles.MidiOutHandle && handles.MidiInHandle);
    EXPECT_EQ(handles.Names, (DevicePair{"out 2", "in 1"}));

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
        EXPECT_EQ(FindDevice(ports, handles, ring, IdentityReply, {}, Waits).Status, LinkStatus::DeviceNotFound) << c.what;
        EXPECT_EQ(ports.Events(), c.expected) << c.what;
    }
}

TEST(FindDevice, CmdEndGoesToTheOutputHeldFromAnEarlierSearch)
{
    FakeMidiPorts first({{AnswersHandshake(IdentityReply), 0}}, Inputs(1));
    CaptureRing ring;
    DeviceHandles handles;
    ASSERT_TRUE(FindDevice(first, handles, ring, IdentityReply, {}, Waits).Ok());

    FakeMidiPorts none({}, Inputs(0));
    EXPECT_EQ(FindDevice(none, handles, ring, IdentityReply, {}, Waits).Status, LinkStatus::DeviceNotFound);
    EXPECT_TRUE(none.Events().empty());
    EXPECT_EQ(first.Events().back(), (Event{Event::Send, 0, CmdEnd}));
}

TEST(FindDevice, WithoutAMidiServiceNothingIsOpened)
{
    FakeMidiPorts ports({{AnswersHandshake(IdentityReply)}}, Inputs(1));
    ports.serviceRuns = false;
    CaptureRing ring;
    DeviceHandles handles;
    EXPECT_EQ(FindDevice(ports, handles, ring, IdentityReply, {}, Waits).Status, LinkStatus::NoMidiService);
    EXPECT_TRUE(ports.Events().empty());
}

TEST(FindDevice, SkipsInputsThatFailToOpenOrStartAndOutputsThatFailToSend)
{
    FakeMidiPorts ports({{AnswersHandshake(IdentityReply), FakeMidiPorts::AllInputs, false, 0}, {AnswersHandshake(IdentityReply)}},
                        {{true, false}, {false, true}, {}});
    CaptureRing ring;
    DeviceHandles handles;
    EXPECT_TRUE(FindDevice(ports, handles, ring, IdentityReply, {}, Waits).Ok());
    EXPECT_EQ(PairsTried(ports), (Pairs{{1, 2}}));
}

TEST(FindDevice, TheProgramsOwnPortsAreNeverTried)
{
    // The program's own input shows among the outputs and its own output among
    // the inputs, here before the devices; a loop-back through them would be
    // tried, and fail, on every search.
    FakeMidiPorts::Output ownInput{LoopsBack()};
    ownInput.own = true;
    FakeMidiPorts::Input ownOutput;
    ownOutput.own = true;
    FakeMidiPorts ports({ownInput, {}, {AnswersHandshake(IdentityReply)}}, {ownOutput, {}});
    CaptureRing ring;
    DeviceHandles handles;
    EXPECT_TRUE(FindDevice(ports, handles, ring, IdentityReply, {}, Waits).Ok());
    EXPECT_EQ(PairsTried(ports), (Pairs{{1, 1}, {2, 1}}));
}

TEST(FindDevice, TheRememberedPairIsTriedFirst)
{
    struct Case {
        const char* what;
        DevicePair preferred;
        Pairs tried;
    };
    // Controllers on outputs 1 and 2, both answering on input 1; input 0 hears nothing.
    const std::vector<Case> cases = {
        {"none remembered: the first that answers", {}, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}},
        {"the one used last wins", {"out 2", "in 1"}, {{2, 1}}},
        {"a name no longer listed: the usual order", {"out 7", "in 1"}, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}},
        {"a pair that does not answer costs one wait, and is not tried twice",
         {"out 2", "in 0"},
         {{2, 0}, {0, 0}, {0, 1}, {1, 0}, {1, 1}}},
    };
    for (const auto& c : cases) {
        FakeMidiPorts ports({{}, {AnswersHandshake(IdentityReply), 1}, {AnswersHandshake(IdentityReply), 1}}, Inputs(2));
        CaptureRing ring;
        DeviceHandles handles;
        EXPECT_TRUE(FindDevice(ports, handles, ring, IdentityReply, c.preferred, Waits).Ok()) << c.what;
        EXPECT_EQ(PairsTried(ports), c.tried) << c.what;
        EXPECT_EQ(ports.MostOpenAtOnce(), 1) << c.what;
    }
}

TEST(FindDevice, AcceptsTheControllersAnswersAmongRealTimeMessagesAndAnInstantEcho)
{
    struct Case {
        const char* what;
        FakeMidiPorts::Output output;
    };
    FakeMidiPorts::Output sensing;
    sensing.respond = [](std::uint32_t sent, std::vector<std::uint32_t>& answers) {
        if (sent == IdentifyMarker)
            answers = {0xFE, CmdIdentify, 0xF8, 0xF8, IdentityReply};
    };
    // The echo arrives before the send of CmdIdentify returns, so before
    // IdentifyMarker goes out.
    FakeMidiPorts::Output instant;
    instant.instant = true;
    instant.respond = [](std::uint32_t sent, std::vector<std::uint32_t>& answers) {
        if (sent == CmdIdentify)
            answers = {CmdIdentify};
        if (sent == IdentifyMarker)
            answers = {IdentityReply};
    };
    for (const Case& c : {Case{"sensing and clock", sensing}, Case{"instant echo", instant}}) {
        FakeMidiPorts ports({c.output}, Inputs(1));
        CaptureRing ring;
        DeviceHandles handles;
        EXPECT_TRUE(FindDevice(ports, handles, ring, IdentityReply, {}, Waits).Ok()) << c.what;
    }
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
    EXPECT_EQ(FindDevice(ports, handles, ring, IdentityReply, {}, Waits).Status, LinkStatus::DeviceNotFound);
}

TEST(FindDevice, ComparesAcrossTheWrapOfTheRing)
{
    FakeMidiPorts ports({{AnswersHandshake(IdentityReply), 0}}, Inputs(1));
    CaptureRing ring;
    ring.CaptureIndex = 15; // echo in slot 15, answer in slot 0
    DeviceHandles handles;
    EXPECT_TRUE(FindDevice(ports, handles, ring, IdentityReply, {}, Waits).Ok());
    EXPECT_EQ(ring.Slots[15], CmdIdentify);
    EXPECT_EQ(ring.Slots[0], IdentityReply);
}

TEST(FindDevice, ACancelRequestStopsTheSearchBeforeTheNextPair)
{
    // Silent devices; the request comes while the first pair is waited for, and
    // that wait runs to its end.
    FakeMidiPorts ports({{}, {}}, Inputs(2));
    CaptureRing ring;
    DeviceHandles handles;
    std::atomic<bool> cancel{false};
    std::thread canceller([&] {
        std::this_thread::sleep_for(10ms);
        cancel = true;
    });
    const auto result = FindDevice(ports, handles, ring, IdentityReply, {}, {100ms, &cancel});
    canceller.join();
    EXPECT_EQ(result.Status, LinkStatus::Cancelled);
    EXPECT_EQ(PairsTried(ports), (Pairs{{0, 0}}));
    EXPECT_EQ(ports.Sent(), (std::vector<std::uint32_t>{CmdIdentify, IdentifyMarker})); // no CmdEnd either
}

} // namespace
} // namespace korvo
