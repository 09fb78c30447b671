#include "run/Pause.h"

#include <algorithm>
#include <cmath>

#include "form/EntryOptions.h"

namespace tamvera::run {

namespace {

constexpr float kDay = 86400.0f;
constexpr float kHalfDay = 43200.0f;

// The clock has fallen back by more than half a day since the wait began: it has gone
// past midnight. (A smaller step back, such as a clock correction, is not taken for one.)
bool passedMidnight(float start, float now) { return now + kHalfDay < start; }

// Whole milliseconds from `now` to `target` on the clock, at least 1.
unsigned millisecondsUntil(float now, float target) {
    const double ms = std::floor((static_cast<double>(target) - now) * 1000.0);
    return ms < 1.0 ? 1u : static_cast<unsigned>(std::min(ms, 86400000.0));
}

// Passes until `done(clock)` holds. Every pass first handles the window's pending
// messages (so even a zero wait yields once), then reads the clock, then sleeps until the
// next message or until `target`: the window answers at once and an idle wait costs no
// processor time.
template <class Done>
void passUntil(Platform& platform, float target, Done done) {
    for (;;) {
        platform.processMessages();
        const float now = platform.secondsSinceMidnight();
        if (done(now)) return;
        platform.waitForMessages(millisecondsUntil(now, target));
    }
}

}  // namespace

double OnClock(double seconds) {
    if (seconds > kDay) return seconds - kDay;
    return seconds < 0 ? seconds + kDay : seconds;
}

void Pause(Platform& platform, float seconds) {
    const float start = platform.secondsSinceMidnight();
    // Single precision on purpose: the end is computed as the clock is read.
    float end = static_cast<float>(start + seconds);
    if (OnClock(end) != end) {
        end = static_cast<float>(OnClock(end));
        // First wait for the clock to wrap, then for the end in the new day. A pass that
        // takes longer than a second (a box held open over midnight) is still noticed.
        passUntil(platform, kDay, [&](float now) { return now < 1.0f || passedMidnight(start, now); });
        passUntil(platform, end, [&](float now) { return now >= end; });
        return;
    }
    // An end in the last moments of the day (at or just below 86400) may lie beyond the
    // clock's last value before it wraps; such a wait also ends when the clock wraps.
    passUntil(platform, end, [&](float now) { return now >= end || passedMidnight(start, now); });
}

float SecondsForSpeed(const form::FormModel& form, float seconds) {
    // Fast keeps the length (factor 1); medium and slow are tested on their own, so with
    // no speed chosen the length stays as given.
    if (form.Btn_Sedang.BtnStyle() == form::options::kChosen) seconds = static_cast<float>(seconds * 2.0f);
    if (form.Btn_Lambat.BtnStyle() == form::options::kChosen) seconds = static_cast<float>(seconds * 3.0f);
    return seconds;
}

int SpeedFactor(const form::FormModel& form) {
    if (form.Btn_Lambat.BtnStyle() == form::options::kChosen) return 3;
    if (form.Btn_Sedang.BtnStyle() == form::options::kChosen) return 2;
    return 1;
}

void PauseForSpeed(Platform& platform, const form::FormModel& form, float seconds) {
    Pause(platform, SecondsForSpeed(form, seconds));
}

namespace detail {
void PassUntil(Platform& platform, float target) {
    passUntil(platform, target, [&](float now) { return now >= target; });
}
}  // namespace detail

}  // namespace tamvera::run
