// How a field shows a value, as report applications do it their own way: a grade field
// that shows two decimals after a comma once the value is stored ("85" becomes "85,00"),
// one that upper-cases each letter as it is typed, or a choice list whose entries carry a
// predicate's label ("A - Sangat Baik"). The field holds what it shows, so the out-file
// and the reads give that.
#pragma once

#include <string>
#include <vector>

namespace tamvera::practice {

enum class ValueForm { AsTyped, Predicate, TwoDecimals, UpperCase };

// A stored value as the field shows it. Two decimals: a number with "." or "," as its
// decimal separator, rounded half up ("8.5" → "8,50", "85,456" → "85,46"); any other
// text stays as it is.
std::u16string shownValue(ValueForm form, const std::u16string& stored);
// A typed character as the field takes it: upper case turns ASCII and Latin-1 letters.
char16_t typedCharacter(ValueForm form, char16_t ch);

// The entries of a predicate list, best first.
std::vector<std::u16string> predicateEntries();

}  // namespace tamvera::practice
