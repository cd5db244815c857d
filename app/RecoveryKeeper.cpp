#include "app/RecoveryKeeper.h"

#include <exception>

namespace korvo {

namespace {

constexpr int ThrottleMs = 2000; // at most one write every two seconds

} // namespace

RecoveryKeeper::RecoveryKeeper(std::string folder, std::function<void(const std::string&)> reportError,
                               QObject* parent)
    : QObject(parent), folder_(std::move(folder)), reportError_(std::move(reportError))
{
    throttle_.setSingleShot(true);
    throttle_.setInterval(ThrottleMs);
    connect(&throttle_, &QTimer::timeout, this, [this] {
        if (pending_)
            write();
    });
}

void RecoveryKeeper::changed(bool modified, const SceneBank& bank, const std::string& fileName)
{
    if (!modified) {
        discard();
        return;
    }
    bank_ = bank;
    fileName_ = fileName;
    pending_ = true;
    if (!throttle_.isActive())
        write();
}

void RecoveryKeeper::writeNow()
{
    if (pending_)
        write();
}

void RecoveryKeeper::discard()
{
    pending_ = false;
    throttle_.stop();
    if (slot_) {
        try {
            slot_->Remove();
        } catch (const std::exception& e) {
            fail(e.what());
        }
    }
}

void RecoveryKeeper::write()
{
    pending_ = false;
    throttle_.start();
    if (!ensureSlot())
        return;
    try {
        slot_->Write(fileName_, bank_);
    } catch (const std::exception& e) {
        fail(e.what());
    }
}

bool RecoveryKeeper::ensureSlot()
{
    if (slot_)
        return true;
    if (failed_)
        return false;
    try {
        slot_.emplace(folder_);
        return true;
    } catch (const std::exception& e) {
        fail(e.what());
        return false;
    }
}

void RecoveryKeeper::fail(const std::string& message)
{
    // Said once; the editor goes on without crash recovery.
    if (failed_)
        return;
    failed_ = true;
    if (reportError_)
        reportError_(message);
}

} // namespace korvo
