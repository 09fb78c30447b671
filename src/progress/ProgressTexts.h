// The two texts the window shows during a run.
#pragma once

#include <string>
#include <string_view>

namespace tamvera::progress {

// "<current> dari <total> Nilai", both holder texts as they stand.
std::u16string ProgressText(std::u16string_view current, std::u16string_view total);

// The remaining-time text for r seconds (estimate minus elapsed): under a minute
// "S Detik Lagi", exactly 60 "1 Menit Lagi", otherwise "M Menit S Detik Lagi". r is
// rounded to whole seconds R (halves to even, the program's rounding everywhere), and
// S and M are the seconds and minutes fields of the time of day R seconds after
// midnight, so a negative R shows a time before midnight and hours are dropped.
std::u16string RemainingTimeText(double remaining);

// R: r rounded to the nearest whole second, halves to the even neighbour.
double RoundHalfEven(double value);

}  // namespace tamvera::progress
