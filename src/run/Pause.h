// Waiting on the seconds-since-midnight clock while the window stays alive: every pass
// handles the window's pending messages (guard ticks, paints, clicks), then sleeps until the
// next message or the end of the wait.
#pragma once

#include "form/FormModel.h"
#include "platform/Platform.h"

namespace tamvera::run {

// Waits `seconds` (single precision) on the clock. Always makes at least one pass, so
// even a zero or negative wait yields to the window once.
void Pause(Platform& platform, float seconds);

// Pause scaled by the chosen speed: three independent tests, x1 fast, x2 medium,
// x3 slow; with no speed chosen the length stays as given.
void PauseForSpeed(Platform& platform, const form::FormModel& form, float seconds);

}  // namespace tamvera::run
