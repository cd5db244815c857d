#include "FakeMidiPorts.h"

#include "device/ProtocolMessages.h"

#include <algorithm>

namespace korvo::test {

class FakeMidiPorts::FakeOutput final : public MidiOutput {
public:
    FakeOutput(FakeMidiPorts& ports, int device) : ports_(ports), device_(device) {}
    ~FakeOutput() override { ports_.Record({Event::CloseOutput, device_}); }

    bool Send(std::uint32_t message) override
    {
        const Output& behaviour = ports_.outputs_[static_cast<std::size_t>(device_)];
        if (behaviour.sendsBeforeFailure >= 0 && sends_++ >= behaviour.sendsBeforeFailure)
            return false;
        ports_.Record({Event::Send, device_, message});
        if (behaviour.respond) {
            answers_.clear();
            behaviour.respond(message, answers_);
            for (auto answer : answers_)
                ports_.Deliver(behaviour.answersOn, answer, behaviour.latency);
        }
        return true;
    }

private:
    FakeMidiPorts& ports_;
    int device_;
    int sends_ = 0;
    std::vector<std::uint32_t> answers_;
};

class FakeMidiPorts::FakeInput final : public MidiInput {
public:
    FakeInput(FakeMidiPorts& ports, int device, MidiInHandler handler) : ports_(ports), device_(device)
    {
        state_.handler = std::move(handler);
        std::lock_guard lock(ports_.inputsMutex_);
        ports_.openInputStates_[static_cast<std::size_t>(device_)] = &state_;
    }
    ~FakeInput() override
    {
        {
            std::lock_guard lock(ports_.inputsMutex_);
            ports_.openInputStates_[static_cast<std::size_t>(device_)] = nullptr;
        }
        ports_.Record({Event::CloseInput, device_});
    }

    bool Start() override
    {
        if (ports_.inputs_[static_cast<std::size_t>(device_)].startFails)
            return false;
        std::lock_guard lock(ports_.inputsMutex_);
        state_.started = true;
        return true;
    }

private:
    FakeMidiPorts& ports_;
    int device_;
    OpenInputState state_;
};

FakeMidiPorts::FakeMidiPorts(std::vector<Output> outputs, std::vector<Input> inputs)
    : outputs_(std::move(outputs)), inputs_(std::move(inputs)), openInputStates_(inputs_.size(), nullptr),
      deliveryThread_([this] { DeliveryLoop(); })
{
}

FakeMidiPorts::~FakeMidiPorts()
{
    {
        std::lock_guard lock(queueMutex_);
        stopping_ = true;
    }
    queueChanged_.notify_all();
    deliveryThread_.join();
}

std::unique_ptr<MidiOutput> FakeMidiPorts::OpenOutput(int device)
{
    if (device < 0 || device >= OutputCount() || outputs_[static_cast<std::size_t>(device)].openFails)
        return nullptr;
    Record({Event::OpenOutput, device});
    return std::make_unique<FakeOutput>(*this, device);
}

std::unique_ptr<MidiInput> FakeMidiPorts::OpenInput(int device, MidiInHandler handler)
{
    if (device < 0 || device >= InputCount() || inputs_[static_cast<std::size_t>(device)].openFails)
        return nullptr;
    Record({Event::OpenInput, device});
    return std::make_unique<FakeInput>(*this, device, std::move(handler));
}

void FakeMidiPorts::Deliver(int input, std::uint32_t message, std::chrono::microseconds latency)
{
    const Arrival arrival{std::chrono::steady_clock::now() + latency, input, message};
    {
        std::lock_guard lock(queueMutex_);
        const auto later = std::upper_bound(queue_.begin(), queue_.end(), arrival.due,
                                            [](auto due, const Arrival& a) { return due < a.due; });
        queue_.insert(later, arrival);
    }
    queueChanged_.notify_one();
}

void FakeMidiPorts::DeliveryLoop()
{
    std::unique_lock queueLock(queueMutex_);
    for (;;) {
        queueChanged_.wait(queueLock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_)
            return;
        const Arrival next = queue_.front();
        if (next.due > std::chrono::steady_clock::now()) {
            queueChanged_.wait_until(queueLock, next.due);
            continue; // something earlier may have been queued meanwhile
        }
        queue_.pop_front();
        queueLock.unlock();
        {
            std::lock_guard lock(inputsMutex_);
            for (int i = 0; i < InputCount(); ++i) {
                OpenInputState* state = openInputStates_[static_cast<std::size_t>(i)];
                if ((next.input == i || next.input == AllInputs) && state && state->started)
                    state->handler(MidiInEvent::Data, next.message);
            }
        }
        queueLock.lock();
    }
}

void FakeMidiPorts::Record(Event event)
{
    std::lock_guard lock(logMutex_);
    events_.push_back(event);
    if (event.kind == Event::OpenOutput)
        ++openOutputs_;
    if (event.kind == Event::CloseOutput)
        --openOutputs_;
    if (event.kind == Event::OpenInput)
        ++openInputs_;
    if (event.kind == Event::CloseInput)
        --openInputs_;
    mostOpen_ = std::max({mostOpen_, openOutputs_, openInputs_});
}

std::vector<FakeMidiPorts::Event> FakeMidiPorts::Events() const
{
    std::lock_guard lock(logMutex_);
    return events_;
}

std::vector<std::uint32_t> FakeMidiPorts::Sent() const
{
    std::vector<std::uint32_t> sent;
    for (const auto& e : Events())
        if (e.kind == Event::Send)
            sent.push_back(e.message);
    return sent;
}

int FakeMidiPorts::MostOpenAtOnce() const
{
    std::lock_guard lock(logMutex_);
    return mostOpen_;
}

FakeMidiPorts::Responder AnswersHandshake(std::uint32_t identity)
{
    return [identity](std::uint32_t sent, std::vector<std::uint32_t>& answers) {
        if (sent == IdentifyMarker) {
            answers.push_back(CmdIdentify);
            answers.push_back(identity);
        }
    };
}

FakeMidiPorts::Responder LoopsBack()
{
    return [](std::uint32_t sent, std::vector<std::uint32_t>& answers) { answers.push_back(sent); };
}

} // namespace korvo::test
