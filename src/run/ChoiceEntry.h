// Choice entry: moves a list's selection onto a grade value. The lists hold the whole
// numbers from 100 down to 1, and each press of a character jumps to the next entry that
// begins with it, so small values need several presses of their first digit.
#pragma once

#include <string_view>
#include <vector>

namespace tamvera::run {

// One key string of a choice entry: a press of a digit key (a key string), or a value
// outside the table typed literally.
struct ChoiceKey {
    std::u16string_view text;
    bool literal = false;
};

// The key strings that put `value` into a list, in the order they are sent, one call
// each and no pause in between: the table's presses of a digit, or, for any value not in
// the table, the value itself typed literally once. The views point into the table or
// into `value`. The typing loop sends them; nothing is sent here.
std::vector<ChoiceKey> TulisNilaiPilihan(std::u16string_view value);

}  // namespace tamvera::run
