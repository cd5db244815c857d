#pragma once
// An in-process MIDI service for tests. Each output leads to a device that answers
// what it is sent; the answers arrive on one of the inputs, delivered to the input's
// handler by a thread of the fake's own, like the real service's thread.

#include "device/MidiPorts.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace korvo::test {

class FakeMidiPorts final : public MidiPorts {
public:
    // Called on the sending thread for every message sent to the device; appends
    // the device's answers.
    using Responder = std::function<void(std::uint32_t sent, std::vector<std::uint32_t>& answers)>;

    static constexpr int AllInputs = -1;

    struct Output {
        Responder respond;          // none: the device never answers
        int answersOn = AllInputs;  // the input its answers arrive on
        bool openFails = false;
        int sendsBeforeFailure = -1; // from then on every send fails (the port went away)
        std::chrono::microseconds latency{0}; // how long its answers take to arrive
    };
    struct Input {
        bool openFails = false;
        bool startFails = false;
    };

    // What the code under test did, in order.
    struct Event {
        enum Kind { OpenOutput, CloseOutput, OpenInput, CloseInput, Send } kind;
        int device;
        std::uint32_t message = 0;
        bool operator==(const Event&) const = default;
    };

    FakeMidiPorts(std::vector<Output> outputs, std::vector<Input> inputs);
    ~FakeMidiPorts() override;

    int OutputCount() override { return static_cast<int>(outputs_.size()); }
    int InputCount() override { return static_cast<int>(inputs_.size()); }
    std::unique_ptr<MidiOutput> OpenOutput(int device) override;
    std::unique_ptr<MidiInput> OpenInput(int device, MidiInHandler handler) override;

    // Queues a message for an input (or all), to arrive there after the latency.
    void Deliver(int input, std::uint32_t message, std::chrono::microseconds latency = {});

    std::vector<Event> Events() const;
    // The messages sent, on whichever output.
    std::vector<std::uint32_t> Sent() const;
    // The most devices of one kind that were open at the same time.
    int MostOpenAtOnce() const;

private:
    class FakeOutput;
    class FakeInput;
    struct OpenInputState {
        MidiInHandler handler;
        bool started = false;
    };

    void Record(Event event);
    void DeliveryLoop();

    std::vector<Output> outputs_;
    std::vector<Input> inputs_;

    mutable std::mutex logMutex_;
    std::vector<Event> events_;
    int openOutputs_ = 0, openInputs_ = 0, mostOpen_ = 0;

    std::mutex inputsMutex_; // held while a handler runs, so a close waits for it
    std::vector<OpenInputState*> openInputStates_;

    std::mutex queueMutex_;
    std::condition_variable queueChanged_;
    struct Arrival {
        std::chrono::steady_clock::time_point due;
        int input;
        std::uint32_t message;
    };
    std::deque<Arrival> queue_; // in order of arrival
    bool stopping_ = false;
    std::thread deliveryThread_;
};

// A device that answers the handshake like the controller, with the given identity.
FakeMidiPorts::Responder AnswersHandshake(std::uint32_t identity);
// A wire from an output back to an input: every message comes back.
FakeMidiPorts::Responder LoopsBack();

} // namespace korvo::test
