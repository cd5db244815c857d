#include "device/RtMidiPorts.h"

#include "device/RtMidiSupport.h"

#include <RtMidi.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace korvo {

namespace {

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


class RtMidiOutput final : public MidiOutput {
public:
    explicit RtMidiOutput(std::unique_ptr<RtMidiOut> out) : out_(std::move(out))
    {
        out_->setErrorCallback(&ErrorFlag::Record, &error_);
    }

    ~RtMidiOutput() override { CloseOutputPort(*out_); }

    bool Open(int device)
    {
        try {
            error_.raised = false;
            out_->openPort(static_cast<unsigned>(device), "Korvo out");
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
        const auto deadline = std::chrono::steady_clock::now() + SendRetryTime;
        for (auto pause = std::chrono::microseconds(50);; pause = std::min(pause * 2, std::chrono::microseconds(5000))) {
            error_.raised = false;
            try {
                out_->sendMessage(bytes, size);
            } catch (const RtMidiError&) {
                return false;
            }
            if (!error_.raised)
                return true;
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(pause);
        }
    }

private:
    ErrorFlag error_;
    std::unique_ptr<RtMidiOut> out_;
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

    bool Open(int device)
    {
        try {
            error_.raised = false;
            in_->ignoreTypes(true, false, false); // drop system exclusive only
            in_->setCallback(&RtMidiInput::OnMessage, this);
            in_->openPort(static_cast<unsigned>(device), "Korvo in");
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
    explicit RtMidiPorts(std::string clientName) : clientName_(std::move(clientName)), api_(MidiApiFromEnvironment()) {}

    int OutputCount() override
    {
        try {
            ErrorFlag ignored; // outlives the RtMidi object that reports to it
            auto out = std::make_unique<RtMidiOut>(api_, clientName_);
            out->setErrorCallback(&ErrorFlag::Record, &ignored);
            return static_cast<int>(out->getPortCount());
        } catch (const RtMidiError&) {
            return 0;
        }
    }

    int InputCount() override
    {
        try {
            ErrorFlag ignored;
            auto in = std::make_unique<RtMidiIn>(api_, clientName_);
            in->setErrorCallback(&ErrorFlag::Record, &ignored);
            return static_cast<int>(in->getPortCount());
        } catch (const RtMidiError&) {
            return 0;
        }
    }

    std::unique_ptr<MidiOutput> OpenOutput(int device) override
    {
        try {
            auto output = std::make_unique<RtMidiOutput>(std::make_unique<RtMidiOut>(api_, clientName_));
            if (output->Open(device))
                return output;
        } catch (const RtMidiError&) {
        }
        return nullptr;
    }

    std::unique_ptr<MidiInput> OpenInput(int device, MidiInHandler handler) override
    {
        try {
            auto input = std::make_unique<RtMidiInput>(std::make_unique<RtMidiIn>(api_, clientName_), std::move(handler));
            if (input->Open(device))
                return input;
        } catch (const RtMidiError&) {
        }
        return nullptr;
    }

private:
    std::string clientName_;
    RtMidi::Api api_;
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
