#include "tools/cli/Interrupt.h"

#include <atomic>
#include <csignal>

namespace korvo::cli {

namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");

struct sigaction previousInt, previousTerm;

void RaiseFlag(int) { interrupted.store(true); }

sigset_t StopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

sigset_t heldBefore;

} // namespace

InterruptGuard::InterruptGuard()
{
    struct sigaction action {};
    action.sa_handler = RaiseFlag;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInt);
    sigaction(SIGTERM, &action, &previousTerm);
}

InterruptGuard::~InterruptGuard()
{
    sigaction(SIGINT, &previousInt, nullptr);
    sigaction(SIGTERM, &previousTerm, nullptr);
}

bool InterruptRequested() { return interrupted.load(); }

SignalsHeld::SignalsHeld()
{
    const sigset_t set = StopSignals();
    sigprocmask(SIG_BLOCK, &set, &heldBefore);
}

SignalsHeld::~SignalsHeld() { sigprocmask(SIG_SETMASK, &heldBefore, nullptr); }

} // namespace korvo::cli
