#pragma once
// A client of the JACK server kept open to look at its ports: whether the server
// runs, which MIDI ports it has, and whether it has stopped since. Opening a
// client costs a round trip to the server, so one serves every search.

#include <atomic>
#include <string>
#include <vector>

struct _jack_client;

namespace korvo {

class JackPortWatcher {
public:
    JackPortWatcher() = default;
    ~JackPortWatcher();
    JackPortWatcher(const JackPortWatcher&) = delete;
    JackPortWatcher& operator=(const JackPortWatcher&) = delete;

    // Connects to the server (again, after it stopped): false when none runs.
    bool Connect();
    // True while connected and the server has not stopped.
    bool Running() const;
    void Disconnect();

    // The full names of the MIDI ports that take messages (inputs = false: the
    // inputs of other clients, which are this program's outputs) or that send
    // them, in the server's order; the order RtMidi numbers them in.
    std::vector<std::string> MidiPorts(bool sending) const;

private:
    static void OnShutdown(int code, const char* reason, void* self);

    _jack_client* client_ = nullptr;
    std::atomic<bool> stopped_{false};
};

} // namespace korvo
