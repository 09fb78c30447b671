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

void ReadBack::startWait(float seconds) {
    const bool started = platform_.beginFieldRead(kStartGiveUpSeconds);
    Pause(platform_, seconds);
    // The answer only readies the target; how long it took is no guide to later reads.
    // Waited for (past the wait only when the target is that slow), so that the first
    // value's read finds the reader free.
    silent_ = !started || !collect(kStartGiveUpSeconds - seconds, kStartGiveUpSeconds);
}

FieldReading ReadBack::pauseAndRead(float seconds) {
    bool started = false;
    PauseWithLead(platform_, seconds, lead(seconds), [&] { started = platform_.beginFieldRead(kGiveUpSeconds); });
    if (!started) {
        silent_ = true;
        return {};
    }
    const std::optional<FieldReading> r = silent_ ? takeIfIn() : collect(kGiveUpSeconds, kGiveUpSeconds);
    silent_ = !r;
    const FieldReading reading = r.value_or(FieldReading{});
    note(reading);
    return reading;
}

void ReadBack::note(const FieldReading& r) {
    ++reads_;
    readSeconds_ += r.seconds;
    // Only answers tell how long the target takes.
    if (!r.answered) return;
    recentCosts_.push_back(r.seconds);
    if (recentCosts_.size() > kRecentReads) recentCosts_.pop_front();
}

float ReadBack::lead(float pauseSeconds) const {
    // A silent target's cost is unknown: its read gets all the time the keys before allow.
    if (silent_) return pauseSeconds / 2.0f;
    double cost = kFirstGuess;
    if (!recentCosts_.empty()) cost = *std::max_element(recentCosts_.begin(), recentCosts_.end());
    return static_cast<float>(std::min(cost + kMargin, pauseSeconds / 2.0));
}

std::optional<FieldReading> ReadBack::collect(double waitSeconds, double giveUpSeconds) {
    const double bound = waitSeconds + kCollectMargin;
    const float start = platform_.secondsSinceMidnight();
    for (;;) {
        platform_.processMessages();
        if (auto r = platform_.fieldReadResult()) return inTime(*r, giveUpSeconds);
        const float now = platform_.secondsSinceMidnight();
        // Measured forwards, and a wrap past midnight counts as time gone by.
        const double waited = now >= start ? now - start : now + 86400.0 - start;
        if (waited > bound) {
            platform_.abandonFieldRead();
            return std::nullopt;
        }
        platform_.waitForMessages(1);
    }
}

std::optional<FieldReading> ReadBack::takeIfIn() {
    platform_.processMessages();
    if (auto r = platform_.fieldReadResult()) return inTime(*r, kGiveUpSeconds);
    platform_.abandonFieldRead();
    return std::nullopt;
}

// A reading the platform gave up on, or from a target too busy to answer, is no answer
// at all; one that came back quickly saying nothing is.
std::optional<FieldReading> ReadBack::inTime(const FieldReading& r, double giveUpSeconds) {
    if (r.busy || (!r.answered && r.seconds >= giveUpSeconds)) return std::nullopt;
    return r;
}

}  // namespace tamvera::run
