// Waiting on the seconds-since-midnight clock while the window stays alive: every pass
// handles the window's pending messages (guard ticks, paints, clicks), then sleeps until the
// next message or the end of the wait.
#pragma once

#include "form/FormModel.h"
#include "platform/Platform.h"

namespace tamvera::run {

// A moment of the clock, which counts seconds since midnight: one past the day's end (or
// before its start) wraps round midnight. The one place that reckons with the wrap.
double OnClock(double seconds);

// Waits `seconds` (single precision) on the clock. Always makes at least one pass, so
// even a zero or negative wait yields to the window once.
void Pause(Platform& platform, float seconds);

// Pause scaled by the chosen speed: three independent tests, x1 fast, x2 medium,
// x3 slow; with no speed chosen the length stays as given.
void PauseForSpeed(Platform& platform, const form::FormModel& form, float seconds);

// A pause's length at the chosen speed, as PauseForSpeed waits it.
float SecondsForSpeed(const form::FormModel& form, float seconds);

// The speed factor: 1 fast, 2 medium, 3 slow (1 when none is chosen).
int SpeedFactor(const form::FormModel& form);

// Pause that calls `atLead` once, `lead` seconds before its end (at its start when the
// pause is shorter), and still ends when Pause would: a read started there is answered
// by the time the pause is over.
template <class AtLead>
void PauseWithLead(Platform& platform, float seconds, float lead, AtLead atLead);

}  // namespace tamvera::run

namespace tamvera::run::detail {
// Waits until the clock reaches `target` (without crossing midnight), as Pause's passes do.
void PassUntil(Platform& platform, float target);
}  // namespace tamvera::run::detail

namespace tamvera::run {

template <class AtLead>
void PauseWithLead(Platform& platform, float seconds, float lead, AtLead atLead) {
    const float start = platform.secondsSinceMidnight();
    const float end = static_cast<float>(start + seconds);
    const float leadAt = static_cast<float>(end - lead);
    // Across midnight the lead is not worth the arithmetic: the call comes at the end.
    if (OnClock(end) != end) {
        Pause(platform, seconds);
        atLead();
        return;
    }
    if (leadAt > start) detail::PassUntil(platform, leadAt);
    atLead();
    detail::PassUntil(platform, end);
}

}  // namespace tamvera::run
