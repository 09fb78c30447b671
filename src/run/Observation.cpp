#include "run/Observation.h"

#include <algorithm>

namespace tamvera::run {

namespace {

// The no-field elements a navigation key may pass on its way (the grid's "No" and "Nama"),
// and the looks that may glimpse one before a second look confirms it.
constexpr int kNoFieldPasses = 2;
constexpr int kGlimpses = 4;

Observation noField(const FieldReading& r, const RunMemory& memory, EntryKind kind, Look look) {
    const bool first = memory.valuesAnswered == 0;
    if (look == Look::First) {
        // A browser whose start's read named an element may not have followed the focus
        // to a typed field yet; a list's keys go to its button at once.
        const bool treeMayFollow = memory.startNamedElement && kind != EntryKind::Choice;
        if (!r.answered) return Observation::Unanswered;
        if (first && treeMayFollow) return Observation::FirstFieldNotInTree;
        return first && !r.element ? Observation::WholeWindowOnly : Observation::NoFieldYet;
    }
    if (!r.answered || first) return Observation::Unanswered;
    const bool button = r.element && r.kind == FieldKind::Other && r.field.known;
    return button ? Observation::OnFieldButton : Observation::NoField;
}

Observation afterReadingAgain(const FieldReading& r, const RunMemory& memory, std::u16string_view value,
                              std::size_t column) {
    if (Holds(r, value)) return Observation::Held;
    if (ShownAsLearnt(r, memory, column, value)) return Observation::ShownItsWay;
    if (HoldsValueBefore(r, memory)) return Observation::HoldsValueBefore;
    if (Usable(r) && isSame(sameValue(value, r.value))) return Observation::ShownAnotherWay;
    return Usable(r) ? Observation::Lost : Observation::GoneQuiet;
}

// A value shown another way, typed again: read as before, the field shows it that way.
Observation afterRetypeToCompare(const FieldReading& r, const RunMemory& memory, std::u16string_view value) {
    if (Holds(r, value)) return Observation::MendedByRetype;
    const bool asBefore = Usable(r) && r.value == memory.readBeforeRetype;
    return asBefore ? Observation::SameAfterRetype : Observation::ChangedByRetype;
}

}  // namespace

bool Usable(const FieldReading& r) {
    return r.answered && r.hasValue && (r.kind == FieldKind::Text || r.kind == FieldKind::List);
}

bool Holds(const FieldReading& r, std::u16string_view value) { return Usable(r) && r.value == value; }

bool Shows(const FieldReading& r, std::u16string_view value) { return Usable(r) && isSame(sameValue(value, r.value)); }

bool NamesFieldLeft(const FieldReading& r, const RunMemory& memory) {
    return memory.left && memory.left->confirmed && r.field.known && r.field == memory.left->field;
}

bool HoldsValueBefore(const FieldReading& r, const RunMemory& memory) {
    return memory.left && !memory.left->value.empty() && r.field.known && Shows(r, memory.left->value);
}

bool ShownAsLearnt(const FieldReading& r, const RunMemory& memory, std::size_t column, std::u16string_view value) {
    const std::pair<std::size_t, Sameness> form{column, sameValue(value, r.value)};
    return Usable(r) && std::find(memory.shownForms.begin(), memory.shownForms.end(), form) != memory.shownForms.end();
}

Observation Classify(const FieldReading& r, const RunMemory& memory, EntryKind kind, std::u16string_view value,
                     std::size_t column, Look look) {
    if (look == Look::AfterReadingAgain) return afterReadingAgain(r, memory, value, column);
    if (look == Look::AfterRetypeToCompare) return afterRetypeToCompare(r, memory, value);
    const bool lagging = look == Look::AfterLaggingTree;
    if (!lagging && !Usable(r)) return noField(r, memory, kind, look);
    if (NamesFieldLeft(r, memory))
        return !lagging && Shows(r, memory.left->value) ? Observation::LeftFieldUnchanged
                                                        : Observation::StillOnFieldLeft;
    if (Holds(r, value)) return lagging ? Observation::Held : Observation::HeldAtOnce;
    if (ShownAsLearnt(r, memory, column, value)) return lagging ? Observation::ShownItsWay : Observation::ShownItsWayAtOnce;
    // Another form of the value is no page still drawing: typing again tells the rest.
    if (isSame(sameValue(value, r.value))) return Observation::ShownAnotherWay;
    return memory.unmendedInRow >= kUnmendedBeforeBlind ? Observation::UnmendedOfLate : Observation::Differs;
}

Arrival ClassifyArrival(const FieldReading& r, const Passage& p, const RunMemory& memory, EntryKind kind) {
    if (!r.answered) return Arrival::Unanswered;
    // Where the field left is not known (its read said nothing), a typed field that holds
    // just the value before is taken for that value's, as after a value.
    const bool elsewhere = p.from.known ? !r.field.known || r.field != p.from
                                        : kind == EntryKind::Choice || !HoldsValueBefore(r, memory);
    if ((Usable(r) || kind == EntryKind::Choice) && elsewhere) return Arrival::Arrived;
    if (kind != EntryKind::Dapodik || !r.field.known || r.field == p.passed || p.passes >= kNoFieldPasses)
        return Arrival::NotYet;
    // A tree behind the page names the cell before a row's first grade for a moment, and a
    // key more would move the whole row one cell on: only a second look counts.
    return r.field != p.settling && p.settlingLooks < kGlimpses ? Arrival::RowHeaderGlimpse : Arrival::OnRowHeader;
}

}  // namespace tamvera::run
