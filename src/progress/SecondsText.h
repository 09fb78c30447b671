// The number text of the hidden value holders: a double rounded to 15 significant digits,
// plain decimal (no exponent, no grouping, no trailing zeros, no separator for a whole
// number), with the user's decimal separator. Reading uses the same rules, so what is
// written reads back exactly.
#pragma once

#include <string>
#include <string_view>

namespace tamvera::progress {

std::u16string FormatSeconds(double value, char16_t decimalSeparator);

// Throws Failure when the text is not a number in that form (optional '-', digits,
// optionally the separator and more digits).
double ParseSeconds(std::u16string_view text, char16_t decimalSeparator);

}  // namespace tamvera::progress
