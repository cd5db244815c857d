#pragma once
// A client of the JACK server kept open to look at its ports: whether the server
// runs, which MIDI ports it has, and whether it has stopped since. Opening a
// client costs a round trip to the server, so one serves every search.

#include <atomic>
#include <memory>
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

    // Counts the servers seen stopping. A client of the JACK library made before
    // a stop must never be closed: closing one after another client has come and
    // gone brings the library down. Such clients are left as they are (see
    // RtMidiRetirement); this tells which they are.
    using Generation = std::shared_ptr<const std::atomic<int>>;
    Generation Stops() const { return stops_; }

    // The full names of the MIDI ports that take messages (inputs = false: the
    // inputs of other clients, which are this program's outputs) or that send
    // them, in the server's order; the order RtMidi numbers them in.
    std::vector<std::string> MidiPorts(bool sending) const;

private:
    static void OnShutdown(int code, const char* reason, void* self);

    _jack_client* client_ = nullptr;
    std::atomic<bool> stopped_{false};
    std::shared_ptr<std::atomic<int>> stops_ = std::make_shared<std::atomic<int>>(0);
};

} // namespace korvo
