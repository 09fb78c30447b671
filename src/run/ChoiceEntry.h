// Choice entry: moves a list's selection onto a grade value. The lists hold the whole
// numbers from 100 down to 1, and each press of a character jumps to the next entry that
// begins with it, so small values need several presses of their first digit.
#pragma once

#include <string_view>

#include "platform/Platform.h"

namespace tamvera::run {

// How a value is entered in a list: `presses` times the one-digit key `key`, or, for
// any value not in the table, the value itself typed once (presses == 0).
struct ChoicePresses {
    std::u16string_view key;
    int presses = 0;
};
ChoicePresses ChoicePressesFor(std::u16string_view value);

// Sends the presses for `value`, one key string per press and no pause in between; a
// value outside the table is typed literally, once.
void TulisNilaiPilihan(Platform& platform, std::u16string_view value);

}  // namespace tamvera::run
