#pragma once
// An in-process MIDI service for tests. Each output leads to a device that answers
// what it is sent; the answers arrive on one of the inputs, delivered to the input's
// handler by a thread of the fake's own, like the real service's thread.

#include "device/MidiPorts.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
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
        int sendsBeforeFailure = -1; // from then on every send fails and the port is gone
        std::chrono::microseconds latency{0}; // how long its answers take to arrive
        bool instant = false;       // answers arrive before the send returns
        bool own = false;           // a port of the program under test
        std::string name{};         // empty: "out N"
    };
    struct Input {
        bool openFails = false;
        bool startFails = false;
        bool own = false;
        std::string name{}; // empty: "in N"
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

    bool Connect() override { return serviceRuns; }
    std::vector<MidiPortInfo> Outputs() override;
    std::vector<MidiPortInfo> Inputs() override;
    std::unique_ptr<MidiOutput> OpenOutput(const std::string& name) override;
    std::unique_ptr<MidiInput> OpenInput(const std::string& name, MidiInHandler handler) override;
    PortPresence Presence(const std::string& output, const std::string& input) override;

    std::string OutputName(int device) const;
    std::string InputName(int device) const;

    // Queues a message for an input (or all), to arrive there after the latency.
    void Deliver(int input, std::uint32_t message, std::chrono::microseconds latency = {});

    std::vector<Event> Events() const;
    // The messages sent, on whichever output.
    std::vector<std::uint32_t> Sent() const;
    // The most devices of one kind that were open at the same time.
    int MostOpenAtOnce() const;

    // Whether the service can be connected to (and is still there).
    std::atomic<bool> serviceRuns{true};

private:
    class FakeOutput;
    class FakeInput;
    struct OpenInputState {
        MidiInHandler handler;
        bool started = false;
    };

    void Record(Event event);
    void DeliveryLoop();
    void DeliverNow(int input, std::uint32_t message);

    std::vector<Output> outputs_;
    std::vector<Input> inputs_;
    std::vector<std::atomic<bool>> outputGone_;

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
