// The foreground guard's one test, used by its timer tick and before every key a run
// sends: with the online report or e-Rapor target, the window in front must be a report
// application, that is, its title (trimmed of spaces, upper-cased) contains "RAPOR".
// The Dapodik target is never watched.
#pragma once

#include "form/FormModel.h"
#include "platform/Platform.h"

namespace tamvera::run {

// True when the chosen target is watched (read now) and the foreground window's title
// fails the test.
bool ForeignWindowInFront(const form::FormModel& form, Platform& platform);

}  // namespace tamvera::run
