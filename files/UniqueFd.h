#pragma once
// A POSIX file descriptor that is closed when its owner goes away.

#include <unistd.h>
#include <utility>

namespace korvo {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        if (this != &other) {
            Reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // Closes the descriptor and returns close()'s result (0 when none was open).
    int Reset()
    {
        return fd_ >= 0 ? ::close(std::exchange(fd_, -1)) : 0;
    }

private:
    int fd_ = -1;
};

} // namespace korvo
