#pragma once
// Wakes the thread that waits for replies when the input callback has captured a
// message, or when the wait is to be cancelled.
//
// Notify is a POSIX semaphore post: it never blocks and never allocates, so the
// MIDI service's thread may call it from the input callback.

#include <chrono>
#include <semaphore.h>

namespace korvo {

class ArrivalSignal {
public:
    ArrivalSignal();
    ~ArrivalSignal();
    ArrivalSignal(const ArrivalSignal&) = delete;
    ArrivalSignal& operator=(const ArrivalSignal&) = delete;

    void Notify() noexcept;

    // Forgets the notifications nobody waited for, so that the next wait sleeps
    // until something new happens.
    void Drain() noexcept;

    // Sleeps until a notification or the deadline; false at the deadline.
    bool WaitUntil(std::chrono::steady_clock::time_point deadline) noexcept;

private:
    sem_t semaphore_;
};

} // namespace korvo
