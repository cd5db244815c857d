#pragma once
// Which MIDI service the device link uses: the ALSA sequencer, JACK, or the
// automatic choice (the ALSA sequencer, and JACK when the ALSA sequencer cannot
// be opened). KORVO_MIDI_API=alsa|jack overrides the choice made in the program.

#include <optional>
#include <string>
#include <string_view>

namespace korvo {

enum class MidiService { Automatic, Alsa, Jack };

inline constexpr const char* MidiServiceVariable = "KORVO_MIDI_API";

// "Automatic", "ALSA", "JACK": shown in menus, kept in settings.
const char* MidiServiceName(MidiService service);
// The service a name stands for, ignoring case; also "auto". Nothing for others.
std::optional<MidiService> ParseMidiService(std::string_view name);

// The service KORVO_MIDI_API names, if it is set to one.
std::optional<MidiService> MidiServiceFromEnvironment();

// The choice in effect: the environment's over the program's.
MidiService EffectiveMidiService(MidiService chosen);

} // namespace korvo
