// Whether a value read back from a field is the pasted value shown another way. Report
// applications format what they hold ("85" shown "85,00"), change its case, or show a list
// entry with its label ("A" chosen as "A - Sangat Baik"); those are the same value. The
// rule is narrow on purpose: a value taken as the same is never checked again, so anything
// not plainly the same differs.
#pragma once

#include <string_view>

namespace tamvera::run {

enum class Sameness {
    Differs,
    Exact,
    // Numerically equal under either decimal separator and trailing zeros: "85" and "85,00",
    // "8,5" and "8.5". A separator followed by exactly three digits may group thousands
    // ("1.000" is a thousand in Indonesian, one in English), so such a value is no number here.
    Number,
    // The same text in another case or with other outer spaces.
    Letters,
    // A list entry that begins with the pasted value and a separator (" - ", " (", ". ", ": ").
    ListEntry,
};

// How `shown` (what the field shows) is the same as `pasted`, or Differs.
Sameness sameValue(std::u16string_view pasted, std::u16string_view shown);

inline bool isSame(Sameness s) { return s != Sameness::Differs; }

}  // namespace tamvera::run
