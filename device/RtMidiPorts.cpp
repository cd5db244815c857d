#include "device/RtMidiPorts.h"

#include "device/RtMidiSupport.h"

#include <RtMidi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
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
    static void Ignore(RtMidiError::Type, const std::string&, void*) {}
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

// Outputs closed but not yet destroyed: a JACK cycle may still read their buffer
// (see CloseOutputPort). Destroying them later keeps the grace time out of the
// search and the commands.
class RetiredOutputs {
public:
    ~RetiredOutputs()
    {
        std::lock_guard lock(mutex_);
        if (!outputs_.empty())
            std::this_thread::sleep_until(outputs_.back().first + OutputCloseGrace);
        outputs_.clear();
    }

    void Add(std::unique_ptr<RtMidiOut> out)
    {
        try {
            out->closePort();
        } catch (const RtMidiError&) {
        }
        std::lock_guard lock(mutex_);
        outputs_.emplace_back(Clock::now(), std::move(out));
    }

    // Destroys those whose grace time is over.
    void Prune()
    {
        std::vector<std::unique_ptr<RtMidiOut>> done;
        {
            std::lock_guard lock(mutex_);
            const auto over = Clock::now() - OutputCloseGrace;
            while (!outputs_.empty() && outputs_.front().first <= over) {
                done.push_back(std::move(outputs_.front().second));
                outputs_.erase(outputs_.begin());
            }
        }
    }

private:
    std::mutex mutex_;
    std::vector<std::pair<Clock::time_point, std::unique_ptr<RtMidiOut>>> outputs_;
};

// The index of the port of that name in the object's list, or -1.
int IndexOf(RtMidi& midi, const std::string& name)
{
    const unsigned count = midi.getPortCount();
    for (unsigned i = 0; i < count; ++i)
        if (midi.getPortName(i) == name)
            return static_cast<int>(i);
    return -1;
}

class RtMidiOutput final : public MidiOutput {
public:
    RtMidiOutput(std::unique_ptr<RtMidiOut> out, std::shared_ptr<RetiredOutputs> retired)
        : out_(std::move(out)), retired_(std::move(retired))
    {
        out_->setErrorCallback(&ErrorFlag::Record, &error_);
    }

    ~RtMidiOutput() override
    {
        out_->setErrorCallback(&ErrorFlag::Ignore, nullptr); // error_ goes with this object
        retired_->Add(std::move(out_));
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
    std::shared_ptr<RetiredOutputs> retired_;
};

class RtMidiInput final : public MidiInput {
public:
    RtMidiInput(std::unique_ptr<RtMidiIn> in, MidiInHandler handler) : handler_(std::move(handler)), in_(std::move(in))
    {
        in_->setErrorCallback(&ErrorFlag::Record, &error_);
    }

    ~RtMidiInput() override
    {
        // Closing the port stops the service's thread before the handler goes.
        in_.reset();
    }

    bool Open(const std::string& name)
    {
        try {
            error_.raised = false;
            const int device = IndexOf(*in_, name);
            if (device < 0)
                return false;
            in_->ignoreTypes(true, false, false); // drop system exclusive only
            in_->setCallback(&RtMidiInput::OnMessage, this);
            in_->openPort(static_cast<unsigned>(device), OwnPortName("in"));
            return !error_.raised && in_->isPortOpen();
        } catch (const RtMidiError&) {
            return false;
        }
    }

    bool Start() override
    {
        started_.store(true, std::memory_order_release);
        return true;
    }

private:
    static void OnMessage(double, std::vector<unsigned char>* bytes, void* user)
    {
        auto* self = static_cast<RtMidiInput*>(user);
        if (!self->started_.load(std::memory_order_acquire) || !bytes || bytes->empty() || bytes->size() > 3 ||
            (*bytes)[0] == 0xF0)
            return;
        std::uint32_t message = 0;
        for (std::size_t i = 0; i < bytes->size(); ++i)
            message |= std::uint32_t{(*bytes)[i]} << (8 * i);
        self->handler_(MidiInEvent::Data, message);
    }

    MidiInHandler handler_;
    ErrorFlag error_;
    std::atomic<bool> started_{false};
    std::unique_ptr<RtMidiIn> in_;
};

class RtMidiPorts final : public MidiPorts {
public:
    explicit RtMidiPorts(std::string clientName) : clientName_(std::move(clientName)) {}

    void ChooseService(MidiService service) override { chosen_ = service; }

    bool Connect() override
    {
        retired_->Prune();
        const auto api = OpenableMidiApi(EffectiveMidiService(chosen_));
        api_ = api.value_or(RtMidi::UNSPECIFIED);
        return api.has_value();
    }

    std::vector<MidiPortInfo> Outputs() override { return List<RtMidiOut>(); }
    std::vector<MidiPortInfo> Inputs() override { return List<RtMidiIn>(); }

    std::unique_ptr<MidiOutput> OpenOutput(const std::string& name) override
    {
        if (!Connected())
            return nullptr;
        retired_->Prune();
        try {
            auto output = std::make_unique<RtMidiOutput>(std::make_unique<RtMidiOut>(api_, clientName_), retired_);
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
            auto input = std::make_unique<RtMidiInput>(std::make_unique<RtMidiIn>(api_, clientName_), std::move(handler));
            if (input->Open(name))
                return input;
        } catch (const RtMidiError&) {
        }
        return nullptr;
    }

    PortPresence Presence(const std::string& output, const std::string& input) override
    {
        const bool reachable = api_ == RtMidi::LINUX_ALSA ? AlsaSequencerOpens()
                               : api_ == RtMidi::UNIX_JACK ? JackServerRuns()
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

    template <class Midi>
    std::vector<MidiPortInfo> List()
    {
        std::vector<MidiPortInfo> ports;
        if (!Connected())
            return ports;
        try {
            ErrorFlag ignored; // outlives the RtMidi object that reports to it
            Midi midi(api_, clientName_);
            midi.setErrorCallback(&ErrorFlag::Record, &ignored);
            const unsigned count = midi.getPortCount();
            for (unsigned i = 0; i < count; ++i)
                ports.push_back({midi.getPortName(i), false});
        } catch (const RtMidiError&) {
            return {};
        }
        // The clients that hold a port of this program's, and with them all their ports.
        std::set<std::string> ownClients;
        for (const auto& port : ports) {
            const PortName parts = SplitPortName(port.Name, api_);
            if (parts.port == OwnPortName("in") || parts.port == OwnPortName("out"))
                ownClients.insert(parts.client);
        }
        for (auto& port : ports)
            port.Own = ownClients.count(SplitPortName(port.Name, api_).client) != 0;
        return ports;
    }

    std::string clientName_;
    MidiService chosen_ = MidiService::Automatic;
    RtMidi::Api api_ = RtMidi::UNSPECIFIED;
    std::shared_ptr<RetiredOutputs> retired_ = std::make_shared<RetiredOutputs>();
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
