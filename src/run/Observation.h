// What a read after a value saw, named from the reading and what the run remembers.
// Pure: no clock, no keys. The repairs for each observation are in Repairs.h.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "run/FormKeys.h"
#include "run/SameValue.h"

namespace tamvera::run {

// The field of the value (or empty cell) just settled.
struct FieldLeft {
    std::size_t row = 0, column = 0;
    std::u16string value;  // owned: the row it came from is gone by then
    FieldIdentity field;
    bool confirmed = false;
};

// What a run remembers between values.
struct RunMemory {
    std::optional<FieldLeft> left;
    bool startNamedElement = false;  // the start's read found an element inside the window
    int valuesAnswered = 0;          // values whose reads found a field
    bool lostNavigationSeen = false;  // from then on the focus is checked before each value
    // How a column's fields show a value their own way: learnt when a value typed again
    // came back read as before (`readBeforeRetype`), with the run's first example.
    std::vector<std::pair<std::size_t, Sameness>> shownForms;
    std::u16string readBeforeRetype;
    std::optional<std::pair<std::u16string, std::u16string>> firstShown;  // pasted, read
    int unmendedInRow = 0;  // values that retypes did not mend, in a row
};

// Retypes that mended nothing for this many values in a row: the run types as a blind run,
// still reading, until a retype mends or a value lands at its first read.
constexpr int kUnmendedBeforeBlind = 3;

// Which read of a value this is: its first, or one after a repair step that only read.
enum class Look { First, AfterNoField, AfterLaggingTree, AfterReadingAgain, AfterRetypeToCompare };

enum class Observation {
    Unanswered,           // the read got no answer, or found no field after reading again
    WholeWindowOnly,      // at the first value, one object for the whole window
    FirstFieldNotInTree,  // at the first value, a browser's tree not yet on the field
    NoFieldYet,           // the target answers, the focus is on no field
    NoField,              // still on no field after reading again, past the first value
    OnFieldButton,        // as NoField, on an element that is no field: a field's button
    LeftFieldUnchanged,   // the field just left, holding its own value: a tree may lag
    StillOnFieldLeft,     // the field just left: its navigation key was lost
    HoldsValueBefore,     // just the value before, in a field not named as the one left
    HeldAtOnce,           // the value, at the value's first read of a field
    Held,                 // the value, after looking again
    ShownItsWayAtOnce,    // at the first read, the value in the form learnt for its column
    ShownItsWay,          // the same, after looking again
    Differs,              // another value: the page may still be drawing
    UnmendedOfLate,       // as Differs, while retypes have mended nothing of late
    ShownAnotherWay,      // the value in another form, not yet learnt for its column
    SameAfterRetype,      // typed again, read as before: the field shows the value that way
    MendedByRetype,       // typed again, the value itself: it was lost
    ChangedByRetype,      // typed again, another read still
    Lost,                 // another value after reading again: the field lost the keys
    GoneQuiet,            // nothing readable after reading again
};

// A read that tells a field's value.
bool Usable(const FieldReading& r);
bool Holds(const FieldReading& r, std::u16string_view value);
// The value, exactly or shown another way (`sameValue`): what a field left, or one typed
// back, holds when nothing else went into it.
bool Shows(const FieldReading& r, std::u16string_view value);
// The read names the field just left (known and confirmed).
bool NamesFieldLeft(const FieldReading& r, const RunMemory& memory);
// The read's field holds just the value before (not empty), and says which field it is.
bool HoldsValueBefore(const FieldReading& r, const RunMemory& memory);

// The read shows the value in the form learnt for `column`.
bool ShownAsLearnt(const FieldReading& r, const RunMemory& memory, std::size_t column, std::u16string_view value);

Observation Classify(const FieldReading& r, const RunMemory& memory, EntryKind kind, std::u16string_view value,
                     std::size_t column, Look look);

// A navigation key on its way: the field it leaves, the no-field elements it passed, and
// the looks and keys spent.
struct Passage {
    FieldIdentity from, passed;
    FieldIdentity settling;  // a look's no-field element, until a second look confirms it
    int round = 0, looks = 0, settlingLooks = 0, passes = 0;
};

enum class Arrival {
    Unanswered,        // nothing to tell by: taken as arrived
    Arrived,           // on another field (a choice form: on anything else, its button)
    NotYet,            // still on the field left, or on no field
    RowHeaderGlimpse,  // the grid's "No" or "Nama" at one look: a tree behind may name it a moment
    OnRowHeader,       // the grid's "No" or "Nama" again: on its way, one key further
};

Arrival ClassifyArrival(const FieldReading& r, const Passage& passage, const RunMemory& memory, EntryKind kind);

}  // namespace tamvera::run
