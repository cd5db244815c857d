// korvo-emulator: a virtual Korvo on the MIDI service. It opens one virtual input
// and one virtual output named "Korvo Emulator" and answers the editor the way the
// controller does, so that Read and Send can be tried without the hardware. Fault
// options make it misbehave for tests. One line is printed per completed transfer.

#include "device/RtMidiSupport.h"
#include "device/ProtocolMessages.h"
#include "device/RtMidiPorts.h"
#include "files/InstalledDataFolder.h"
#include "korvo/Version.h"
#include "scene/DefaultParams.h"
#include "scene/DeviceImage.h"
#include "tools/emulator/EmulatedController.h"

#include <RtMidi.h>

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
  --delay MS                send every answer MS milliseconds late
faults:
  --silent                  answer nothing
  --wrong-identity          answer the handshake with 9C 01 39
  --loopback                send back every message received
  --wrong-ack               swap the block and the final acknowledgement
  --note-before-reply N     play a note before reply N (from 1) of each read or write
  --no-reply-to-byte N      leave byte request N (from 1) of each read unanswered
  --version                 print the version and exit
The MIDI service is RtMidi's default, or KORVO_MIDI_API=alsa|jack.
)";

struct Options {
    std::string name = "Korvo Emulator";
    std::string imageFile;
    std::string defaultsFile;
    int delayMs = 0;
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
        auto number = [&](int& target) {
            const auto text = value();
            if (!text)
                return false;
            char* end = nullptr;
            const long n = std::strtol(text->c_str(), &end, 10);
            if (end == text->c_str() || *end != '\0' || n < 0 || n > 1'000'000)
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
        } else if (arg == "--delay") {
            ok = number(o.delayMs);
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
extern "C" void RequestStop(int) { stopRequested = true; }

class Emulator {
public:
    Emulator(const Options& options, const ControllerImage& image)
        : options_(options), controller_(image, options.faults), in_(MidiApiFromEnvironment(), options.name),
          out_(MidiApiFromEnvironment(), options.name)
    {
        in_.setErrorCallback(&Emulator::OnError, &failed_);
        out_.setErrorCallback(&Emulator::OnError, &failed_);
        in_.ignoreTypes(true, false, false);
        in_.setCallback(&Emulator::OnMessage, this);
        in_.openVirtualPort(options.name);
        out_.openVirtualPort(options.name);
        if (failed_)
            throw std::runtime_error("cannot open the virtual ports");
        if (options.delayMs > 0)
            sender_ = std::thread([this] { SendLate(); });
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

    void Send(std::uint32_t message)
    {
        const unsigned char bytes[3] = {static_cast<unsigned char>(message), static_cast<unsigned char>(message >> 8),
                                        static_cast<unsigned char>(message >> 16)};
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

    Options options_;
    bool failed_ = false; // set by the MIDI service's error reports
    EmulatedController controller_;
    std::vector<std::uint32_t> replies_;
    RtMidiIn in_;
    RtMidiOut out_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::pair<std::string, std::optional<ControllerImage>>> done_;
    std::deque<std::pair<std::chrono::steady_clock::time_point, std::uint32_t>> late_;
    bool closing_ = false;
    std::thread sender_;
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
        Emulator emulator(*options, image);
        std::printf("ready: %s\n", options->name.c_str());
        std::fflush(stdout);
        emulator.Run();
    } catch (const RtMidiError& e) {
        std::fprintf(stderr, "korvo-emulator: %s\n", e.getMessage().c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvo-emulator: %s\n", e.what());
        return 1;
    }
    return 0;
}
