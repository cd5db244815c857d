#include "device/MidiApiChoice.h"

#include "scene/TextLines.h"

#include <cstdlib>

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

} // namespace korvo
