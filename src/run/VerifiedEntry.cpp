#include "run/VerifiedEntry.h"

#include "progress/Totals.h"
#include "run/ForegroundGuard.h"
#include "run/Pause.h"

namespace tamvera::run {

namespace {

constexpr int kRereads = 2;
constexpr int kFirstFieldRereads = 6;
// A read without an answer in time: the target may be busy a moment longer.
constexpr float kRereadAfterMiss = 0.3f;
// A bound no plan reaches: a guard against a rule that never settles.
constexpr int kStepsPerValue = 16;
constexpr float kAwaitLookSeconds = 0.25f;
// The end of a resumed run's start wait, with the read of the field the teacher clicked.
constexpr float kFocusLookSeconds = 0.25f;

}  // namespace

VerifiedEntry::VerifiedEntry(Platform& platform, const form::FormModel& form, RunPosition& position)
    : platform_(platform), form_(form), act_(platform, form), position_(position) {}

void VerifiedEntry::startWait(float seconds, bool lookAtFocus) {
    // Reading never stops for the rest of a run: a read that says nothing costs no time.
    reading_ = platform_.readsFields();
    if (!reading_) {
        Pause(platform_, seconds);
        return;
    }
    const float look = lookAtFocus ? kFocusLookSeconds : 0.0f;
    memory_.startNamedElement = act_.readBack().startWait(seconds - look).element;
    if (lookAtFocus) focusAtStart_ = act_.readBack().pauseAndRead(look);
}

std::optional<Landed> VerifiedEntry::focusOnFilledField(EntryKind kind, const StopPlace& next,
                                                         const std::optional<StopPlace>& last) const {
    const FieldReading& r = focusAtStart_;
    if (!Usable(r) || !r.field.known) return std::nullopt;
    // The grid's keys start with the RIGHT that leaves the cell to the value's left: done, as a rule.
    const auto startsHere = [&](std::size_t row, std::size_t column) {
        return kind == EntryKind::Dapodik && row == next.row && column + 1 == next.column;
    };
    for (const Landed& done : position_.landed)
        if (done.field == r.field && !startsHere(done.row, done.column)) return done;
    // Showing the value typed last (and not the next one): most likely that value's own field.
    if (last && !startsHere(last->row, last->column) && last->value != next.value && Shows(r, last->value))
        return Landed{last->row, last->column, r.field};
    return std::nullopt;
}

bool VerifiedEntry::beforeValue(EntryKind kind, CellPlace place) {
    if (!reading_ || !memory_.lostNavigationSeen || act_.readBack().silent()) return true;
    if (act_.moveOn(memory_.left ? memory_.left->field : FieldIdentity{}, kind, false, memory_)) return true;
    unconfirm(place, place.value, {});
    return false;
}

void VerifiedEntry::pauseAndSettle(float seconds, EntryKind kind, CellPlace place) {
    FieldReading r = act_.readBack().pauseAndRead(seconds);
    // Another window came to the front: what was read is not the report application's,
    // and the run stops at its next key.
    if (ForeignWindowInFront(form_, platform_)) return;
    ++valuesTried_;
    r = askAgainIfMissed(r);
    try {
        settle(r, kind, place);
    } catch (...) {
        // The run stopped while mending: the value counts as typed (its keys went out), and
        // the closing message of the run that goes on names it with what its read said.
        if (Usable(r) && !accepts(place, r)) unconfirm(place, place.value, r);
        throw;
    }
}

// A read without an answer in time is asked again (a loaded machine), never once the
// target counts as silent: a silent target's run types as a blind run does.
FieldReading VerifiedEntry::askAgainIfMissed(FieldReading r) {
    while (act_.readBack().missed() && !act_.readBack().silent()) r = act_.readBack().pauseAndRead(kRereadAfterMiss);
    return r;
}

// Carries out the plan for what each read saw, step by step, until one settles the value.
void VerifiedEntry::settle(FieldReading r, EntryKind kind, CellPlace place) {
    Look look = Look::First;
    bool counted = false;
    retyped_ = false;
    for (int budget = kStepsPerValue; budget > 0;) {
        if (!counted && Usable(r)) {
            counted = true;
            ++memory_.valuesAnswered;
            if (!r.field.known) placeUnknown_ = true;
        }
        for (const Step step : PlanFor(Classify(r, memory_, kind, place.value, place.column, look), kind)) {
            --budget;
            const Outcome outcome = carry(step, kind, place, r);
            if (outcome == Outcome::GaveUp) unconfirm(place, place.value, {});
            if (outcome == Outcome::Done || outcome == Outcome::GaveUp) return;
            if (outcome == Outcome::Looked) {
                look = LookAfter(step);
                break;
            }
        }
    }
    finish(place, r, accepts(place, r));
}

VerifiedEntry::Outcome VerifiedEntry::carry(Step step, EntryKind kind, CellPlace place, FieldReading& r) {
    switch (step) {
    case Step::ReadForField: r = act_.readAgain(r, place.value, kRereads); return Outcome::Looked;
    case Step::ReadForFieldLonger: r = act_.readAgain(r, place.value, kFirstFieldRereads); return Outcome::Looked;
    case Step::LookAgain: r = act_.awaitFocusLeaving(r, memory_); return Outcome::Looked;
    case Step::ReadAgain: r = act_.readAgain(r, place.value, kRereads); return Outcome::Looked;
    case Step::CountLanded: act_.pace().valueLanded(); return Outcome::Next;
    case Step::CountLost: act_.pace().valueLost(); return Outcome::Next;
    case Step::CountKeyLost: act_.pace().navigationLost(); return Outcome::Next;
    case Step::TakeAsFieldLeft: memory_.left->field = r.field, memory_.left->confirmed = true; return Outcome::Next;
    case Step::RestoreFieldLeft: restoreFieldLeft(kind, r); return Outcome::Next;
    case Step::MoveOn: return moveOnAgain(kind, false);
    case Step::MoveOnFromFieldLeft: return moveOnAgain(kind, true);
    case Step::TypeAgain:
        retyped_ = true;
        if (kind != EntryKind::Choice) act_.pauseBeforeCharacters();
        r = act_.retype(kind, place.value, kind == EntryKind::Choice ? 0 : 1);
        return Outcome::Next;
    case Step::TypeAgainSlower:
        retyped_ = true;
        r = act_.retypeUntilHeld(r, kind, place.value);
        return Outcome::Next;
    case Step::TypeAgainToCompare:
        retyped_ = true;
        memory_.readBeforeRetype = r.value;
        r = act_.retype(kind, place.value, 1);
        return Outcome::Looked;
    case Step::LearnForm: learnForm(place); return Outcome::Next;
    case Step::LearnIfAsBefore:
        if (Usable(r) && r.value == memory_.readBeforeRetype) learnForm(place);
        return Outcome::Next;
    case Step::Confirm: finish(place, r, accepts(place, r)); return Outcome::Done;
    case Step::Name: noteUnanswered(place); return Outcome::Done;
    }
    return Outcome::Done;
}

// The navigation key sent again from the field just left; given up, the value is named
// (and a field left that kept the focus is no longer counted on as confirmed).
VerifiedEntry::Outcome VerifiedEntry::moveOnAgain(EntryKind kind, bool fromFieldLeft) {
    memory_.lostNavigationSeen = true;
    if (act_.moveOn(memory_.left ? memory_.left->field : FieldIdentity{}, kind, true, memory_)) return Outcome::Next;
    if (fromFieldLeft) memory_.left->confirmed = false;
    return Outcome::GaveUp;
}

// The field just left holds another value: the key that should have left it was lost while
// the page was busy saving, and this value's keys went in and were saved there.
void VerifiedEntry::restoreFieldLeft(EntryKind kind, const FieldReading& r) {
    const FieldLeft previous = *memory_.left;
    const FieldReading back = act_.restoreValueBefore(r, kind, previous.value);
    if (!Shows(back, previous.value)) unconfirm({previous.row, previous.column, {}}, previous.value, back);
}

void VerifiedEntry::pauseOverEmptyCell(float seconds, EntryKind kind, CellPlace place) {
    // Only a field that answers with its value tells anything: an application that
    // names one object for the whole window (or a choice field's button) is left alone.
    FieldReading r = act_.readBack().pauseAndRead(seconds);
    if (ForeignWindowInFront(form_, platform_)) return;
    // Unread, a lost key over the cell would put every later value of the row one early.
    r = askAgainIfMissed(r);
    if (!Usable(r) || !r.field.known) return;
    if (NamesFieldLeft(r, memory_) && Shows(r, memory_.left->value)) r = act_.awaitFocusLeaving(r, memory_);
    if (NamesFieldLeft(r, memory_)) {
        memory_.lostNavigationSeen = true;
        const auto arrived = act_.moveOn(memory_.left->field, kind, true, memory_);
        // Never moved: the next value's own look finds where the focus is.
        if (!arrived) {
            memory_.left->confirmed = false;
            return;
        }
        r = *arrived;
    }
    // From here on this empty field is the one just left.
    if (Usable(r) && r.field.known) memory_.left = FieldLeft{place.row, place.column, u"", r.field, true};
}

// The value itself, or in the form its column's fields were found to show it in.
bool VerifiedEntry::accepts(CellPlace place, const FieldReading& r) const {
    return Holds(r, place.value) || ShownAsLearnt(r, memory_, place.column, place.value);
}

// Typed again and read as before: from now on the column's reads in that form are landed.
void VerifiedEntry::learnForm(CellPlace place) {
    const std::u16string& shown = memory_.readBeforeRetype;
    memory_.shownForms.emplace_back(place.column, sameValue(place.value, shown));
    if (!memory_.firstShown) memory_.firstShown.emplace(place.value, shown);
}

// A landed value takes up mending again; values that typing again did not mend, in a row,
// turn the run to a blind run's keys and pauses: the losses that grew the pace were none.
void VerifiedEntry::countMending(bool confirmed) {
    memory_.unmendedInRow = confirmed ? 0 : memory_.unmendedInRow + (retyped_ ? 1 : 0);
    if (retyped_ && memory_.unmendedInRow == kUnmendedBeforeBlind) act_.pace().forget();
}

void VerifiedEntry::finish(CellPlace place, const FieldReading& r, bool confirmed) {
    countMending(confirmed);
    if (!confirmed) unconfirm(place, place.value, r);
    if (confirmed) position_.landed.push_back({place.row, place.column, r.field});
    memory_.left = FieldLeft{place.row, place.column, std::u16string(place.value), r.field, confirmed};
}

void VerifiedEntry::unconfirm(CellPlace place, std::u16string_view value, const FieldReading& r) {
    position_.unconfirmed.push_back({place.row, place.column, std::u16string(value), Usable(r), Usable(r) ? r.value : u""});
}

// A value whose field answered nothing: named at the end, unless no value of the run
// answered at all (the application answers no reads, and the teacher is told that).
void VerifiedEntry::noteUnanswered(CellPlace place) {
    unconfirm(place, place.value, {});
    memory_.left = FieldLeft{place.row, place.column, std::u16string(place.value), {}, false};
}

void VerifiedEntry::awaitAnswer(float seconds) {
    if (!reading_) return;
    for (float waited = 0; act_.readBack().silent() && waited < seconds; waited += kAwaitLookSeconds)
        act_.readBack().pauseAndRead(kAwaitLookSeconds);
}

CheckReport VerifiedEntry::report() const {
    CheckReport r;
    r.notChecked = reading_ && valuesTried_ > 0 && memory_.valuesAnswered == 0;
    r.placeUnknown = placeUnknown_ && !r.notChecked;
    if (!r.notChecked) r.unconfirmed = position_.unconfirmed;
    if (memory_.firstShown) r.shownOwnWay = memory_.firstShown;
    r.reads = act_.readBack().reads();
    r.readSeconds = act_.readBack().readSeconds();
    return r;
}

}  // namespace tamvera::run
