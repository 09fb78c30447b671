// What is done about each observation: one table maps what a read saw, in a form, to a
// plan of named steps that the verified entry carries out in order.
#pragma once

#include <vector>

#include "run/FormKeys.h"
#include "run/Observation.h"

namespace tamvera::run {

enum class Step {
    ReadForField,        // read again twice while the target answers, for a field
    ReadForFieldLonger,  // read again up to six times: a browser's tree may be catching up
    LookAgain,           // look again while the field just left is named, unchanged
    ReadAgain,           // read again twice while the value differs: a page may be drawing
    CountLanded,         // the pace notes a value that landed at once
    CountLost,           // the pace notes a value its field lost: the field was not ready
    CountKeyLost,        // the pace notes a navigation key lost
    TakeAsFieldLeft,     // the field read is the one just left, holding its value
    RestoreFieldLeft,    // the field just left gets its own value back
    MoveOn,              // the navigation key again (one key further past a row header,
                         // the cell editor closed first) until the focus leaves
    MoveOnFromFieldLeft, // the same; given up, the field left is no longer counted on
    TypeAgain,           // the value typed again where the focus now is (a list: from its button)
    TypeAgainSlower,     // typed again, one speed slower each time, while its field is read
    TypeAgainToCompare,  // typed again once, one speed slower, to see whether the read changes
    LearnForm,           // the column's fields show values this way: read as landed from now on
    LearnIfAsBefore,     // the same, when typed again it reads as before the first retype
    Confirm,             // settled: confirmed when its field holds it, else named
    Name,                // named at the end, its field unknown
};

using Plan = std::vector<Step>;

// Which forms a rule holds for.
enum class Forms { Any, Typed, Choice };

struct Rule {
    Observation seen;
    Forms forms;
    Plan plan;
};

// Every rule, in the order they are looked up.
const std::vector<Rule>& RepairRules();
const Plan& PlanFor(Observation seen, EntryKind kind);

// The read a step that only reads leads to.
Look LookAfter(Step step);

}  // namespace tamvera::run
