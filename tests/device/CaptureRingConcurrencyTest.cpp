// The capture ring shared by a producer thread at full speed and a waiting
// thread, the way the transfers use it; built once more under ThreadSanitizer.

#include "device/CaptureRing.h"
#include "device/ReplyWait.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace korvo {
namespace {

// A Note On whose two data bytes repeat the low bits of n, so a torn value
// shows; the top byte holds the rest of n.
std::uint32_t Numbered(std::uint32_t n)
{
    return 0x90 | ((n & 0xFF) << 8) | ((n & 0xFF) << 16) | (((n >> 8) & 0xFF) << 24);
}

// The producer answers every request at once with `burst` messages.
class Producer {
public:
    Producer(CaptureRing& ring, int burst)
        : thread_([this, &ring, burst] {
              std::uint32_t next = 0;
              for (;;) {
                  const int pending = requests_.load(std::memory_order_acquire);
                  if (pending < 0)
                      return;
                  if (pending == answered_)
                      continue;
                  for (int i = 0; i < burst; ++i)
                      MidiInCallback(ring, MidiInEvent::Data, Numbered(next++));
                  ++answered_;
              }
          })
    {
    }
    ~Producer()
    {
        requests_.store(-1, std::memory_order_release);
        thread_.join();
    }
    void Request() { requests_.fetch_add(1, std::memory_order_acq_rel); }

private:
    std::atomic<int> requests_{0};
    int answered_ = 0;
    std::thread thread_;
};

TEST(CaptureRingConcurrency, OneReplyPerRequestWithIndexReset)
{
    // Like the read transfer: each reply lands in slot 0 and the index is moved
    // from 1 back to 0 before the next request.
    CaptureRing ring;
    Producer producer(ring, 1);
    for (std::uint32_t n = 0; n < 20000; ++n) {
        ASSERT_EQ(ring.CaptureIndex.load(), 0);
        producer.Request();
        ASSERT_TRUE(WaitForReplies(ring, 0, 1));
        ASSERT_EQ(ring.SlotAfter(0, 0), Numbered(n));
        std::int32_t one = 1;
        ASSERT_TRUE(ring.CaptureIndex.compare_exchange_strong(one, 0));
    }
}

TEST(CaptureRingConcurrency, BurstsBehindAMovingMark)
{
    // Like discovery and the write: several replies after a mark that moves on.
    constexpr int Burst = 14;
    CaptureRing ring;
    Producer producer(ring, Burst);
    std::uint32_t expected = 0;
    for (int round = 0; round < 5000; ++round) {
        const int mark = TakeMark(ring);
        producer.Request();
        ASSERT_TRUE(WaitForReplies(ring, mark, Burst));
        for (int k = 0; k < Burst; ++k)
            ASSERT_EQ(ring.SlotAfter(mark, k), Numbered(expected++)) << "round " << round << " slot " << k;
    }
}

} // namespace
} // namespace korvo
