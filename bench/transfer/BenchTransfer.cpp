// Times a full Read and a full Send against korvo-emulator on a private JACK
// server, beside their floors measured on the same server in the same run: the
// floor of a read is 1,024 request/reply round trips between two minimal RtMidi
// clients, that of a send 1,024 short messages plus two round trips. Also gives
// the processor time the editor's side spends during a Read as a share of its
// wall time, and times FindDevice with three non-answering port pairs tried
// before the emulator's, for a first search and for a repeated one (which tries
// the pair found before first), beside one handshake with its port opening.
// The last line is "ratio read R send S".

#include "device/DeviceLink.h"
#include "device/RtMidiPorts.h"
#include "device/RtMidiSupport.h"
#include "tools/testbed/ChildProcess.h"
#include "tools/testbed/PrivateJackServer.h"

#include <RtMidi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <thread>

using namespace korvo;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int ReadRuns = 5;
constexpr int SendRuns = 20;

double ProcessCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// True for success; otherwise says what failed.
bool Succeeded(const char* what, const LinkResult& result)
{
    if (!result.Ok())
        std::fprintf(stderr, "%s failed: %s\n", what, ReasonText(result).c_str());
    return result.Ok();
}

double Seconds(const std::function<bool()>& body, bool* ok = nullptr)
{
    const auto start = Clock::now();
    const bool done = body();
    const double s = std::chrono::duration<double>(Clock::now() - start).count();
    if (ok)
        *ok = *ok && done;
    return s;
}

// The answering side of the floor: a virtual input and output like the
// emulator's, answering every message (or every 512th) at once from the MIDI
// service's thread.
class Responder {
public:
    // Counting the messages received in rounds of `round`, answers those whose
    // place in the round (from 1) is listed.
    Responder(std::vector<int> answerAt, int round) : answerAt_(std::move(answerAt)), round_(round), in_(ChooseMidiApi(), "Floor responder"),
                                          out_(ChooseMidiApi(), "Floor responder")
    {
        in_.setCallback(&Responder::OnMessage, this);
        in_.openVirtualPort("Floor responder");
        out_.openVirtualPort("Floor responder");
    }
    ~Responder()
    {
        in_.closePort();
        CloseOutputPort(out_);
    }

private:
    static void OnMessage(double, std::vector<unsigned char>* bytes, void* user)
    {
        auto* self = static_cast<Responder*>(user);
        const int place = self->received_++ % self->round_ + 1;
        if (std::find(self->answerAt_.begin(), self->answerAt_.end(), place) != self->answerAt_.end())
            self->out_.sendMessage(bytes);
    }

    std::vector<int> answerAt_;
    int round_;
    int received_ = 0;
    RtMidiIn in_;
    RtMidiOut out_;
};

unsigned PortNamed(RtMidi& midi, const std::string& part)
{
    for (unsigned i = 0; i < midi.getPortCount(); ++i)
        if (midi.getPortName(i).find(part) != std::string::npos)
            return i;
    throw std::runtime_error("no port named " + part);
}

// The asking side: sends and counts the answers.
class Requester {
public:
    Requester() : out_(ChooseMidiApi(), "Floor requester"), in_(ChooseMidiApi(), "Floor requester")
    {
        in_.setCallback(&Requester::OnMessage, this);
        out_.openPort(PortNamed(out_, "Floor responder"));
        in_.openPort(PortNamed(in_, "Floor responder"));
        std::this_thread::sleep_for(100ms); // let the connections settle
    }
    ~Requester()
    {
        in_.closePort();
        CloseOutputPort(out_);
    }

    void Send(unsigned char data) { const unsigned char m[3] = {0x90, 0x00, data}; out_.sendMessage(m, 3); }
    bool WaitFor(int answers)
    {
        const auto deadline = Clock::now() + 2s;
        while (answers_.load(std::memory_order_acquire) < answers)
            if (Clock::now() > deadline)
                return false;
        return true;
    }
    int Answers() const { return answers_.load(); }

private:
    static void OnMessage(double, std::vector<unsigned char>*, void* user)
    {
        static_cast<Requester*>(user)->answers_.fetch_add(1, std::memory_order_acq_rel);
    }

    RtMidiOut out_;
    RtMidiIn in_;
    std::atomic<int> answers_{0};
};

// 1,024 round trips, one message each way.
double ReadFloor(Requester& requester, bool& ok)
{
    const int base = requester.Answers();
    return Seconds([&] {
        for (int i = 1; i <= 1024; ++i) {
            requester.Send(static_cast<unsigned char>(i & 0x0F));
            if (!requester.WaitFor(base + i))
                return false;
        }
        return true;
    }, &ok);
}

// Two blocks of 512 messages, each answered once (the responder answers every
// 512th message).
double SendFloor(Requester& requester, bool& ok)
{
    const int base = requester.Answers();
    return Seconds([&] {
        for (int block = 1; block <= 2; ++block) {
            for (int i = 0; i < 512; ++i)
                requester.Send(static_cast<unsigned char>(i & 0x0F));
            if (!requester.WaitFor(base + block))
                return false;
        }
        return true;
    }, &ok);
}

// The write's own exchange: two messages and their answer, then two blocks of 512
// each answered (the responder answers messages 2, 514 and 1026).
double WriteExchangeFloor(Requester& requester, bool& ok)
{
    const int base = requester.Answers();
    return Seconds([&] {
        requester.Send(1);
        requester.Send(2);
        if (!requester.WaitFor(base + 1))
            return false;
        for (int block = 1; block <= 2; ++block) {
            for (int i = 0; i < 512; ++i)
                requester.Send(static_cast<unsigned char>(i & 0x0F));
            if (!requester.WaitFor(base + 1 + block))
                return false;
        }
        return true;
    }, &ok);
}

// The floor of a search that finds the controller on its first pair: open an
// output and an input to it (two minimal RtMidi clients), send the two handshake
// messages and take the two answers. Closing is not timed.
double HandshakeFloor(const std::string& port, bool& ok)
{
    struct Answers {
        std::atomic<int> count{0};
        static void On(double, std::vector<unsigned char>*, void* user)
        {
            static_cast<Answers*>(user)->count.fetch_add(1, std::memory_order_acq_rel);
        }
    } answers;
    std::unique_ptr<RtMidiOut> out;
    std::unique_ptr<RtMidiIn> in;
    const double seconds = Seconds([&] {
        out = std::make_unique<RtMidiOut>(ChooseMidiApi(), "Floor handshake");
        in = std::make_unique<RtMidiIn>(ChooseMidiApi(), "Floor handshake");
        in->setCallback(&Answers::On, &answers);
        out->openPort(PortNamed(*out, port));
        in->openPort(PortNamed(*in, port));
        const unsigned char identify[3] = {0x9C, 0x01, 0x02}, marker[3] = {0x9C, 0x7E, 0x7D};
        out->sendMessage(identify, 3);
        out->sendMessage(marker, 3);
        const auto deadline = Clock::now() + 2s;
        while (answers.count.load(std::memory_order_acquire) < 2)
            if (Clock::now() > deadline) {
                std::fprintf(stderr, "handshake floor failed\n");
                return false;
            }
        return true;
    }, &ok);
    in.reset();
    CloseOutputPort(*out);
    return seconds;
}

std::unique_ptr<testbed::ChildProcess> StartEmulator(const std::vector<std::string>& options)
{
    std::vector<std::string> argv = {KORVO_EMULATOR};
    argv.insert(argv.end(), options.begin(), options.end());
    auto emulator = std::make_unique<testbed::ChildProcess>(argv, true);
    if (!emulator->WaitForLine("ready", 10s))
        throw std::runtime_error("korvo-emulator did not start");
    return emulator;
}

} // namespace

int main()
{
    try {
        testbed::PrivateJackServer server;
        if (!server.Ready()) {
            std::fprintf(stderr, "jackd did not start\n");
            return 1;
        }
        std::printf("private JACK server, dummy backend, 32 frames at 48 kHz (%.2f ms), synchronous\n", 32 / 48.0);
        bool ok = true;

        // The search runs while the emulator is the only device; the floor's
        // clients come beside the pair it found. Transfers and floors take turns
        // and the best run of each counts: a round trip takes one or two cycles of
        // the server, depending on how its clients happen to be ordered and woken.
        auto emulator = StartEmulator({"--name", "Korvo Emulator"});
        double read = 1e9, send = 1e9, readFloor = 1e9, sendFloor = 1e9, writeFloor = 1e9;
        double readCpuShare = 0;
        {
            DeviceLink link(MakeRtMidiPorts());
            if (!FindDevice(link).Ok())
                throw std::runtime_error("FindDevice did not find korvo-emulator");
            // The processor time of this process (the link's side alone: its two
            // clients, the waiting thread) while reads run, as a share of their
            // wall time; before the floor's clients join the process.
            {
                constexpr int CpuRuns = 3;
                double cpu = 0, wall = 0;
                for (int run = 0; run < CpuRuns; ++run) {
                    const double cpuBefore = ProcessCpuSeconds();
                    wall += Seconds([&] { return Succeeded("read", ReceiveSceneData(link, 916, 1)); }, &ok);
                    cpu += ProcessCpuSeconds() - cpuBefore;
                }
                readCpuShare = cpu / wall;
            }
            {
                Responder responder({1}, 1);
                Requester requester;
                for (int run = 0; run < ReadRuns; ++run) {
                    readFloor = std::min(readFloor, ReadFloor(requester, ok));
                    read = std::min(read, Seconds([&] { return Succeeded("read", ReceiveSceneData(link, 916, 1)); }, &ok));
                }
            }
            {
                Responder responder({512}, 512);
                Requester requester;
                for (int run = 0; run < SendRuns; ++run) {
                    sendFloor = std::min(sendFloor, SendFloor(requester, ok));
                    send = std::min(send, Seconds([&] { return Succeeded("send", TransmitSceneData(link, 916)); }, &ok));
                }
            }
            {
                Responder responder({2, 514, 1026}, 1026);
                Requester requester;
                for (int run = 0; run < SendRuns; ++run)
                    writeFloor = std::min(writeFloor, WriteExchangeFloor(requester, ok));
            }
        }
        emulator.reset();

        // One device that never answers, then the emulator: outputs and inputs are
        // (silent, emulator), so the pairs (0,0), (0,1) and (1,0) fail first.
        auto silent = StartEmulator({"--name", "Korvo A silent", "--silent"});
        auto right = StartEmulator({"--name", "Korvo B"});
        constexpr int SearchRuns = 10;
        double search = 0, repeated = 1e9, handshake = 1e9;
        {
            DeviceLink link(MakeRtMidiPorts());
            search = Seconds([&] { return Succeeded("search", FindDevice(link)); }, &ok);
            const DevicePair found = link.Found;
            for (int run = 0; run < SearchRuns; ++run) {
                repeated = std::min(repeated, Seconds([&] { return Succeeded("repeated search", FindDevice(link, found)); }, &ok));
                handshake = std::min(handshake, HandshakeFloor("Korvo B", ok));
            }
        }

        std::printf("read floor: 1024 round trips                 %8.4f s\n", readFloor);
        std::printf("read: ReceiveSceneData, 1024 requests        %8.4f s  ratio %.3f\n", read, read / readFloor);
        std::printf("send floor: 1024 messages + 2 round trips    %8.4f s\n", sendFloor);
        std::printf("send: TransmitSceneData, 1026 messages       %8.4f s  ratio %.3f\n", send, send / sendFloor);
        std::printf("  (the write also waits for the echo of CmdWrite before its first block;\n"
                    "   1026 messages + 3 round trips: %.4f s, ratio %.3f)\n", writeFloor, send / writeFloor);
        std::printf("read: processor time / wall time             %7.1f %%  (goal: at most 25 %%)\n",
                    100 * readCpuShare);
        std::printf("FindDevice, 3 non-answering pairs first      %8.4f s\n", search);
        std::printf("handshake floor: open a pair, one round trip %8.4f s\n", handshake);
        std::printf("FindDevice again, the pair found first       %8.4f s  ratio %.3f  (goal: at most 1.5)\n",
                    repeated, repeated / handshake);
        std::printf("(best of %d reads, %d sends and %d repeated searches; %s)\n", ReadRuns, SendRuns, SearchRuns,
                    ok ? "every run succeeded" : "SOME RUNS FAILED");
        std::printf("ratio read %.3f send %.3f\n", read / readFloor, send / sendFloor);
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench-transfer: %s\n", e.what());
        return 1;
    }
}
