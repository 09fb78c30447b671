// What a run's reads found, and the closing message made from it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tamvera::run {

// A cell of the pasted list whose field could not be confirmed.
struct UnconfirmedCell {
    std::size_t row = 0, column = 0;  // counted from 1, as the spreadsheet shows them
    std::u16string expected;
    bool readable = false;  // the field answered with a value
    std::u16string held;
    bool operator==(const UnconfirmedCell&) const = default;
};

struct CheckReport {
    bool notChecked = false;    // the application answered no reads: typed blind
    bool placeUnknown = false;  // fields answered their value but not which field they are
    std::vector<UnconfirmedCell> unconfirmed;
    // The application shows values its own way: the run's first such value, pasted and read.
    std::optional<std::pair<std::u16string, std::u16string>> shownOwnWay;
    int reads = 0;
    double readSeconds = 0;
};

// The closing message of a run: empty when every value was confirmed (or nothing was
// read on this system).
std::u16string ClosingMessage(const CheckReport& report);

}  // namespace tamvera::run
