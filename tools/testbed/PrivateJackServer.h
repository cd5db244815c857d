#pragma once
// A JACK server of one's own: jackd with the dummy backend, no real-time
// scheduling and a name no other run uses. It runs in synchronous mode, where a
// cycle waits for every client: without real-time scheduling, a client that is
// late for its cycle would otherwise lose the MIDI events of that cycle. While it lives, the process's
// environment points RtMidi's JACK clients (and the programs it starts) at it.

#include "tools/testbed/ChildProcess.h"

#include <memory>
#include <string>

namespace korvo::testbed {

class PrivateJackServer {
public:
    // periodFrames at 48 kHz; 32 frames is 0.67 ms.
    explicit PrivateJackServer(int periodFrames = 32);
    ~PrivateJackServer();
    PrivateJackServer(const PrivateJackServer&) = delete;
    PrivateJackServer& operator=(const PrivateJackServer&) = delete;

    // True once clients can connect.
    bool Ready() const { return ready_; }
    const std::string& Name() const { return name_; }

private:
    std::string name_;
    std::unique_ptr<ChildProcess> jackd_;
    bool ready_ = false;
};

} // namespace korvo::testbed
