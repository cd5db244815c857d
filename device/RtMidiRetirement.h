#pragma once
// RtMidi objects whose ports were closed, destroyed later on a thread of their
// own. Closing a client of the MIDI service takes a round trip to it, which the
// search and the commands need not wait for; and an output must not be destroyed
// before a grace time after its port was closed (see CloseOutputPort).

#include <RtMidi.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace korvo {

class RtMidiRetirement {
public:
    RtMidiRetirement();
    // Destroys what is left, the outputs after their grace time.
    ~RtMidiRetirement();
    RtMidiRetirement(const RtMidiRetirement&) = delete;
    RtMidiRetirement& operator=(const RtMidiRetirement&) = delete;

    // Closes the port now; the object goes after the grace time.
    void Retire(std::unique_ptr<RtMidiOut> out);
    // Closes the port now; the object goes soon, and keepAlive (what its input
    // callback uses) only after it, when no callback can run any more.
    void Retire(std::unique_ptr<RtMidiIn> in, std::shared_ptr<void> keepAlive);

    // An object whose JACK server has stopped is neither closed nor destroyed:
    // the library cannot close its client safely any more (see
    // JackPortWatcher::Stops). What it holds is left for the program's end.
    void Abandon(std::unique_ptr<RtMidiOut> out);
    void Abandon(std::unique_ptr<RtMidiIn> in, std::shared_ptr<void> keepAlive);

private:
    struct Entry {
        std::chrono::steady_clock::time_point due;
        std::unique_ptr<RtMidiOut> out;
        std::unique_ptr<RtMidiIn> in;
        std::shared_ptr<void> keepAlive;
    };

    void Add(Entry entry);
    void Run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Entry> entries_; // in the order of their due times
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace korvo
