#include "device/RtMidiSupport.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace korvo {

namespace {

void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}
void QuietJack(const char*) {}

} // namespace

bool AlsaSequencerOpens()
{
    // A missing sequencer is an answer here, not something to print.
    snd_lib_error_set_handler(&QuietAlsa);
    snd_seq_t* seq = nullptr;
    const bool opens = snd_seq_open(&seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) == 0;
    if (opens)
        snd_seq_close(seq);
    snd_lib_error_set_handler(nullptr);
    return opens;
}

void QuietenJackLibrary()
{
    jack_set_error_function(&QuietJack);
    jack_set_info_function(&QuietJack);
}

bool JackServerRuns()
{
    QuietenJackLibrary();
    jack_status_t status{};
    jack_client_t* client = jack_client_open("Korvo probe", JackNoStartServer, &status);
    if (client)
        jack_client_close(client);
    return client != nullptr;
}

std::optional<RtMidi::Api> OpenableMidiApi(MidiService service)
{
    if (service != MidiService::Jack && AlsaSequencerOpens())
        return RtMidi::LINUX_ALSA;
    if (service != MidiService::Alsa && JackServerRuns())
        return RtMidi::UNIX_JACK;
    return std::nullopt;
}

RtMidi::Api ChooseMidiApi(std::optional<MidiService> asked)
{
    const MidiService service = asked ? *asked : EffectiveMidiService(MidiService::Automatic);
    if (const auto api = OpenableMidiApi(service))
        return *api;
    switch (service) {
    case MidiService::Alsa:
        throw std::runtime_error("the ALSA sequencer cannot be opened (is the snd-seq module loaded?); "
                                 "to use JACK instead, give --service jack or set KORVO_MIDI_API=jack");
    case MidiService::Jack:
        throw std::runtime_error("no JACK server is running; start one, or use the ALSA sequencer with "
                                 "--service alsa or KORVO_MIDI_API=alsa");
    case MidiService::Automatic:
        break;
    }
    throw std::runtime_error("no MIDI service is available: the ALSA sequencer cannot be opened and no JACK "
                             "server is running; load the snd-seq module or start a JACK server");
}

std::string MidiApiName(RtMidi::Api api)
{
    switch (api) {
    case RtMidi::LINUX_ALSA:
        return "the ALSA sequencer";
    case RtMidi::UNIX_JACK:
        return "JACK";
    default:
        return RtMidi::getApiDisplayName(api);
    }
}

void CloseOutputPort(RtMidiOut& out)
{
    try {
        out.closePort();
    } catch (const RtMidiError&) {
    }
    std::this_thread::sleep_for(OutputCloseGrace);
}

} // namespace korvo
