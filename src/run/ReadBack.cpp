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
// Reads in a row without an answer in time before the target counts as silent: a slow
// read on a loaded machine (or a target busy for a moment) is asked again, twice.
constexpr int kSilentAfter = 3;
// How long the read that asks again waits for the late call to come back first.
constexpr double kLateCallSeconds = 2.0;

// Seconds on the clock since `start`, measured forwards: a wrap past midnight counts as
// time gone by.
double secondsSince(Platform& platform, float start) {
    const float now = platform.secondsSinceMidnight();
    return OnClock(now - start);
}
}  // namespace

bool ReadBack::silent() const { return unanswered_ >= kSilentAfter; }

FieldReading ReadBack::startWait(float seconds) {
    const bool started = platform_.beginFieldRead(kStartGiveUpSeconds);
    Pause(platform_, seconds);
    // The answer readies the target; how long it took is no guide to later reads.
    // Waited for (past the wait only when the target is that slow), so that the first
    // value's read finds the reader free.
    std::optional<FieldReading> r;
    if (started) r = collect(kStartGiveUpSeconds - seconds, kStartGiveUpSeconds);
    // A target that does not answer its start's read in four seconds is silent at once.
    unanswered_ = r ? 0 : kSilentAfter;
    return r.value_or(FieldReading{});
}

FieldReading ReadBack::pauseAndRead(float seconds) {
    bool started = false;
    PauseWithLead(platform_, seconds, lead(seconds), [&] { started = platform_.beginFieldRead(kGiveUpSeconds); });
    // The read just missed may still be out: the one read that asks again waits for it.
    if (!started && missed() && !silent()) started = beginWithin(kLateCallSeconds);
    // No thread free to read: a late call is still out.
    if (!started) {
        unanswered_ = kSilentAfter;
        return {};
    }
    const std::optional<FieldReading> r = silent() ? takeIfIn() : collect(kGiveUpSeconds, kGiveUpSeconds);
    unanswered_ = r ? 0 : unanswered_ + 1;
    const FieldReading reading = r.value_or(FieldReading{});
    note(reading);
    return reading;
}

bool ReadBack::beginWithin(double seconds) {
    const float start = platform_.secondsSinceMidnight();
    for (;;) {
        if (platform_.beginFieldRead(kGiveUpSeconds)) return true;
        if (secondsSince(platform_, start) > seconds) return false;
        platform_.processMessages();
        platform_.waitForMessages(1);
    }
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
    // A silent target's cost is unknown: its read starts with the pause, so that one that
    // answers at all ends the silence (a value read before it landed is read again).
    if (silent()) return pauseSeconds;
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
        if (secondsSince(platform_, start) > bound) {
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
