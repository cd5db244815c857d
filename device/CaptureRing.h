#pragma once
// The ring of 16 slots into which the input callback captures every incoming short
// message, and the counting of what arrived since a mark.
//
// Two threads share it without a lock: the MIDI service's thread writes a slot and
// then advances CaptureIndex with release ordering; the waiting thread reads
// CaptureIndex with acquire ordering and only then the slots behind it. After
// each message the callback wakes the waiting thread through Arrival.
//
// System real-time messages (clock, start, continue, stop, active sensing and
// reset) are never a reply of the protocol and never enter the ring: a controller
// or interface that sends them all the time would otherwise fail every transfer.

#include "device/ArrivalSignal.h"
#include "device/MidiPorts.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace korvo {

inline constexpr int CaptureRingSize = 16;

struct CaptureRing {
    std::array<std::atomic<std::uint32_t>, CaptureRingSize> Slots{};
    // 0..15: the slot the next message goes to. Moved by the callback, and set
    // back to 0 by the read transfer while no reply is outstanding.
    std::atomic<std::int32_t> CaptureIndex{0};
    // Notified after every captured message.
    ArrivalSignal Arrival;

    // Slot k after the mark: Slots[(mark + k) mod 16].
    std::uint32_t SlotAfter(int mark, int k) const
    {
        return Slots[static_cast<std::size_t>((mark + k) & (CaptureRingSize - 1))].load(std::memory_order_relaxed);
    }
};

// A mark: where the replies to the request about to be sent will land.
inline int TakeMark(const CaptureRing& ring) { return ring.CaptureIndex.load(std::memory_order_acquire); }

// Status bytes 0xF8 to 0xFF: the system real-time messages.
constexpr bool IsRealTimeMessage(std::uint32_t message) { return (message & 0xFF) >= 0xF8; }

// The input callback: for Data, stores the message, advances CaptureIndex, clears
// the two slots ahead and notifies Arrival. Real-time messages and every other
// event change nothing. Never blocks and never allocates.
void MidiInCallback(CaptureRing& ring, MidiInEvent event, std::uint32_t message);

// Messages captured since the mark, modulo 16: (CaptureIndex + 16 - mark) mod 16.
int CapturedSince(const CaptureRing& ring, int mark);

} // namespace korvo
