#pragma once
// Ctrl+C (SIGINT) and SIGTERM during a transfer: the handler only raises a flag;
// the link sends nothing more once it is up, and no file is written.

namespace korvo::cli {

// Installs the flag-raising handler while the object lives; the earlier handlers
// come back afterwards.
class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;
};

bool InterruptRequested();

// Holds SIGINT and SIGTERM back while the object lives (a file being replaced);
// one that arrived meanwhile takes effect afterwards.
class SignalsHeld {
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;
};

} // namespace korvo::cli
