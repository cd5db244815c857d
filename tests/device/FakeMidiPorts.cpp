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
        if (behaviour.sendsBeforeFailure >= 0 && sends_++ >= behaviour.sendsBeforeFailure) {
            ports_.outputGone_[static_cast<std::size_t>(device_)] = true;
            return false;
        }
        ports_.Record({Event::Send, device_, message});
        if (behaviour.respond) {
            answers_.clear();
            behaviour.respond(message, answers_);
            for (auto answer : answers_) {
                if (behaviour.instant)
                    ports_.DeliverNow(behaviour.answersOn, answer);
                else
                    ports_.Deliver(behaviour.answersOn, answer, behaviour.latency);
            }
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
    : outputs_(std::move(outputs)), inputs_(std::move(inputs)), outputGone_(outputs_.size()),
      openInputStates_(inputs_.size(), nullptr), deliveryThread_([this] { DeliveryLoop(); })
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

std::string FakeMidiPorts::OutputName(int device) const
{
    const auto& o = outputs_[static_cast<std::size_t>(device)];
    return o.name.empty() ? "out " + std::to_string(device) : o.name;
}

std::string FakeMidiPorts::InputName(int device) const
{
    const auto& i = inputs_[static_cast<std::size_t>(device)];
    return i.name.empty() ? "in " + std::to_string(device) : i.name;
}

std::vector<MidiPortInfo> FakeMidiPorts::Outputs()
{
    std::vector<MidiPortInfo> ports;
    for (std::size_t i = 0; serviceRuns && i < outputs_.size(); ++i)
        if (!outputGone_[i])
            ports.push_back({OutputName(static_cast<int>(i)), outputs_[i].own});
    return ports;
}

std::vector<MidiPortInfo> FakeMidiPorts::Inputs()
{
    std::vector<MidiPortInfo> ports;
    for (std::size_t i = 0; serviceRuns && i < inputs_.size(); ++i)
        ports.push_back({InputName(static_cast<int>(i)), inputs_[i].own});
    return ports;
}

std::unique_ptr<MidiOutput> FakeMidiPorts::OpenOutput(const std::string& name)
{
    for (int device = 0; device < static_cast<int>(outputs_.size()); ++device) {
        if (OutputName(device) != name)
            continue;
        if (outputs_[static_cast<std::size_t>(device)].openFails || outputGone_[static_cast<std::size_t>(device)])
            return nullptr;
        Record({Event::OpenOutput, device});
        return std::make_unique<FakeOutput>(*this, device);
    }
    return nullptr;
}

std::unique_ptr<MidiInput> FakeMidiPorts::OpenInput(const std::string& name, MidiInHandler handler)
{
    for (int device = 0; device < static_cast<int>(inputs_.size()); ++device) {
        if (InputName(device) != name)
            continue;
        if (inputs_[static_cast<std::size_t>(device)].openFails)
            return nullptr;
        Record({Event::OpenInput, device});
        return std::make_unique<FakeInput>(*this, device, std::move(handler));
    }
    return nullptr;
}

PortPresence FakeMidiPorts::Presence(const std::string& output, const std::string& input)
{
    if (!serviceRuns)
        return PortPresence::ServiceGone;
    const auto outputs = Outputs();
    const auto inputs = Inputs();
    auto listed = [](const std::vector<MidiPortInfo>& ports, const std::string& name) {
        return std::any_of(ports.begin(), ports.end(), [&](const MidiPortInfo& p) { return p.Name == name; });
    };
    return listed(outputs, output) && listed(inputs, input) ? PortPresence::Present : PortPresence::Gone;
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

void FakeMidiPorts::DeliverNow(int input, std::uint32_t message)
{
    std::lock_guard lock(inputsMutex_);
    for (int i = 0; i < static_cast<int>(inputs_.size()); ++i) {
        OpenInputState* state = openInputStates_[static_cast<std::size_t>(i)];
        if ((input == i || input == AllInputs) && state && state->started)
            state->handler(MidiInEvent::Data, message);
    }
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
        DeliverNow(next.input, next.message);
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
