// korvo-emulator: a virtual Korvo on the MIDI service. It opens one virtual input
// and one virtual output named "Korvo Emulator" and answers the editor the way the
// controller does, so that Read and Send can be tried without the hardware. Fault
// options make it misbehave for tests. One line is printed per completed transfer.

#include "device/MidiService.h"
#include "device/ProtocolMessages.h"
#include "device/RtMidiSupport.h"
#include "device/RtMidiPorts.h"
#include "files/InstalledDataFolder.h"
#include "korvo/Version.h"
#include "scene/DefaultParams.h"
#include "scene/DeviceImage.h"
#include "tools/emulator/EmulatedController.h"

#include <RtMidi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace korvo {
namespace {

constexpr const char* Usage = R"(usage: korvo-emulator [options]
  --name NAME               name of the virtual ports (default "Korvo Emulator")
  --image FILE              start with the image in FILE (916 bytes) if it exists,
                            and store every written image there
  --defaults FILE           DefPara.ini to pack the starting image from
                            (default: ./DefPara.ini, else the installed one)
  --service auto|alsa|jack  the MIDI service (default: KORVO_MIDI_API, else the
                            ALSA sequencer, and JACK when it cannot be opened)
  --reply-delay MS          send every answer MS milliseconds late (also --delay)
  --sensing MS              send active sensing (FE) every MS milliseconds
  --clock BPM               send MIDI clock (F8), 24 per beat at BPM beats a minute
faults:
  --silent                  answer nothing
  --wrong-identity          answer the handshake with 9C 01 39
  --loopback                send back every message received
  --wrong-ack               swap the block and the final acknowledgement
  --note-before-reply N     play a note before reply N (from 1) of each read or write
  --no-reply-to-byte N      leave byte request N (from 1) of each read unanswered
  --instant-echo            echo CmdIdentify the moment it arrives, before the
                            editor's next message
  --corrupt-byte N          a send stores (value + 1) & 0x7F at image offset N (0..915)
  --note-flood N            play N notes back to back after byte reply 100 of a read
  --quit-at N               close the ports and end at message N (from 1) of a read
                            or write, CmdRead or CmdWrite being message 1
  --version                 print the version and exit
)";

struct Options {
    std::string name = "Korvo Emulator";
    std::string imageFile;
    std::string defaultsFile;
    std::optional<MidiService> service;
    int delayMs = 0;
    int sensingMs = 0;
    int clockBpm = 0;
    EmulatorFaults faults;
};

std::optional<Options> ParseOptions(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc)
                return std::nullopt;
            return std::string(argv[++i]);
        };
        auto number = [&](int& target, long lowest = 0, long highest = 1'000'000) {
            const auto text = value();
            if (!text)
                return false;
            char* end = nullptr;
            const long n = std::strtol(text->c_str(), &end, 10);
            if (end == text->c_str() || *end != '\0' || n < lowest || n > highest)
                return false;
            target = static_cast<int>(n);
            return true;
        };
        bool ok = true;
        if (arg == "--name") {
            const auto v = value();
            ok = v && !v->empty();
            if (ok)
                o.name = *v;
        } else if (arg == "--image" || arg == "--defaults") {
            const auto v = value();
            ok = v.has_value();
            if (ok)
                (arg == "--image" ? o.imageFile : o.defaultsFile) = *v;
        } else if (arg == "--service") {
            const auto v = value();
            o.service = v ? ParseMidiService(*v) : std::nullopt;
            ok = o.service.has_value();
        } else if (arg == "--reply-delay" || arg == "--delay") {
            ok = number(o.delayMs);
        } else if (arg == "--sensing") {
            ok = number(o.sensingMs, 1);
        } else if (arg == "--clock") {
            ok = number(o.clockBpm, 1, 1000);
        } else if (arg == "--instant-echo") {
            o.faults.instantEcho = true;
        } else if (arg == "--corrupt-byte") {
            ok = number(o.faults.corruptByte, 0, DeviceImageSize - 1);
        } else if (arg == "--note-flood") {
            ok = number(o.faults.noteFlood, 1, 10'000);
        } else if (arg == "--quit-at") {
            ok = number(o.faults.quitAt, 1);
        } else if (arg == "--silent") {
            o.faults.silent = true;
        } else if (arg == "--wrong-identity") {
            o.faults.wrongIdentity = true;
        } else if (arg == "--loopback") {
            o.faults.loopback = true;
        } else if (arg == "--wrong-ack") {
            o.faults.wrongAck = true;
        } else if (arg == "--note-before-reply") {
            ok = number(o.faults.noteBeforeReply);
        } else if (arg == "--no-reply-to-byte") {
            ok = number(o.faults.noReplyToByte);
        } else {
            ok = false;
        }
        if (!ok) {
            std::cerr << "korvo-emulator: bad option " << arg << "\n" << Usage;
            return std::nullopt;
        }
    }
    return o;
}

std::string DefaultsPath(const Options& o)
{
    if (!o.defaultsFile.empty())
        return o.defaultsFile;
    if (std::filesystem::exists(DefaultParamsFileName))
        return DefaultParamsFileName;
    return (InstalledDataFolder() / DefaultParamsFileName).string();
}

// The image packed from the defaults, or the one in the image file.
ControllerImage StartingImage(const Options& o)
{
    ControllerImage image{};
    if (!o.imageFile.empty() && std::filesystem::exists(o.imageFile)) {
        std::ifstream in(o.imageFile, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof())
            throw std::runtime_error("cannot read " + o.imageFile);
        if (bytes.size() < image.size())
            throw std::runtime_error(o.imageFile + " holds " + std::to_string(bytes.size()) + " bytes, not 916");
        std::copy_n(bytes.begin(), image.size(), image.begin());
        return image;
    }
    SceneBank bank;
    LoadDefaults(bank, LoadTextLines(DefaultsPath(o)));
    SceneImageBuffer buffer{};
    PackSceneImages(bank, buffer);
    std::copy_n(buffer.begin(), image.size(), image.begin());
    return image;
}

// Replaces the file as a whole: written beside it, then renamed over it.
bool SaveImage(const std::string& path, const ControllerImage& image)
{
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
        if (!out.flush())
            return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    return !ec;
}

std::atomic<bool> stopRequested{false};
std::atomic<bool> quitByFault{false}; // --quit-at reached
extern "C" void RequestStop(int) { stopRequested = true; }

class Emulator {
public:
    Emulator(const Options& options, const ControllerImage& image, RtMidi::Api api)
        : options_(options), controller_(image, options.faults), in_(api, options.name), out_(api, options.name)
    {
        in_.setErrorCallback(&Emulator::OnError, &failed_);
        out_.setErrorCallback(&Emulator::OnError, &failed_);
        in_.ignoreTypes(true, false, false);
        in_.setCallback(&Emulator::OnMessage, this);
        in_.openVirtualPort(options.name);
        out_.openVirtualPort(options.name);
        if (failed_)
            throw std::runtime_error("cannot open the virtual ports on " + MidiApiName(api));
        if (options.delayMs > 0)
            sender_ = std::thread([this] { SendLate(); });
        if (options.sensingMs > 0 || options.clockBpm > 0)
            ticker_ = std::thread([this] { Tick(); });
    }

    ~Emulator()
    {
        in_.closePort(); // no more callbacks from here on
        {
            std::lock_guard lock(mutex_);
            closing_ = true;
        }
        changed_.notify_all();
        if (sender_.joinable())
            sender_.join();
        if (ticker_.joinable())
            ticker_.join();
        CloseOutputPort(out_);
    }

    // Prints the completed transfers until asked to stop.
    void Run()
    {
        std::unique_lock lock(mutex_);
        while (!stopRequested) {
            changed_.wait_for(lock, std::chrono::milliseconds(50));
            while (!done_.empty()) {
                auto [line, image] = std::move(done_.front());
                done_.pop_front();
                lock.unlock();
                if (image && !options_.imageFile.empty())
                    line += SaveImage(options_.imageFile, *image) ? " in " + options_.imageFile : ", NOT saved";
                std::printf("%s\n", line.c_str());
                std::fflush(stdout);
                lock.lock();
            }
        }
    }

private:
    static void OnError(RtMidiError::Type, const std::string& text, void* failed)
    {
        *static_cast<bool*>(failed) = true;
        std::fprintf(stderr, "korvo-emulator: %s\n", text.c_str());
    }

    // On the MIDI service's thread.
    static void OnMessage(double, std::vector<unsigned char>* bytes, void* user)
    {
        auto* self = static_cast<Emulator*>(user);
        if (!bytes || bytes->empty() || bytes->size() > 3)
            return;
        std::uint32_t message = 0;
        for (std::size_t i = 0; i < bytes->size(); ++i)
            message |= std::uint32_t{(*bytes)[i]} << (8 * i);
        self->replies_.clear();
        std::string line = self->controller_.Receive(message, self->replies_);
        if (line == QuitLine) {
            // The controller goes away: the main thread closes the ports.
            quitByFault = true;
            stopRequested = true;
            self->changed_.notify_all();
            return;
        }
        for (const auto reply : self->replies_)
            self->Answer(reply);
        if (!line.empty()) {
            std::optional<ControllerImage> image;
            if (line.starts_with("write"))
                image = self->controller_.Image();
            {
                std::lock_guard lock(self->mutex_);
                self->done_.emplace_back(std::move(line), image);
            }
            self->changed_.notify_all();
        }
    }

    void Answer(std::uint32_t message)
    {
        if (options_.delayMs == 0) {
            Send(message);
            return;
        }
        {
            std::lock_guard lock(mutex_);
            late_.emplace_back(std::chrono::steady_clock::now() + std::chrono::milliseconds(options_.delayMs), message);
        }
        changed_.notify_all();
    }

    // From the MIDI thread, the late sender and the ticker: one at a time, as
    // neither service takes messages for one port from two threads at once.
    void Send(std::uint32_t message)
    {
        const unsigned char bytes[3] = {static_cast<unsigned char>(message), static_cast<unsigned char>(message >> 8),
                                        static_cast<unsigned char>(message >> 16)};
        std::lock_guard lock(sendMutex_);
        out_.sendMessage(bytes, static_cast<std::size_t>(ShortMessageLength(bytes[0])));
    }

    void SendLate()
    {
        std::unique_lock lock(mutex_);
        while (!closing_) {
            if (late_.empty()) {
                changed_.wait(lock);
                continue;
            }
            const auto [due, message] = late_.front();
            if (std::chrono::steady_clock::now() < due) {
                changed_.wait_until(lock, due);
                continue;
            }
            late_.pop_front();
            lock.unlock();
            Send(message);
            lock.lock();
        }
    }

    // Active sensing and clock, as a controller or an interface sends them all
    // the time, whatever else goes on.
    void Tick()
    {
        using namespace std::chrono;
        constexpr std::uint32_t ActiveSensing = 0xFE, Clock = 0xF8;
        const auto sensingPeriod = milliseconds(options_.sensingMs);
        const auto clockPeriod = duration_cast<steady_clock::duration>(minutes(1)) / (std::max(options_.clockBpm, 1) * 24);
        auto nextSensing = steady_clock::now() + sensingPeriod;
        auto nextClock = steady_clock::now() + clockPeriod;
        std::unique_lock lock(mutex_);
        while (!closing_) {
            const auto now = steady_clock::now();
            if (options_.sensingMs > 0 && now >= nextSensing) {
                lock.unlock();
                Send(ActiveSensing);
                lock.lock();
                nextSensing += sensingPeriod;
                continue;
            }
            if (options_.clockBpm > 0 && now >= nextClock) {
                lock.unlock();
                Send(Clock);
                lock.lock();
                nextClock += clockPeriod;
                continue;
            }
            auto next = steady_clock::time_point::max();
            if (options_.sensingMs > 0)
                next = std::min(next, nextSensing);
            if (options_.clockBpm > 0)
                next = std::min(next, nextClock);
            changed_.wait_until(lock, next);
        }
    }

    Options options_;
    bool failed_ = false; // set by the MIDI service's error reports
    EmulatedController controller_;
    std::vector<std::uint32_t> replies_;
    RtMidiIn in_;
    RtMidiOut out_;
    std::mutex sendMutex_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::pair<std::string, std::optional<ControllerImage>>> done_;
    std::deque<std::pair<std::chrono::steady_clock::time_point, std::uint32_t>> late_;
    bool closing_ = false;
    std::thread sender_;
    std::thread ticker_;
};

} // namespace
} // namespace korvo

int main(int argc, char** argv)
{
    using namespace korvo;
    if (argc > 1 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << Usage;
        return 0;
    }
    if (argc > 1 && std::string(argv[1]) == "--version") {
        std::cout << "korvo-emulator " << KorvoVersion << "\n";
        return 0;
    }
    const auto options = ParseOptions(argc, argv);
    if (!options)
        return 2;

    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    try {
        const ControllerImage image = StartingImage(*options);
        const RtMidi::Api api = ChooseMidiApi(options->service);
        Emulator emulator(*options, image, api);
        std::printf("ready: %s\n", options->name.c_str());
        std::fflush(stdout);
        emulator.Run();
        if (quitByFault) {
            std::printf("quit: closing the ports\n");
            std::fflush(stdout);
        }
    } catch (const RtMidiError& e) {
        std::fprintf(stderr, "korvo-emulator: %s\n", e.getMessage().c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvo-emulator: %s\n", e.what());
        return 1;
    }
    return 0;
}
