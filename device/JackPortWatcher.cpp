#include "device/JackPortWatcher.h"

#include "device/RtMidiSupport.h"

#include <jack/jack.h>

namespace korvo {

JackPortWatcher::~JackPortWatcher() { Disconnect(); }

void JackPortWatcher::OnShutdown(int, const char*, void* self)
{
    // On a thread of the JACK library: only the flags.
    auto* watcher = static_cast<JackPortWatcher*>(self);
    watcher->stops_->fetch_add(1, std::memory_order_acq_rel);
    watcher->stopped_.store(true, std::memory_order_release);
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
    // A client whose server stopped is left alone (see Stops).
    if (client_ && !stopped_.load(std::memory_order_acquire))
        jack_client_close(client_);
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
