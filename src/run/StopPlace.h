// Where a run that ended early stopped: the first value of the pasted list that was not
// typed, in the rows and columns the spreadsheet shows (empty cells counted), and how
// many values were typed before it. The teacher finishes the class from there.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <vector>

#include "form/FormModel.h"
#include "platform/Platform.h"
#include "run/CheckReport.h"
#include "run/FormKeys.h"

namespace tamvera::run {

// What a run was started with: the list, the target and the entry mode. A stop is offered
// again only while all three are the same.
struct RunSetting {
    std::u16string list, target;
    EntryKind kind = EntryKind::FillIn;
    bool operator==(const RunSetting&) const = default;
};
RunSetting CurrentSetting(const form::FormModel& form);

// Where a confirmed value went: its place in the pasted list and its field.
struct Landed {
    std::size_t row = 0, column = 0;
    FieldIdentity field;
    bool operator==(const Landed&) const = default;
};

// How far a run got, kept by its owner so that it outlives a typing loop ended by a
// failure, and the next "Mulai" can go on from there.
struct RunPosition {
    RunSetting setting;
    // The number, in list order, of the last value whose keys all went out; a value cut
    // short does not count, and one verified entry never typed does not move it.
    std::size_t typedThrough = 0;
    // Where each confirmed value went, and the values that could not be confirmed, over
    // the run and the runs that went on from it: the last one's closing message names them all.
    std::vector<Landed> landed;
    std::vector<UnconfirmedCell> unconfirmed;
};

struct StopPlace {
    std::size_t row = 0, column = 0;  // counted from 1
    std::size_t typed = 0, total = 0;
    std::u16string value;
    bool operator==(const StopPlace&) const = default;
};

// The place of the value after the first `typed` ones in the hand-off file; nothing when
// no value is left (the run typed them all) or the file cannot be read.
std::optional<StopPlace> FindStopPlace(Platform& platform, std::u16string_view handOffPath, std::size_t typed);

// "Pengisian berhenti di baris R, kolom K: N dari M nilai sudah diketik."; empty for nothing.
std::u16string StopLine(const std::optional<StopPlace>& stop);

// The question before a run that may go on from `stop`: which value, the field to click
// first (where that value's keys expect the focus), and what Ya and Tidak do.
std::u16string ResumeQuestion(EntryKind kind, const StopPlace& stop);
// A resumed run found the focus on a field that holds the confirmed value `done`: which
// one it holds, and the field to click instead.
std::u16string AlreadyFilledText(EntryKind kind, const StopPlace& stop, const Landed& done);

}  // namespace tamvera::run
