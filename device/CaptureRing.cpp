#include "device/CaptureRing.h"

namespace korvo {

void MidiInCallback(CaptureRing& ring, MidiInEvent event, std::uint32_t message)
{
    if (event != MidiInEvent::Data || IsRealTimeMessage(message))
        return;
    const int index = ring.CaptureIndex.load(std::memory_order_relaxed) & (CaptureRingSize - 1);
    ring.Slots[static_cast<std::size_t>(index)].store(message, std::memory_order_relaxed);
    const int next = (index + 1) & (CaptureRingSize - 1);
    // Publishes the slot: whoever sees the new index also sees the message.
    ring.CaptureIndex.store(next, std::memory_order_release);
    ring.Slots[static_cast<std::size_t>(next)].store(0, std::memory_order_relaxed);
    ring.Slots[static_cast<std::size_t>((next + 1) & (CaptureRingSize - 1))].store(0, std::memory_order_relaxed);
    ring.Arrival.Notify();
}

int CapturedSince(const CaptureRing& ring, int mark)
{
    return (ring.CaptureIndex.load(std::memory_order_acquire) + CaptureRingSize - mark) & (CaptureRingSize - 1);
}

} // namespace korvo
