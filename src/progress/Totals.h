// The value count and the time estimate made at the start of every run, and the
// arithmetic of the hidden value holders they fill.
#pragma once

#include <string_view>

#include "platform/Platform.h"
#include "run/FormModel.h"

namespace tamvera::progress {

// Step lengths of one time step, by speed: the typing loop's base pause of 0.1 s times
// the speed factor. The slow one is 0.1 + 0.2 in double precision, as the program
// always computed it; after the 15-digit rounding it behaves as 0.3.
inline constexpr double kStepFast = 0.1;
inline constexpr double kStepMedium = 0.2;
inline constexpr double kStepSlow = 0.30000000000000004;

// A holder's text as a number; Failure when it is not one.
double ReadHolder(Platform& platform, const run::TextBox& holder);
// Read, add in double precision, write back the seconds text (one assignment).
void AddToHolder(Platform& platform, run::TextBox& holder, double increment);
// One time step on a time holder: for fast, medium and slow in this order, each chosen
// one adds its length in an assignment of its own.
void AddTimeStep(Platform& platform, const run::FormModel& form, run::TextBox& holder);

// Resets the current and total counts, then counts the non-empty cells of the hand-off
// file into Txt_Total.
void HitungTotal(run::FormModel& form, Platform& platform, std::u16string_view handOffPath);

// Resets the elapsed and estimated times, then sums the time steps the typing loop will
// make for the hand-off file into Txt_WaktuTotal: per row one step, plus one per cell
// in fill-in mode, or one per cell and two more per non-empty cell in choice mode (the
// mode read per row). At a raised error flag it stops summing and leaves the flag for
// the typing loop, which reports it.
void HitungWaktu(run::FormModel& form, Platform& platform, std::u16string_view handOffPath);

// One time step on the estimate.
void TambahWaktu(run::FormModel& form, Platform& platform);

}  // namespace tamvera::progress
