// Verified entry: after each value the report application's field is read back and
// compared with the value exactly as the hand-off file holds it; what was lost is typed
// again, a navigation key that never moved the focus is sent again, and what could not
// be confirmed is named to the teacher at the end of the run.
//
// When every value lands at its first read, a run's keys and pauses are exactly those of
// a blind run: the reads happen inside the pauses.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "form/FormModel.h"
#include "platform/Platform.h"
#include "run/CheckReport.h"
#include "run/EntryActions.h"
#include "run/Observation.h"
#include "run/Repairs.h"
#include "run/StopPlace.h"

namespace tamvera::run {

class VerifiedEntry {
public:
    // Where each confirmed value went is kept in `position`, which outlives the run.
    VerifiedEntry(Platform& platform, const form::FormModel& form, RunPosition& position);

    // The start's wait, with the read that readies the target. A system without a
    // reader types blind and says nothing of it; elsewhere every value is read, and a
    // target whose reads say nothing costs no time for them. A run that goes on from a
    // stop also reads the focus at the wait's end, right before its first key.
    void startWait(float seconds, bool lookAtFocus = false);
    // That read named a field already done, before the value `next`: one that holds a
    // confirmed value of the list, or one that shows `last`, the value typed last, never
    // confirmed (the stop came before its read). That value's place and the field.
    std::optional<Landed> focusOnFilledField(EntryKind kind, const StopPlace& next,
                                             const std::optional<StopPlace>& last) const;
    // The typing loop's key outlet, and its pace, told what the reads find.
    void connect(KeyOutlet outlet, Pace& pace) { act_.connect(std::move(outlet), pace); }
    bool reading() const { return reading_; }

    // Before a value's keys, once its navigation key is sent (a choice value's: before its
    // first key): after a lost navigation key was seen, the focus must have left the
    // field of the last value. False when it never
    // moved: the value must not be typed (it is named at the end).
    bool beforeValue(EntryKind kind, CellPlace place);
    // The pause after a value's keys (its length at the run's speed), with the read at
    // its end, then whatever the reading calls for.
    void pauseAndSettle(float seconds, EntryKind kind, CellPlace place);

    // The pause of an empty cell, with a look at the focus at its end: it must have left
    // the field of the value before, or the values after it would go one field early.
    void pauseOverEmptyCell(float seconds, EntryKind kind, CellPlace place);

    // Before a box takes the front after the run: a target whose reads stopped answering
    // may still hold keys in its queue; it is given up to `seconds` to answer again.
    void awaitAnswer(float seconds);

    CheckReport report() const;

    // What the run remembers: the field just left and what it learnt (where each confirmed
    // value went is in the position given at construction).
    const RunMemory& memory() const { return memory_; }

private:
    enum class Outcome { Next, Looked, Done, GaveUp };

    void settle(FieldReading r, EntryKind kind, CellPlace place);
    FieldReading askAgainIfMissed(FieldReading r);
    Outcome carry(Step step, EntryKind kind, CellPlace place, FieldReading& r);
    Outcome moveOnAgain(EntryKind kind, bool fromFieldLeft);
    void restoreFieldLeft(EntryKind kind, const FieldReading& r);
    bool accepts(CellPlace place, const FieldReading& r) const;
    void learnForm(CellPlace place);
    void countMending(bool confirmed);
    void finish(CellPlace place, const FieldReading& r, bool confirmed);
    void unconfirm(CellPlace place, std::u16string_view value, const FieldReading& r);
    void noteUnanswered(CellPlace place);

    Platform& platform_;
    const form::FormModel& form_;
    EntryActions act_;
    RunMemory memory_;
    RunPosition& position_;
    FieldReading focusAtStart_;
    bool reading_ = false;
    bool placeUnknown_ = false;
    int valuesTried_ = 0;
    bool retyped_ = false;  // the value being settled was typed again
};

}  // namespace tamvera::run
