#include "device/RtMidiSupport.h"

#include "scene/TextLines.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace korvo {

RtMidi::Api MidiApiFromEnvironment()
{
    const char* value = std::getenv(MidiApiVariable);
    if (value && SameTextIgnoringCase(value, "alsa"))
        return RtMidi::LINUX_ALSA;
    if (value && SameTextIgnoringCase(value, "jack"))
        return RtMidi::UNIX_JACK;
    return RtMidi::UNSPECIFIED;
}

void CloseOutputPort(RtMidiOut& out)
{
    // Far longer than one cycle of the MIDI service.
    constexpr auto Grace = std::chrono::milliseconds(20);
    try {
        out.closePort();
    } catch (const RtMidiError&) {
    }
    std::this_thread::sleep_for(Grace);
}

} // namespace korvo
