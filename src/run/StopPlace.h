// Where a run that ended early stopped: the first value of the pasted list that was not
// typed, in the rows and columns the spreadsheet shows (empty cells counted), and how
// many values were typed before it. The teacher finishes the class from there.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace tamvera::run {

// How far a run got, kept by its owner so that it outlives a typing loop ended by a failure.
struct RunPosition {
    // The number, in list order, of the last value whose keys all went out; a value cut
    // short does not count, and one verified entry never typed does not move it.
    std::size_t typedThrough = 0;
};

struct StopPlace {
    std::size_t row = 0, column = 0;  // counted from 1
    std::size_t typed = 0, total = 0;
    bool operator==(const StopPlace&) const = default;
};

// The place of the value after the first `typed` ones in the hand-off file; nothing when
// no value is left (the run typed them all) or the file cannot be read.
std::optional<StopPlace> FindStopPlace(Platform& platform, std::u16string_view handOffPath, std::size_t typed);

// "Pengisian berhenti di baris R, kolom K: N dari M nilai sudah diketik."; empty for nothing.
std::u16string StopLine(const std::optional<StopPlace>& stop);

}  // namespace tamvera::run
