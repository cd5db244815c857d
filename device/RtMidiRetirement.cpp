#include "device/RtMidiRetirement.h"

#include "device/RtMidiSupport.h"

#include <algorithm>
#include <vector>

namespace korvo {

namespace {

using Clock = std::chrono::steady_clock;

void IgnoreError(RtMidiError::Type, const std::string&, void*) {}

} // namespace

RtMidiRetirement::RtMidiRetirement() : thread_([this] { Run(); }) {}

RtMidiRetirement::~RtMidiRetirement()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void RtMidiRetirement::Retire(std::unique_ptr<RtMidiOut> out)
{
    out->setErrorCallback(&IgnoreError, nullptr);
    try {
        out->closePort();
    } catch (const RtMidiError&) {
    }
    Add({Clock::now() + OutputCloseGrace, std::move(out), nullptr, nullptr});
}

void RtMidiRetirement::Retire(std::unique_ptr<RtMidiIn> in, std::shared_ptr<void> keepAlive)
{
    in->setErrorCallback(&IgnoreError, nullptr);
    try {
        in->closePort();
    } catch (const RtMidiError&) {
    }
    Add({Clock::now(), nullptr, std::move(in), std::move(keepAlive)});
}

// What was abandoned, kept to the program's end and never destroyed.
struct Abandoned {
    std::mutex mutex;
    std::vector<std::unique_ptr<RtMidiOut>> outs;
    std::vector<std::unique_ptr<RtMidiIn>> ins;
    std::vector<std::shared_ptr<void>> kept;
};

Abandoned& AbandonedObjects()
{
    static auto* abandoned = new Abandoned; // deliberately never deleted
    return *abandoned;
}

void RtMidiRetirement::Abandon(std::unique_ptr<RtMidiOut> out)
{
    auto& abandoned = AbandonedObjects();
    std::lock_guard lock(abandoned.mutex);
    abandoned.outs.push_back(std::move(out));
}

void RtMidiRetirement::Abandon(std::unique_ptr<RtMidiIn> in, std::shared_ptr<void> keepAlive)
{
    auto& abandoned = AbandonedObjects();
    std::lock_guard lock(abandoned.mutex);
    abandoned.ins.push_back(std::move(in));
    abandoned.kept.push_back(std::move(keepAlive));
}

void RtMidiRetirement::Add(Entry entry)
{
    {
        std::lock_guard lock(mutex_);
        const auto later = std::upper_bound(entries_.begin(), entries_.end(), entry.due,
                                            [](auto due, const Entry& e) { return due < e.due; });
        entries_.insert(later, std::move(entry));
    }
    changed_.notify_all();
}

void RtMidiRetirement::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        if (entries_.empty()) {
            if (stopping_)
                return;
            changed_.wait(lock);
            continue;
        }
        // When stopping, everything still goes in order, each after its due time.
        const auto due = entries_.front().due;
        if (Clock::now() < due) {
            changed_.wait_until(lock, due);
            continue;
        }
        Entry entry = std::move(entries_.front());
        entries_.pop_front();
        lock.unlock();
        entry.in.reset(); // stops its callbacks before what they use goes
        entry.out.reset();
        entry.keepAlive.reset();
        lock.lock();
    }
}

} // namespace korvo
