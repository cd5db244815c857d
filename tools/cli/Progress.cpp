#include "tools/cli/Progress.h"

#include <cstdio>
#include <unistd.h>

namespace korvo::cli {

ProgressDisplay::ProgressDisplay(std::string stage, bool quiet)
    : stage_(std::move(stage)), quiet_(quiet), terminal_(isatty(STDERR_FILENO) == 1)
{
}

ProgressDisplay::~ProgressDisplay()
{
    if (drawn_ && terminal_)
        std::fputc('\n', stderr);
}

void ProgressDisplay::Show(int percent)
{
    if (quiet_)
        return;
    if (terminal_) {
        constexpr int Width = 40;
        const int filled = percent * Width / 100;
        std::fprintf(stderr, "\r%s [%s%s] %3d%%", stage_.c_str(), std::string(static_cast<std::size_t>(filled), '#').c_str(),
                     std::string(static_cast<std::size_t>(Width - filled), '-').c_str(), percent);
        drawn_ = true;
    } else {
        for (; lastTenth_ < percent / 10; ++lastTenth_)
            std::fprintf(stderr, "%s: %d%%\n", stage_.c_str(), (lastTenth_ + 1) * 10);
    }
    std::fflush(stderr);
}

} // namespace korvo::cli
