#pragma once
// Progress of a transfer on standard error: a bar redrawn in place on a terminal,
// a line at every ten percent otherwise, nothing when quiet.

#include <string>

namespace korvo::cli {

class ProgressDisplay {
public:
    ProgressDisplay(std::string stage, bool quiet);
    ~ProgressDisplay(); // ends the bar's line
    ProgressDisplay(const ProgressDisplay&) = delete;
    ProgressDisplay& operator=(const ProgressDisplay&) = delete;

    // The percentage done, 1..100.
    void Show(int percent);

private:
    std::string stage_;
    bool quiet_;
    bool terminal_;
    int lastTenth_ = 0;
    bool drawn_ = false;
};

} // namespace korvo::cli
