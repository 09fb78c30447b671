#include "run/EntryActions.h"

#include <algorithm>

#include "progress/Totals.h"
#include "run/Pause.h"

namespace tamvera::run {

namespace {

constexpr float kRereadSeconds = 0.1f;
// Looks at the field just left, unchanged, before its navigation key counts as lost.
constexpr int kLaggingTreeLooks = 4;
constexpr int kRetypes = 2;
// A value typed over on a busy page: typed back up to three times, the first after a
// quarter second or the wait the page lately needed, each later one twice as long.
constexpr int kRestores = 3;
constexpr double kFirstRestoreWait = 0.25;
constexpr int kNavigationResends = 2;
constexpr int kLooksPerResend = 2;
// A bound no passage reaches: a guard against a page that never settles.
constexpr int kLooksPerPassage = 16;

}  // namespace

EntryActions::EntryActions(Platform& platform, const form::FormModel& form)
    : platform_(platform), form_(form), readBack_(platform), ownPace_(form) {}

float EntryActions::shortPause(int slower) const {
    return static_cast<float>(progress::kShortPause * (SpeedFactor(form_) + slower));
}

// The wait after a key that stores a value, `slower` speeds slower than the run, and as
// long as the page lately needed before the key that leaves the field.
float EntryActions::afterStore(double baseSeconds, int slower) const {
    return static_cast<float>(baseSeconds * (SpeedFactor(form_) + slower) + pace_->extra(Wait::AfterValue));
}

// A field just reached may not take characters at once, nor one that just stored a value
// another key: as long as the page lately needed.
void EntryActions::pauseBeforeCharacters() { pauseFor(pace_->extra(Wait::BeforeValue)); }
void EntryActions::pauseAfterStore() { pauseFor(pace_->extra(Wait::AfterValue)); }
void EntryActions::pauseFor(double seconds) {
    if (seconds > 0) Pause(platform_, static_cast<float>(seconds));
}

// Looks again while the read names the field just left, unchanged; a lost navigation key
// (whose value's keys were lost too) still names it after the looks.
FieldReading EntryActions::awaitFocusLeaving(FieldReading r, const RunMemory& memory) {
    for (int look = 0; look < kLaggingTreeLooks && NamesFieldLeft(r, memory) && Shows(r, memory.left->value); ++look)
        r = readBack_.pauseAndRead(kRereadSeconds);
    return r;
}

// Reads again while the target answers: a page may still be drawing.
FieldReading EntryActions::readAgain(FieldReading r, std::u16string_view value, int times) {
    for (int i = 0; i < times && !Shows(r, value) && r.answered; ++i) r = readBack_.pauseAndRead(kRereadSeconds);
    return r;
}

// Types the value again into the field the reading came from, twice at most; never on a
// read that says nothing and never once the focus is on another field.
FieldReading EntryActions::retypeUntilHeld(FieldReading r, EntryKind kind, std::u16string_view value) {
    const FieldIdentity field = r.field;
    for (int attempt = 1; attempt <= kRetypes && !Holds(r, value); ++attempt) {
        if (!Usable(r) || (field.known && r.field != field)) break;
        r = retype(kind, value, attempt);
    }
    return r;
}

// Each attempt goes one speed slower than the run: a field that lost keys is slow. A
// choice's attempt 0 starts from the field's button, just reached. (On a page that saves
// a list's choice at ENTER, the ENTER that drops it again saves again: `busySeconds` more.)
FieldReading EntryActions::retype(EntryKind kind, std::u16string_view value, int attempt, double busySeconds) {
    const float pause = shortPause(attempt);
    for (const KeyStep& step : ValueKeys(kind, value, attempt == 0 ? Typing::FromButton : Typing::Again)) {
        switch (step.what) {
        case KeyStep::What::Keys: outlet_.keys(step.text); break;
        case KeyStep::What::Literal: outlet_.literal(step.text); break;
        case KeyStep::What::Pause: Pause(platform_, pause); break;
        case KeyStep::What::BeforeCharacters:
            Pause(platform_, pause);
            pauseBeforeCharacters();
            pauseFor(busySeconds);
            break;
        }
    }
    const double base = kind == EntryKind::Choice ? progress::kClosingPause : progress::kShortPause;
    return readBack_.pauseAndRead(afterStore(base, attempt));
}

// Looks whether the focus left `leaving`, twice a round, and sends the navigation key
// again between rounds; the arriving read (an unanswered one: nothing to tell by), or
// nothing when the focus never left.
std::optional<FieldReading> EntryActions::moveOn(const FieldIdentity& leaving, EntryKind kind, bool sendFirst,
                                                 const RunMemory& memory) {
    Passage p;
    p.from = p.passed = leaving;
    if (sendFirst) sendNavigationAgain(p, kind, memory);
    for (int budget = kLooksPerPassage; budget > 0; --budget) {
        if (p.looks == kLooksPerResend) {
            if (p.round == kNavigationResends) return std::nullopt;
            ++p.round, p.looks = 0;
            sendNavigationAgain(p, kind, memory);
        }
        // Each resend waits one speed slower: a page that lost the key is busy.
        const FieldReading r = readBack_.pauseAndRead(shortPause(p.round));
        switch (ClassifyArrival(r, p, memory, kind)) {
        case Arrival::Unanswered:
        case Arrival::Arrived: return r;
        case Arrival::RowHeaderGlimpse: p.settling = r.field, ++p.settlingLooks; break;
        case Arrival::OnRowHeader:
            // On its way: one key further, and the round's looks start afresh.
            p.passed = r.field, ++p.passes, p.looks = 0;
            outlet_.keys(NavigationKey(kind));
            break;
        case Arrival::NotYet: ++p.looks; break;
        }
    }
    return std::nullopt;
}

// Sent again: the key before was lost, on a page busy with the value just stored; a key
// found lost is sent once the page may be done with its value.
void EntryActions::sendNavigationAgain(Passage& p, EntryKind kind, const RunMemory& memory) {
    pace_->navigationLost();
    if (p.round > 0) pauseAfterStore();
    if (p.round == 1 && kind == EntryKind::Dapodik) p.passed = p.from = closeCellEditor(p.from, memory);
    outlet_.keys(NavigationKey(kind));
}

// A grid cell whose next value's keys were lost but for the last ENTER has its editor
// open again, where RIGHT only moves the caret: ESC closes it, and the cell keeps what it
// stored. ESC does nothing on a cell not being edited. A browser names the editor apart
// from its cell: the cell holding the value before is then the field being left.
FieldIdentity EntryActions::closeCellEditor(const FieldIdentity& from, const RunMemory& memory) {
    outlet_.keys(u"{ESC}");
    const FieldReading r = readBack_.pauseAndRead(shortPause(1));
    return HoldsValueBefore(r, memory) ? r.field : from;
}

// The value before is typed back once the page may be done: each attempt waits twice as
// long as the one before, first and after a list's first ENTER.
FieldReading EntryActions::restoreValueBefore(FieldReading r, EntryKind kind, std::u16string_view value) {
    const FieldIdentity field = r.field;
    double wait = std::max(pace_->extra(Wait::AfterValue), kFirstRestoreWait);
    for (int attempt = 1; attempt <= kRestores && !Shows(r, value); ++attempt, wait *= 2) {
        if (!Usable(r) || (field.known && r.field != field)) break;
        pauseFor(wait);
        r = retype(kind, value, attempt, wait);
    }
    return r;
}

}  // namespace tamvera::run
