// Verified entry: after each value the report application's field is read back and
// compared with the value exactly as the hand-off file holds it; what was lost is typed
// again, a navigation key that never moved the focus is sent again, and what could not
// be confirmed is named to the teacher at the end of the run.
//
// When every value lands at its first read, a run's keys and pauses are exactly those of
// a blind run: the reads happen inside the pauses.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/FormModel.h"
#include "platform/Platform.h"
#include "run/FormKeys.h"
#include "run/Pace.h"
#include "run/ReadBack.h"

namespace tamvera::run {

// A cell of the pasted list whose field could not be confirmed.
struct UnconfirmedCell {
    std::size_t row = 0, column = 0;  // counted from 1, as the spreadsheet shows them
    std::u16string expected;
    bool readable = false;  // the field answered with a value
    std::u16string held;
    bool operator==(const UnconfirmedCell&) const = default;
};

// What a run's reads found: the closing message is made from it.
struct CheckReport {
    bool notChecked = false;    // the application answered no reads: typed blind
    bool placeUnknown = false;  // fields answered their value but not which field they are
    std::vector<UnconfirmedCell> unconfirmed;
    int reads = 0;
    double readSeconds = 0;
};

// A value and its place in the pasted list.
struct CellPlace {
    std::size_t row = 0, column = 0;
    std::u16string_view value;
};

// The ways keys leave the run: the typing loop's guarded sends.
struct KeyOutlet {
    std::function<void(std::u16string_view)> keys;
    std::function<void(std::u16string_view)> literal;
};

class VerifiedEntry {
public:
    VerifiedEntry(Platform& platform, const form::FormModel& form);

    // The start's wait, with the read that readies the target. A system without a
    // reader types blind and says nothing of it; elsewhere every value is read, and a
    // target whose reads say nothing costs no time for them.
    void startWait(float seconds);
    // The typing loop's key outlet, and its pace, told what the reads find.
    void connect(KeyOutlet outlet, Pace& pace) {
        outlet_ = std::move(outlet);
        pace_ = &pace;
    }
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

private:
    struct Settled {
        CellPlace place;
        std::u16string value;  // owned: the row it came from is gone by then
        FieldIdentity field;
        bool confirmed = false;
    };

    static bool usable(const FieldReading& r);
    bool holds(const FieldReading& r, std::u16string_view value) const;
    bool leftFieldNamed(const FieldReading& r) const;
    bool heldByValueBefore(const FieldReading& r) const;
    FieldReading awaitFocusLeaving(FieldReading r);
    FieldReading readAgain(FieldReading r, std::u16string_view value, int times);
    FieldReading retypeUntilHeld(FieldReading r, EntryKind kind, std::u16string_view value);
    FieldReading retype(EntryKind kind, std::u16string_view value, int attempt, double busySeconds = 0);
    FieldReading restoreValueBefore(FieldReading r, EntryKind kind, std::u16string_view value);
    bool focusOnNextField(const FieldIdentity& leaving, EntryKind kind, bool sendFirst);
    FieldIdentity closeCellEditor(const FieldIdentity& from);
    void repairLostNavigation(EntryKind kind, CellPlace place, const FieldReading& r);
    void repairStrayFocus(EntryKind kind, CellPlace place);
    bool onChoiceButton(const FieldReading& r) const;
    void repairAstrayChoice(CellPlace place);
    void typeAgainAndSettle(EntryKind kind, CellPlace place);
    void finish(CellPlace place, const FieldReading& r, bool confirmed);
    void unconfirm(CellPlace place, std::u16string_view value, const FieldReading& r);
    void noteUnanswered(CellPlace place);
    float shortPause(int slower = 0) const;
    float afterStore(double baseSeconds, int slower) const;
    void pauseBeforeCharacters();
    void pauseAfterStore();
    void pauseFor(double seconds);

    Platform& platform_;
    const form::FormModel& form_;
    ReadBack readBack_;
    KeyOutlet outlet_;
    Pace ownPace_;  // until a typing loop connects its own
    Pace* pace_ = &ownPace_;
    bool reading_ = false;
    bool placeUnknown_ = false;
    bool startNamedElement_ = false;  // the start's read found an element inside the window
    bool lostNavigationSeen_ = false;
    int valuesTried_ = 0;
    int valuesAnswered_ = 0;
    std::optional<Settled> last_;
    FieldReading arrived_;  // the look that found the focus on the next field
    std::vector<UnconfirmedCell> unconfirmed_;
};

// The closing message of a run: empty when every value was confirmed (or nothing was
// read on this system).
std::u16string ClosingMessage(const CheckReport& report);

}  // namespace tamvera::run
