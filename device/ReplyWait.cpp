#include "device/ReplyWait.h"

#include <algorithm>
#include <ctime>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace korvo {

namespace {

// One CPU relax hint: lets a sibling hardware thread run and keeps the spin
// from flooding the memory system.
inline void RelaxHint()
{
#if defined(__x86_64__) || defined(__i386__)
    _mm_pause();
#elif defined(__aarch64__)
    asm volatile("isb" ::: "memory");
#else
    asm volatile("" ::: "memory");
#endif
}

// An evaluation is one acquire load of CaptureIndex plus, on average,
// HintsPer256 / 256 relax hints. The rate is chosen once so that a wait that never
// succeeds lasts about TargetWaitNs: well above the 100 ms within which a reply
// must be accepted, well below the 0.5 s per port pair that a missing controller
// may cost. Measured on the 2-core development machine (AMD EPYC, one pause
// about 18 ns): a never-succeeding wait takes 300 to 330 ms.
constexpr double TargetWaitNs = 300e6;
constexpr double TargetEvaluationNs = TargetWaitNs / static_cast<double>(ReplyPollLimit);

double ThreadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e9 + static_cast<double>(ts.tv_nsec);
}

std::int64_t Poll(const CaptureRing& ring, int mark, int count, std::int64_t limit, std::uint32_t hintsPer256)
{
    std::uint32_t credit = 0;
    for (std::int64_t evaluation = 1; evaluation <= limit; ++evaluation) {
        if (CapturedSince(ring, mark) >= count)
            return evaluation;
        credit += hintsPer256;
        for (; credit >= 256; credit -= 256)
            RelaxHint();
    }
    return 0;
}

// Times a never-succeeding poll with the given rate, in thread CPU time so that
// being scheduled out does not count; the fastest of a few runs.
double NsPerEvaluation(std::uint32_t hintsPer256)
{
    constexpr std::int64_t Evaluations = 1 << 16;
    CaptureRing quiet;
    double best = 1e18;
    for (int run = 0; run < 3; ++run) {
        const double start = ThreadCpuNs();
        Poll(quiet, 0, 1, Evaluations, hintsPer256);
        best = std::min(best, (ThreadCpuNs() - start) / Evaluations);
    }
    return best;
}

std::uint32_t ChooseHintsPer256()
{
    const double bare = NsPerEvaluation(0);
    const double withHint = NsPerEvaluation(256);
    const double hint = std::max(withHint - bare, 0.1);
    const double wanted = (TargetEvaluationNs - bare) / hint * 256.0;
    return static_cast<std::uint32_t>(std::clamp(wanted, 0.0, 256.0 * 64));
}

std::uint32_t HintsPer256()
{
    static const std::uint32_t rate = ChooseHintsPer256();
    return rate;
}

} // namespace

void PreparePolling() { HintsPer256(); }

std::int64_t PollForReplies(const CaptureRing& ring, int mark, int count, std::int64_t limit)
{
    return Poll(ring, mark, count, limit, HintsPer256());
}

bool WaitForReplies(const CaptureRing& ring, int mark, int count)
{
    return PollForReplies(ring, mark, count, ReplyPollLimit) != 0;
}

} // namespace korvo
