#include "run/ReadBack.h"

#include <algorithm>

#include "run/Pause.h"

namespace tamvera::run {

namespace {
constexpr std::size_t kRecentReads = 8;
constexpr double kFirstGuess = 0.02;
constexpr double kMargin = 0.003;
// A target busy or hung costs a read no more than this.
constexpr double kGiveUpSeconds = 0.5;
// The start's read may take the whole wait and a little more: the first read of a
// program loads the interface's parts on both sides, and a browser builds its tree.
constexpr double kStartGiveUpSeconds = 4.0;
// Beyond the platform's own give-up time, a last guard against waiting for ever.
constexpr double kCollectMargin = 0.5;
}  // namespace

bool ReadBack::startWait(float seconds) {
    const bool started = platform_.beginFieldRead(kStartGiveUpSeconds);
    Pause(platform_, seconds);
    // The answer only readies the target; how long it took is no guide to later reads.
    // Waited for (past the wait only when the target is that slow), so that the first
    // value's read finds the reader free.
    if (started) collect(kStartGiveUpSeconds - seconds);
    return started;
}

FieldReading ReadBack::pauseAndRead(float seconds) {
    bool started = false;
    PauseWithLead(platform_, seconds, lead(seconds), [&] { started = platform_.beginFieldRead(kGiveUpSeconds); });
    if (!started) return {};
    FieldReading r = collect(kGiveUpSeconds);
    ++reads_;
    readSeconds_ += r.seconds;
    recentCosts_.push_back(r.seconds);
    if (recentCosts_.size() > kRecentReads) recentCosts_.pop_front();
    return r;
}

float ReadBack::lead(float pauseSeconds) const {
    double cost = kFirstGuess;
    if (!recentCosts_.empty()) cost = *std::max_element(recentCosts_.begin(), recentCosts_.end());
    return static_cast<float>(std::min(cost + kMargin, pauseSeconds / 2.0));
}

FieldReading ReadBack::collect(double giveUpSeconds) {
    const double bound = giveUpSeconds + kCollectMargin;
    const float start = platform_.secondsSinceMidnight();
    for (;;) {
        platform_.processMessages();
        if (auto r = platform_.fieldReadResult()) return *r;
        const float now = platform_.secondsSinceMidnight();
        // Measured forwards, and a wrap past midnight counts as time gone by.
        const double waited = now >= start ? now - start : now + 86400.0 - start;
        if (waited > bound) return {};
        platform_.waitForMessages(1);
    }
}

}  // namespace tamvera::run
