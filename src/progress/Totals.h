// The value count and the time estimate made at the start of every run, and the
// arithmetic of the hidden value holders they fill.
#pragma once

#include <string_view>

#include "form/FormModel.h"
#include "platform/Platform.h"

namespace tamvera::progress {

// A time step is one of the typing loop's timed pauses: its base length (0.1 s or
// 0.15 s) times the speed factor. The factor is applied as the program always computed
// it: fast the length itself, medium twice it, slow the length plus twice it (for 0.1 s
// that is 0.30000000000000004, not the double nearest 0.3; after the 15-digit rounding
// it behaves as 0.3).
inline constexpr double kShortPause = 0.1;
inline constexpr double kClosingPause = 0.15;

// A holder's text as a number; Failure when it is not one.
double ReadHolder(Platform& platform, const form::TextBox& holder);
// Read, add in double precision, write back the seconds text (one assignment).
void AddToHolder(Platform& platform, form::TextBox& holder, double increment);
// One time step of a pause of `baseSeconds` on a time holder: for fast, medium and slow
// in this order, each chosen one adds its length in an assignment of its own.
void AddTimeStep(Platform& platform, const form::FormModel& form, form::TextBox& holder,
                 double baseSeconds = kShortPause);

// Resets the current and total counts, then counts the non-empty cells of the hand-off
// file into Txt_Total. A run that goes on after its first `typedBefore` values starts
// its current count there.
void HitungTotal(form::FormModel& form, Platform& platform, std::u16string_view handOffPath,
                 std::size_t typedBefore = 0);

// Resets the elapsed and estimated times, then sums the pauses the typing loop will make
// for the hand-off file into Txt_WaktuTotal, one time step each: per row one 0.1 s step,
// plus in fill-in mode one 0.1 s step per cell, or in choice mode one 0.15 s step per
// cell and four 0.1 s steps more per non-empty cell (the mode read per row). At a raised
// error flag it stops summing and leaves the flag for the typing loop, which reports it.
// A run that goes on after its first `typedBefore` values sums only the pauses from the
// next value on.
void HitungWaktu(form::FormModel& form, Platform& platform, std::u16string_view handOffPath,
                 std::size_t typedBefore = 0);

// One time step on the estimate.
void TambahWaktu(form::FormModel& form, Platform& platform, double baseSeconds = kShortPause);

}  // namespace tamvera::progress
