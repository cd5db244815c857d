#include "tools/testbed/PrivateJackServer.h"

#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>
#include <unistd.h>

namespace korvo::testbed {

namespace {

bool ServerAnswers(const std::string& name)
{
    jack_status_t status{};
    jack_client_t* client =
        jack_client_open("korvo-probe", static_cast<jack_options_t>(JackNoStartServer | JackServerName), &status,
                         name.c_str());
    if (!client)
        return false;
    jack_client_close(client);
    return true;
}

void Quiet(const char*) {}

} // namespace

PrivateJackServer::PrivateJackServer(int periodFrames)
{
    static std::atomic<int> counter{0};
    name_ = "korvo-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + "-" +
            std::to_string(std::random_device{}() % 100000);
    // The probe's failures to connect while the server starts are expected.
    jack_set_error_function(Quiet);
    jack_set_info_function(Quiet);
    setenv("JACK_DEFAULT_SERVER", name_.c_str(), 1);
    setenv("JACK_NO_START_SERVER", "1", 1);
    setenv("KORVO_MIDI_API", "jack", 1);

    jackd_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"jackd", "--sync", "--no-realtime", "--name", name_, "-d", "dummy", "-r", "48000", "-p",
                                 std::to_string(periodFrames), "-C", "0", "-P", "0"},
        false);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < deadline && jackd_->Running()) {
        if (ServerAnswers(name_)) {
            ready_ = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

PrivateJackServer::~PrivateJackServer()
{
    jackd_.reset(); // stops jackd by its process id
}

} // namespace korvo::testbed
