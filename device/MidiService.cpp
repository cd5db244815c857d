#include "device/MidiService.h"

#include "scene/TextLines.h"

#include <array>
#include <cstdlib>
#include <utility>

namespace korvo {

namespace {

constexpr std::array<std::pair<MidiService, const char*>, 3> Names = {{
    {MidiService::Automatic, "Automatic"},
    {MidiService::Alsa, "ALSA"},
    {MidiService::Jack, "JACK"},
}};

} // namespace

const char* MidiServiceName(MidiService service)
{
    for (const auto& [s, name] : Names)
        if (s == service)
            return name;
    return "Automatic";
}

std::optional<MidiService> ParseMidiService(std::string_view name)
{
    for (const auto& [s, n] : Names)
        if (SameTextIgnoringCase(name, n))
            return s;
    if (SameTextIgnoringCase(name, "auto"))
        return MidiService::Automatic;
    return std::nullopt;
}

std::optional<MidiService> MidiServiceFromEnvironment()
{
    const char* value = std::getenv(MidiServiceVariable);
    if (!value)
        return std::nullopt;
    return ParseMidiService(value);
}

MidiService EffectiveMidiService(MidiService chosen) { return MidiServiceFromEnvironment().value_or(chosen); }

} // namespace korvo
