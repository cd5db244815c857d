#include "device/JackPortWatcher.h"

#include "device/RtMidiSupport.h"

#include <jack/jack.h>

namespace korvo {

JackPortWatcher::~JackPortWatcher() { Disconnect(); }

void JackPortWatcher::OnShutdown(int, const char*, void* self)
{
    // On a thread of the JACK library: only the flag.
    static_cast<JackPortWatcher*>(self)->stopped_.store(true, std::memory_order_release);
}

bool JackPortWatcher::Connect()
{
    if (Running())
        return true;
    Disconnect();
    QuietenJackLibrary();
    jack_status_t status{};
    client_ = jack_client_open("Korvo ports", JackNoStartServer, &status);
    if (!client_)
        return false;
    stopped_.store(false, std::memory_order_release);
    jack_on_info_shutdown(
        client_, [](jack_status_t code, const char* reason, void* self) { OnShutdown(code, reason, self); }, this);
    return true;
}

bool JackPortWatcher::Running() const { return client_ && !stopped_.load(std::memory_order_acquire); }

void JackPortWatcher::Disconnect()
{
    if (client_)
        jack_client_close(client_); // also after a shutdown, as the library asks
    client_ = nullptr;
}

std::vector<std::string> JackPortWatcher::MidiPorts(bool sending) const
{
    std::vector<std::string> names;
    if (!Running())
        return names;
    const char** ports = jack_get_ports(client_, nullptr, JACK_DEFAULT_MIDI_TYPE,
                                        sending ? JackPortIsOutput : JackPortIsInput);
    for (std::size_t i = 0; ports && ports[i]; ++i)
        names.emplace_back(ports[i]);
    if (ports)
        jack_free(ports);
    return names;
}

} // namespace korvo
