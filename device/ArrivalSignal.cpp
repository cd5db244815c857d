#include "device/ArrivalSignal.h"

#include <cerrno>
#include <ctime>

namespace korvo {

ArrivalSignal::ArrivalSignal() { sem_init(&semaphore_, 0, 0); }

ArrivalSignal::~ArrivalSignal() { sem_destroy(&semaphore_); }

void ArrivalSignal::Notify() noexcept
{
    // At the semaphore's maximum the post fails; a waiter is woken all the same.
    sem_post(&semaphore_);
}

void ArrivalSignal::Drain() noexcept
{
    while (sem_trywait(&semaphore_) == 0) {
    }
}

bool ArrivalSignal::WaitUntil(std::chrono::steady_clock::time_point deadline) noexcept
{
    // steady_clock is CLOCK_MONOTONIC, the clock the deadline is given on.
    const auto since = deadline.time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since);
    timespec until{};
    until.tv_sec = static_cast<time_t>(seconds.count());
    until.tv_nsec = static_cast<long>(std::chrono::duration_cast<std::chrono::nanoseconds>(since - seconds).count());
    for (;;) {
        if (sem_clockwait(&semaphore_, CLOCK_MONOTONIC, &until) == 0)
            return true;
        if (errno != EINTR)
            return false;
    }
}

} // namespace korvo
