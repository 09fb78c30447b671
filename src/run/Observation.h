// What a read after a value saw, named from the reading and what the run remembers.
// Pure: no clock, no keys. The repairs for each observation are in Repairs.h.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"
#include "run/FormKeys.h"

namespace tamvera::run {

// The field of the value (or empty cell) just settled.
struct FieldLeft {
    std::size_t row = 0, column = 0;
    std::u16string value;  // owned: the row it came from is gone by then
    FieldIdentity field;
    bool confirmed = false;
};

// Where a confirmed value went: its place in the pasted list and its field.
struct Landed {
    std::size_t row = 0, column = 0;
    FieldIdentity field;
    bool operator==(const Landed&) const = default;
};

// What a run remembers between values.
struct RunMemory {
    std::optional<FieldLeft> left;
    bool startNamedElement = false;  // the start's read found an element inside the window
    int valuesAnswered = 0;          // values whose reads found a field
    bool lostNavigationSeen = false;  // from then on the focus is checked before each value
    std::vector<Landed> landed;
};

// Which read of a value this is: its first, or one after a repair step that only read.
enum class Look { First, AfterNoField, AfterLaggingTree, AfterReadingAgain };

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
    Differs,              // another value: the page may still be drawing
    Lost,                 // another value after reading again: the field lost the keys
    GoneQuiet,            // nothing readable after reading again
};

// A read that tells a field's value.
bool Usable(const FieldReading& r);
bool Holds(const FieldReading& r, std::u16string_view value);
// The read names the field just left (known and confirmed).
bool NamesFieldLeft(const FieldReading& r, const RunMemory& memory);
// The read's field holds just the value before (not empty), and says which field it is.
bool HoldsValueBefore(const FieldReading& r, const RunMemory& memory);

Observation Classify(const FieldReading& r, const RunMemory& memory, EntryKind kind, std::u16string_view value,
                     Look look);

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
