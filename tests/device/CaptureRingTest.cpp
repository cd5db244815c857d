#include "device/CaptureRing.h"
#include "device/ReplyWait.h"

#include <chrono>
#include <ctime>
#include <gtest/gtest.h>
#include <thread>

namespace korvo {
namespace {

constexpr std::uint32_t InjectedNoteForTest = 0x00643C90;

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

TEST(CaptureRing, RealTimeMessagesNeverEnterTheRing)
{
    // Clock, start, continue, stop, active sensing and reset; MTC quarter frames
    // (F1) and song position (F2) are captured like any other message.
    CaptureRing ring;
    for (std::uint32_t status : {0xF8u, 0xF9u, 0xFAu, 0xFBu, 0xFCu, 0xFDu, 0xFEu, 0xFFu})
        MidiInCallback(ring, MidiInEvent::Data, status);
    EXPECT_EQ(ring.CaptureIndex, 0);
    MidiInCallback(ring, MidiInEvent::Data, 0x000012F1);
    MidiInCallback(ring, MidiInEvent::Data, InjectedNoteForTest);
    EXPECT_EQ(ring.CaptureIndex, 2);
    EXPECT_EQ(ring.Slots[0], 0x000012F1u);
}

TEST(ReplyWait, ReturnsAtOnceWhenTheCountIsReached)
{
    CaptureRing ring;
    ring.CaptureIndex = 3;
    EXPECT_TRUE(WaitForReplies(ring, 1, 2));
    EXPECT_TRUE(WaitForReplies(ring, 1, 1)); // more than asked for also reaches the count
    EXPECT_FALSE(WaitForReplies(ring, 1, 3, std::chrono::milliseconds(1)));
}

// CPU time of this thread, to show that a wait sleeps.
double ThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

TEST(ReplyWait, SleepsUntilAnArrivalOrTheBound)
{
    CaptureRing ring;
    std::thread late([&ring] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        MidiInCallback(ring, MidiInEvent::Data, 0x90);
    });
    const double cpuBefore = ThreadCpuMs();
    EXPECT_TRUE(WaitForReplies(ring, 0, 1));
    late.join();

    // The bound is a time; only its lower end is checked, as a busy machine only
    // makes a wait longer.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(WaitForReplies(ring, 1, 1));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, ReplyWaitTime);
    // 400 ms of waiting cost next to no processor time.
    EXPECT_LT(ThreadCpuMs() - cpuBefore, 50.0);
}

} // namespace
} // namespace korvo
