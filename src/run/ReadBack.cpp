#include "run/ReadBack.h"

#include <algorithm>

#include "run/Pause.h"

namespace tamvera::run {

namespace {
constexpr std::size_t kRecentReads = 8;
constexpr double kFirstGuess = 0.02;
constexpr double kMargin = 0.003;
// Beyond the platform's own give-up time, a last guard against waiting for ever.
constexpr double kCollectBound = 1.0;
}  // namespace

bool ReadBack::startWait(float seconds) {
    const bool started = platform_.beginFieldRead();
    Pause(platform_, seconds);
    // The answer only wakes the target's tree; how long it took is no guide to later reads.
    if (started) collect();
    return started;
}

FieldReading ReadBack::pauseAndRead(float seconds) {
    bool started = false;
    PauseWithLead(platform_, seconds, lead(seconds), [&] { started = platform_.beginFieldRead(); });
    if (!started) return {};
    FieldReading r = collect();
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

FieldReading ReadBack::collect() {
    const float start = platform_.secondsSinceMidnight();
    for (;;) {
        platform_.processMessages();
        if (auto r = platform_.fieldReadResult()) return *r;
        const float now = platform_.secondsSinceMidnight();
        // Measured forwards, and a wrap past midnight counts as time gone by.
        const double waited = now >= start ? now - start : now + 86400.0 - start;
        if (waited > kCollectBound) return {};
        platform_.waitForMessages(1);
    }
}

}  // namespace tamvera::run
