#pragma once
// The ring of 16 slots into which the input callback captures every incoming short
// message, and the counting of what arrived since a mark.
//
// Two threads share it without a lock: the MIDI service's thread writes a slot and
// then advances CaptureIndex with release ordering; the waiting thread reads
// CaptureIndex with acquire ordering and only then the slots behind it.

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

    // Slot k after the mark: Slots[(mark + k) mod 16].
    std::uint32_t SlotAfter(int mark, int k) const
    {
        return Slots[static_cast<std::size_t>((mark + k) & (CaptureRingSize - 1))].load(std::memory_order_relaxed);
    }
};

// A mark: where the replies to the request about to be sent will land.
inline int TakeMark(const CaptureRing& ring) { return ring.CaptureIndex.load(std::memory_order_acquire); }

// The input callback: for Data, stores the message, advances CaptureIndex and
// clears the two slots ahead. Every other event changes nothing. Never blocks.
void MidiInCallback(CaptureRing& ring, MidiInEvent event, std::uint32_t message);

// Messages captured since the mark, modulo 16: (CaptureIndex + 16 - mark) mod 16.
int CapturedSince(const CaptureRing& ring, int mark);

} // namespace korvo
