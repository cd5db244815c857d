#include "device/RtMidiPorts.h"

#include "device/JackPortWatcher.h"
#include "device/RtMidiRetirement.h"
#include "device/RtMidiSupport.h"

#include <RtMidi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <set>
#include <thread>
#include <unistd.h>
#include <vector>

namespace korvo {

namespace {

using Clock = std::chrono::steady_clock;

// RtMidi reports problems only through its error callback (or by throwing when
// none is set). This keeps the last one for the caller to look at.
struct ErrorFlag {
    bool raised = false;
    static void Record(RtMidiError::Type, const std::string&, void* user) { static_cast<ErrorFlag*>(user)->raised = true; }
};

// How long a send keeps retrying while the output refuses messages. An output
// whose buffer is merely full takes them again within milliseconds (the ALSA
// sequencer's output is non-blocking and drops a message it cannot queue); a
// refusal that lasts this long is a real failure.
constexpr auto SendRetryTime = std::chrono::milliseconds(250);

// The names of the ports this program opens. The process id makes them this
// program's alone; the search recognises its own ports by the client that holds
// a port of such a name, and leaves out every port of that client.
std::string OwnPortName(const char* direction)
{
    return std::string("Korvo ") + direction + " (" + std::to_string(getpid()) + ")";
}

// RtMidi names a port "client:port" on JACK (a client's name is unique on its
// server) and "client:port C:P" on the ALSA sequencer (C, the client number, is
// its identity there).
struct PortName {
    std::string client; // the service's identity of the port's client
    std::string port;   // the port's own name
};

PortName SplitPortName(const std::string& name, RtMidi::Api api)
{
    std::string rest = name;
    std::string alsaClient;
    if (api == RtMidi::LINUX_ALSA) {
        const auto space = rest.rfind(' ');
        if (space != std::string::npos) {
            const std::string numbers = rest.substr(space + 1);
            alsaClient = numbers.substr(0, numbers.find(':'));
            rest.resize(space);
        }
    }
    const auto colon = rest.find(':');
    const std::string client = colon == std::string::npos ? rest : rest.substr(0, colon);
    const std::string port = colon == std::string::npos ? std::string() : rest.substr(colon + 1);
    return {api == RtMidi::LINUX_ALSA ? alsaClient : client, port};
}

// The index of the port of that name in the object's list, or -1.
int IndexOf(RtMidi& midi, const std::string& name)
{
    const unsigned count = midi.getPortCount();
    for (unsigned i = 0; i < count; ++i)
        if (midi.getPortName(i) == name)
            return static_cast<int>(i);
    return -1;
}

// Whether the JACK server of an object made now will have stopped by the time it
// goes: then it must be abandoned, not closed (see JackPortWatcher::Stops).
class ServerStopWatch {
public:
    ServerStopWatch() = default;
    explicit ServerStopWatch(JackPortWatcher::Generation stops) : stops_(std::move(stops)), seen_(stops_->load()) {}
    bool Stopped() const { return stops_ && stops_->load() != seen_; }

private:
    JackPortWatcher::Generation stops_;
    int seen_ = 0;
};

class RtMidiOutput final : public MidiOutput {
public:
    RtMidiOutput(std::unique_ptr<RtMidiOut> out, std::shared_ptr<RtMidiRetirement> retirement, ServerStopWatch server)
        : out_(std::move(out)), retirement_(std::move(retirement)), server_(std::move(server))
    {
        out_->setErrorCallback(&ErrorFlag::Record, &error_);
    }

    ~RtMidiOutput() override
    {
        if (server_.Stopped())
            retirement_->Abandon(std::move(out_));
        else
            retirement_->Retire(std::move(out_));
    }

    bool Open(const std::string& name)
    {
        try {
            error_.raised = false;
            const int device = IndexOf(*out_, name);
            if (device < 0)
                return false;
            out_->openPort(static_cast<unsigned>(device), OwnPortName("out"));
            return !error_.raised && out_->isPortOpen();
        } catch (const RtMidiError&) {
            return false;
        }
    }

    bool Send(std::uint32_t message) override
    {
        const unsigned char bytes[3] = {static_cast<unsigned char>(message), static_cast<unsigned char>(message >> 8),
                                        static_cast<unsigned char>(message >> 16)};
        const auto size = static_cast<std::size_t>(ShortMessageLength(bytes[0]));
        const auto deadline = Clock::now() + SendRetryTime;
        for (auto pause = std::chrono::microseconds(50);; pause = std::min(pause * 2, std::chrono::microseconds(5000))) {
            error_.raised = false;
            try {
                out_->sendMessage(bytes, size);
            } catch (const RtMidiError&) {
                return false;
            }
            if (!error_.raised)
                return true;
            if (Clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(pause);
        }
    }

private:
    ErrorFlag error_;
    std::unique_ptr<RtMidiOut> out_;
    std::shared_ptr<RtMidiRetirement> retirement_;
    ServerStopWatch server_;
};

class RtMidiInput final : public MidiInput {
public:
    RtMidiInput(std::unique_ptr<RtMidiIn> in, MidiInHandler handler, std::shared_ptr<RtMidiRetirement> retirement,
                ServerStopWatch server)
        : state_(std::make_shared<State>()), in_(std::move(in)), retirement_(std::move(retirement)),
          server_(std::move(server))
    {
        state_->handler = std::move(handler);
        in_->setErrorCallback(&ErrorFlag::Record, &state_->error);
    }

    ~RtMidiInput() override
    {
        // No message reaches the handler from here on; the port closes now, and
        // the state the callback uses goes only after the client has stopped.
        state_->closed.store(true, std::memory_order_release);
        if (server_.Stopped())
            retirement_->Abandon(std::move(in_), state_);
        else
            retirement_->Retire(std::move(in_), state_);
    }

    bool Open(const std::string& name)
    {
        try {
            state_->error.raised = false;
            const int device = IndexOf(*in_, name);
            if (device < 0)
                return false;
            in_->ignoreTypes(true, false, false); // drop system exclusive only
            in_->setCallback(&RtMidiInput::OnMessage, state_.get());
            in_->openPort(static_cast<unsigned>(device), OwnPortName("in"));
            return !state_->error.raised && in_->isPortOpen();
        } catch (const RtMidiError&) {
            return false;
        }
    }

    bool Start() override
    {
        state_->started.store(true, std::memory_order_release);
        return true;
    }

private:
    // What the input callback uses, on the MIDI service's thread.
    struct State {
        MidiInHandler handler;
        ErrorFlag error;
        std::atomic<bool> started{false};
        std::atomic<bool> closed{false};
    };

    static void OnMessage(double, std::vector<unsigned char>* bytes, void* user)
    {
        auto* state = static_cast<State*>(user);
        if (!state->started.load(std::memory_order_acquire) || state->closed.load(std::memory_order_acquire) ||
            !bytes || bytes->empty() || bytes->size() > 3 || (*bytes)[0] == 0xF0)
            return;
        std::uint32_t message = 0;
        for (std::size_t i = 0; i < bytes->size(); ++i)
            message |= std::uint32_t{(*bytes)[i]} << (8 * i);
        state->handler(MidiInEvent::Data, message);
    }

    std::shared_ptr<State> state_;
    std::unique_ptr<RtMidiIn> in_;
    std::shared_ptr<RtMidiRetirement> retirement_;
    ServerStopWatch server_;
};

class RtMidiPorts final : public MidiPorts {
public:
    explicit RtMidiPorts(std::string clientName) : clientName_(std::move(clientName)) {}

    void ChooseService(MidiService service) override { chosen_ = service; }

    bool Connect() override
    {
        const MidiService service = EffectiveMidiService(chosen_);
        api_ = RtMidi::UNSPECIFIED;
        if (service != MidiService::Jack && AlsaSequencerOpens())
            api_ = RtMidi::LINUX_ALSA;
        else if (service != MidiService::Alsa && jack_.Connect())
            api_ = RtMidi::UNIX_JACK;
        if (api_ != RtMidi::UNIX_JACK)
            jack_.Disconnect();
        return Connected();
    }

    std::string ConnectedService() const override
    {
        if (api_ == RtMidi::UNIX_JACK)
            return MidiServiceName(MidiService::Jack);
        if (api_ == RtMidi::LINUX_ALSA)
            return MidiServiceName(MidiService::Alsa);
        return {};
    }

    std::vector<MidiPortInfo> Outputs() override { return MarkOwn(api_ == RtMidi::UNIX_JACK ? jack_.MidiPorts(false) : AlsaPorts<RtMidiOut>()); }
    std::vector<MidiPortInfo> Inputs() override { return MarkOwn(api_ == RtMidi::UNIX_JACK ? jack_.MidiPorts(true) : AlsaPorts<RtMidiIn>()); }

    std::unique_ptr<MidiOutput> OpenOutput(const std::string& name) override
    {
        if (!Connected())
            return nullptr;
        try {
            auto output =
                std::make_unique<RtMidiOutput>(std::make_unique<RtMidiOut>(api_, clientName_), retirement_, StopWatch());
            if (output->Open(name))
                return output;
        } catch (const RtMidiError&) {
        }
        return nullptr;
    }

    std::unique_ptr<MidiInput> OpenInput(const std::string& name, MidiInHandler handler) override
    {
        if (!Connected())
            return nullptr;
        try {
            auto input = std::make_unique<RtMidiInput>(std::make_unique<RtMidiIn>(api_, clientName_), std::move(handler),
                                                       retirement_, StopWatch());
            if (input->Open(name))
                return input;
        } catch (const RtMidiError&) {
        }
        return nullptr;
    }

    PortPresence Presence(const std::string& output, const std::string& input) override
    {
        const bool reachable = api_ == RtMidi::LINUX_ALSA ? AlsaSequencerOpens()
                               : api_ == RtMidi::UNIX_JACK ? jack_.Running()
                                                            : false;
        if (!reachable)
            return PortPresence::ServiceGone;
        auto listed = [](const std::vector<MidiPortInfo>& ports, const std::string& name) {
            return std::any_of(ports.begin(), ports.end(), [&](const MidiPortInfo& p) { return p.Name == name; });
        };
        return listed(Outputs(), output) && listed(Inputs(), input) ? PortPresence::Present : PortPresence::Gone;
    }

private:
    bool Connected() const { return api_ == RtMidi::LINUX_ALSA || api_ == RtMidi::UNIX_JACK; }

    ServerStopWatch StopWatch() const
    {
        return api_ == RtMidi::UNIX_JACK ? ServerStopWatch(jack_.Stops()) : ServerStopWatch();
    }

    // The sequencer's ports as RtMidi lists them: a client of the sequencer is
    // cheap to make, it lives in the kernel.
    template <class Midi>
    std::vector<std::string> AlsaPorts()
    {
        std::vector<std::string> names;
        if (api_ != RtMidi::LINUX_ALSA)
            return names;
        try {
            ErrorFlag ignored; // outlives the RtMidi object that reports to it
            Midi midi(api_, clientName_);
            midi.setErrorCallback(&ErrorFlag::Record, &ignored);
            const unsigned count = midi.getPortCount();
            for (unsigned i = 0; i < count; ++i)
                names.push_back(midi.getPortName(i));
        } catch (const RtMidiError&) {
            return {};
        }
        return names;
    }

    // Marks the ports of the clients that hold a port of this program's.
    std::vector<MidiPortInfo> MarkOwn(const std::vector<std::string>& names) const
    {
        std::set<std::string> ownClients;
        for (const auto& name : names) {
            const PortName parts = SplitPortName(name, api_);
            if (parts.port == OwnPortName("in") || parts.port == OwnPortName("out"))
                ownClients.insert(parts.client);
        }
        std::vector<MidiPortInfo> ports;
        for (const auto& name : names)
            ports.push_back({name, ownClients.count(SplitPortName(name, api_).client) != 0});
        return ports;
    }

    std::string clientName_;
    MidiService chosen_ = MidiService::Automatic;
    RtMidi::Api api_ = RtMidi::UNSPECIFIED;
    JackPortWatcher jack_;
    // Outlives every port opened here (each holds it too); its thread closes them.
    std::shared_ptr<RtMidiRetirement> retirement_ = std::make_shared<RtMidiRetirement>();
};

} // namespace

int ShortMessageLength(unsigned char status)
{
    if (status < 0xF0)
        return (status & 0xE0) == 0xC0 ? 2 : 3; // program change and channel pressure carry one data byte
    switch (status) {
    case 0xF1:
    case 0xF3:
        return 2;
    case 0xF2:
        return 3;
    default:
        return 1;
    }
}

std::unique_ptr<MidiPorts> MakeRtMidiPorts(const std::string& clientName)
{
    return std::make_unique<RtMidiPorts>(clientName);
}

} // namespace korvo
