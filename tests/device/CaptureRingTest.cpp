#include "device/CaptureRing.h"
#include "device/ReplyWait.h"

#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <thread>

namespace korvo {
namespace {

void Fill(CaptureRing& ring, std::uint32_t value, int index)
{
    for (auto& slot : ring.Slots)
        slot = value;
    ring.CaptureIndex = index;
}

TEST(CaptureRing, CallbackStoresAdvancesAndClearsTwoAhead)
{
    struct Case {
        int index, nextIndex, cleared1, cleared2;
    };
    for (const Case c : {Case{3, 4, 4, 5}, Case{14, 15, 15, 0}, Case{15, 0, 0, 1}}) {
        CaptureRing ring;
        Fill(ring, 0xEEEE, c.index);
        MidiInCallback(ring, MidiInEvent::Data, 0x0038019C);
        EXPECT_EQ(ring.Slots[c.index], 0x0038019Cu) << c.index;
        EXPECT_EQ(ring.CaptureIndex, c.nextIndex);
        EXPECT_EQ(ring.Slots[c.cleared1], 0u);
        EXPECT_EQ(ring.Slots[c.cleared2], 0u);
        int untouched = 0;
        for (const auto& slot : ring.Slots)
            untouched += slot == 0xEEEE;
        EXPECT_EQ(untouched, 13);
    }
}

TEST(CaptureRing, OtherEventsChangeNothing)
{
    for (auto event : {MidiInEvent::Open, MidiInEvent::Close, MidiInEvent::LongData, MidiInEvent::Error}) {
        CaptureRing ring;
        Fill(ring, 0xEEEE, 7);
        MidiInCallback(ring, event, 0x1234);
        EXPECT_EQ(ring.CaptureIndex, 7);
        for (const auto& slot : ring.Slots)
            EXPECT_EQ(slot, 0xEEEEu);
    }
}

TEST(CaptureRing, CapturedSinceCountsModulo16)
{
    CaptureRing ring;
    ring.CaptureIndex = 14;
    EXPECT_EQ(CapturedSince(ring, 14), 0);
    MidiInCallback(ring, MidiInEvent::Data, 1);
    MidiInCallback(ring, MidiInEvent::Data, 2);
    EXPECT_EQ(ring.CaptureIndex, 0);
    EXPECT_EQ(CapturedSince(ring, 14), 2);
    EXPECT_EQ(ring.SlotAfter(14, 0), 1u);
    EXPECT_EQ(ring.SlotAfter(14, 1), 2u);
    for (int i = 0; i < 14; ++i)
        MidiInCallback(ring, MidiInEvent::Data, 3);
    EXPECT_EQ(CapturedSince(ring, 14), 0); // 16 messages look like none
}

TEST(ReplyWait, StopsAtTheFirstEvaluationThatReachesTheCount)
{
    CaptureRing ring;
    ring.CaptureIndex = 3;
    EXPECT_EQ(PollForReplies(ring, 1, 2, ReplyPollLimit), 1);
    EXPECT_EQ(PollForReplies(ring, 1, 3, 1000), 0);
    EXPECT_TRUE(WaitForReplies(ring, 1, 1)); // more than asked for also reaches the count
}

TEST(ReplyWait, AcceptsAReplyAfter100msAndANeverSucceedingWaitLastsOver150ms)
{
    PreparePolling();
    CaptureRing ring;
    std::thread late([&ring] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        MidiInCallback(ring, MidiInEvent::Data, 0x90);
    });
    EXPECT_TRUE(WaitForReplies(ring, 0, 1));
    late.join();

    // The wait's length in time; only its lower end is checked, as a busy
    // machine only makes it longer.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(WaitForReplies(ring, 1, 1));
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("a wait that never succeeds: %.0f ms\n", ms);
    EXPECT_GE(ms, 150.0);
}

} // namespace
} // namespace korvo
