#include "run/VerifiedEntry.h"

#include <algorithm>
#include <string>

#include "platform/Text.h"
#include "progress/Totals.h"
#include "run/ForegroundGuard.h"
#include "run/Pause.h"

namespace tamvera::run {

namespace {

// A page may still be drawing: a differing value is read again a few times first.
constexpr int kRereads = 2;
constexpr float kRereadSeconds = 0.1f;
// Firefox's tree may take over half a second to follow the focus to the first field.
constexpr int kFirstFieldRereads = 6;
// A read without an answer in time: the target may be busy a moment longer.
constexpr float kRereadAfterMiss = 0.3f;
// A tree behind the page: the focus still on the field just left is looked at again this
// many times before its navigation key counts as lost.
constexpr int kLaggingTreeLooks = 4;
constexpr int kRetypes = 2;
// A value typed over on a busy page: typed back up to three times, the first after a
// quarter second or the wait the page lately needed, each later one twice as long.
constexpr int kRestores = 3;
constexpr double kFirstRestoreWait = 0.25;
constexpr int kNavigationResends = 2;
constexpr int kLooksPerResend = 2;
constexpr int kNoFieldPasses = 2;
constexpr int kSettlingLooks = 4;
constexpr std::size_t kCellsNamed = 10;
constexpr float kAwaitLookSeconds = 0.25f;

std::u16string number(std::size_t n) { return utf16(std::to_string(n)); }

std::u16string quoted(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }

std::u16string cellLine(const UnconfirmedCell& cell) {
    std::u16string held = !cell.readable     ? u"isinya tidak terbaca"
                          : cell.held.empty() ? u"terisi kosong"
                                              : u"terisi " + quoted(cell.held);
    return u"Baris " + number(cell.row) + u", kolom " + number(cell.column) + u": seharusnya " +
           quoted(cell.expected) + u", " + held;
}

}  // namespace

VerifiedEntry::VerifiedEntry(Platform& platform, const form::FormModel& form)
    : platform_(platform), form_(form), readBack_(platform), ownPace_(form) {}

void VerifiedEntry::startWait(float seconds) {
    // Reading never stops for the rest of a run: a read that says nothing costs no time.
    reading_ = platform_.readsFields();
    if (reading_)
        startNamedElement_ = readBack_.startWait(seconds).element;
    else
        Pause(platform_, seconds);
}

bool VerifiedEntry::usable(const FieldReading& r) {
    return r.answered && r.hasValue && (r.kind == FieldKind::Text || r.kind == FieldKind::List);
}

bool VerifiedEntry::holds(const FieldReading& r, std::u16string_view value) const {
    return usable(r) && r.value == value;
}

float VerifiedEntry::shortPause(int slower) const {
    return static_cast<float>(progress::kShortPause * (SpeedFactor(form_) + slower));
}

// The wait after a key that stores a value, `slower` speeds slower than the run, and as
// long as the page lately needed before the key that leaves the field.
float VerifiedEntry::afterStore(double baseSeconds, int slower) const {
    return static_cast<float>(baseSeconds * (SpeedFactor(form_) + slower) + pace_->extra(Wait::AfterValue));
}

// A field just reached may not take characters at once, nor one that just stored a value
// another key: as long as the page lately needed.
void VerifiedEntry::pauseBeforeCharacters() { pauseFor(pace_->extra(Wait::BeforeValue)); }
void VerifiedEntry::pauseAfterStore() { pauseFor(pace_->extra(Wait::AfterValue)); }
void VerifiedEntry::pauseFor(double seconds) {
    if (seconds > 0) Pause(platform_, static_cast<float>(seconds));
}

bool VerifiedEntry::beforeValue(EntryKind kind, CellPlace place) {
    if (!reading_ || !lostNavigationSeen_ || readBack_.silent()) return true;
    if (focusOnNextField(last_ ? last_->field : FieldIdentity{}, kind, false)) return true;
    unconfirm(place, place.value, {});
    return false;
}

void VerifiedEntry::pauseAndSettle(float seconds, EntryKind kind, CellPlace place) {
    FieldReading r = readBack_.pauseAndRead(seconds);
    // Another window came to the front: what was read is not the report application's,
    // and the run stops at its next key.
    if (ForeignWindowInFront(form_, platform_)) return;
    ++valuesTried_;
    // A read without an answer in time is asked again (a loaded machine), and never
    // once the target counts as silent; one that says nothing, or comes from a target that
    // has answered with no field yet and names no element inside its window (one object
    // for the whole window), is not asked again either: such runs type as a blind run does.
    // (A typed field in a browser whose start's read named an element is asked again, for
    // up to 0.6 s at the first value: its tree may not have followed the focus to the first
    // field yet, and name no element or the one before. Not a list: the keys
    // after a choice go to the field's button at once, and a later read tells more.)
    while (readBack_.missed() && !readBack_.silent()) r = readBack_.pauseAndRead(kRereadAfterMiss);
    const bool treeMayFollow = startNamedElement_ && kind != EntryKind::Choice;
    if (!usable(r) && (!r.answered || (valuesAnswered_ == 0 && !r.element && !treeMayFollow))) {
        noteUnanswered(place);
        return;
    }
    if (!usable(r)) r = readAgain(r, place.value, valuesAnswered_ == 0 && treeMayFollow ? kFirstFieldRereads : kRereads);
    if (!usable(r)) {
        // The target answers, but the focus is on no field: a navigation key was lost
        // on the way to this value's field, and its keys went nowhere.
        if (kind != EntryKind::Choice && r.answered && valuesAnswered_ > 0)
            repairStrayFocus(kind, place);
        else if (kind == EntryKind::Choice && onChoiceButton(r))
            repairAstrayChoice(place);
        else
            noteUnanswered(place);
        return;
    }
    ++valuesAnswered_;
    if (!r.field.known) placeUnknown_ = true;
    const bool heldAtFirstRead = holds(r, place.value) && !leftFieldNamed(r);
    // The field of the value before still has the focus: its navigation key was lost and
    // this value went into that field. Unless that field still holds just its own value:
    // an accessibility tree that lags behind the page names the field just left for a
    // while, and taking that for a lost key would type into the wrong field.
    if (leftFieldNamed(r)) {
        if (holds(r, last_->value)) r = awaitFocusLeaving(r);
        if (leftFieldNamed(r)) {
            repairLostNavigation(kind, place, r);
            return;
        }
    }
    if (!holds(r, place.value)) r = readAgain(r, place.value, kRereads);
    // This field holds just the value before: it is that value's field, still focused
    // after a lost key, though the read did not name it so (the value before was not
    // confirmed, or a browser's tree named the same cell otherwise). Typing this value
    // here would overwrite a right one; the navigation is repaired instead. (A list, not
    // a typed field: a list may well open on the choice before.)
    if (kind != EntryKind::Choice && !holds(r, place.value) && heldByValueBefore(r)) {
        last_->field = r.field;
        last_->confirmed = true;
        repairLostNavigation(kind, place, r);
        return;
    }
    if (!holds(r, place.value)) {
        // Its own field, but without the value: the field was not ready for its keys.
        if (usable(r)) pace_->valueLost();
        r = retypeUntilHeld(r, kind, place.value);
    }
    if (heldAtFirstRead) pace_->valueLanded();
    finish(place, r, holds(r, place.value));
}

bool VerifiedEntry::heldByValueBefore(const FieldReading& r) const {
    return last_ && !last_->value.empty() && r.field.known && holds(r, last_->value);
}

bool VerifiedEntry::leftFieldNamed(const FieldReading& r) const {
    return last_ && last_->confirmed && r.field.known && r.field == last_->field;
}

void VerifiedEntry::pauseOverEmptyCell(float seconds, EntryKind kind, CellPlace place) {
    // Only a field that answers with its value tells anything: an application that
    // names one object for the whole window (or a choice field's button) is left alone.
    FieldReading r = readBack_.pauseAndRead(seconds);
    if (ForeignWindowInFront(form_, platform_) || !usable(r) || !r.field.known) return;
    if (leftFieldNamed(r) && holds(r, last_->value)) r = awaitFocusLeaving(r);
    if (leftFieldNamed(r)) {
        lostNavigationSeen_ = true;
        if (!focusOnNextField(last_->field, kind, true)) {
            last_->confirmed = false;  // the next value's own look finds where the focus is
            return;
        }
        r = arrived_;
    }
    // From here on this empty field is the one just left.
    if (usable(r) && r.field.known) last_ = Settled{{place.row, place.column, {}}, u"", r.field, true};
}

// Looks again while the read names the field just left, unchanged; a lost navigation key
// (whose value's keys were lost too) still names it after the looks.
FieldReading VerifiedEntry::awaitFocusLeaving(FieldReading r) {
    for (int look = 0; look < kLaggingTreeLooks && usable(r) && leftFieldNamed(r) && holds(r, last_->value); ++look)
        r = readBack_.pauseAndRead(kRereadSeconds);
    return r;
}

// Reads again while the target answers: a page may still be drawing.
FieldReading VerifiedEntry::readAgain(FieldReading r, std::u16string_view value, int times) {
    for (int i = 0; i < times && !holds(r, value) && r.answered; ++i) r = readBack_.pauseAndRead(kRereadSeconds);
    return r;
}

// Types the value again into the field the reading came from, twice at most; never on a
// read that says nothing and never once the focus is on another field.
FieldReading VerifiedEntry::retypeUntilHeld(FieldReading r, EntryKind kind, std::u16string_view value) {
    const FieldIdentity field = r.field;
    for (int attempt = 1; attempt <= kRetypes && !holds(r, value); ++attempt) {
        if (!usable(r) || (field.known && r.field != field)) break;
        r = retype(kind, value, attempt);
    }
    return r;
}

// Each attempt goes one speed slower than the run: a field that lost keys is slow. A
// choice's attempt 0 starts from the field's button, just reached. (On a page that saves
// a list's choice at ENTER, the ENTER that drops it again saves again: `busySeconds` more.)
FieldReading VerifiedEntry::retype(EntryKind kind, std::u16string_view value, int attempt, double busySeconds) {
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

// Looks whether the focus is on a field other than `from`, twice, and sends the navigation
// key again between; true when it is, or when the target does not answer (nothing to
// tell by). A focus on something that is no field (a row's read-only cells) has not
// arrived either, except in a choice form, where TAB reaches the next field's button.
bool VerifiedEntry::focusOnNextField(const FieldIdentity& leaving, EntryKind kind, bool sendFirst) {
    FieldIdentity from = leaving;
    FieldIdentity passed = from;
    FieldIdentity settling;  // a look's no-field element, until a second look confirms it
    int settlingLooks = 0;
    int passes = 0;
    for (int round = 0; round <= kNavigationResends; ++round) {
        // Sent again: the key before was lost, on a page busy with the value just stored.
        if (round > 0 || sendFirst) {
            pace_->navigationLost();
            // A key just found lost is sent again once the page may be done with its value.
            if (round > 0) pauseAfterStore();
            if (round == 1 && kind == EntryKind::Dapodik) passed = from = closeCellEditor(from);
            outlet_.keys(NavigationKey(kind));
        }
        for (int look = 0; look < kLooksPerResend; ++look) {
            // Each resend waits one speed slower: a page that lost the key is busy.
            const FieldReading r = readBack_.pauseAndRead(shortPause(round));
            arrived_ = r;
            if (!r.answered) return true;
            // Where the field left is not known (its read said nothing), a typed field that
            // holds just the value before is taken for that value's, as after a value.
            const bool elsewhere = from.known ? !r.field.known || r.field != from
                                              : kind == EntryKind::Choice || !heldByValueBefore(r);
            if ((usable(r) || kind == EntryKind::Choice) && elsewhere) return true;
            // The focus moved on to something that is no field (the grid's next row starts
            // with "No" and "Nama"): on its way, so one key further, not counted as a resend.
            // Only once a second look finds it there too: a tree behind the page names the
            // cell before a row's first grade for a moment, and a key more would move the
            // whole row one cell on.
            if (kind == EntryKind::Dapodik && r.field.known && r.field != passed && passes < kNoFieldPasses) {
                if (!(r.field == settling) && settlingLooks < kSettlingLooks) {
                    settling = r.field;
                    ++settlingLooks;
                    --look;  // a look of its own, never the round's last
                    continue;
                }
                passed = r.field;
                ++passes;
                outlet_.keys(NavigationKey(kind));
                look = -1;
            }
        }
    }
    return false;
}

// A grid cell whose next value's keys were lost but for the last ENTER has its editor
// open again, where RIGHT only moves the caret: ESC closes it, and the cell keeps what it
// stored. ESC does nothing on a cell not being edited. A browser names the editor apart
// from its cell: the cell holding the value before is then the field being left.
FieldIdentity VerifiedEntry::closeCellEditor(const FieldIdentity& from) {
    outlet_.keys(u"{ESC}");
    const FieldReading r = readBack_.pauseAndRead(shortPause(1));
    return heldByValueBefore(r) ? r.field : from;
}

// The field left holds another value: the key that should have left it was lost while
// the page was busy saving, and this value's keys went in and were saved there, so the
// page is busy again. The value before is typed back once the page may be done: each
// attempt waits twice as long as the one before, first and after a list's first ENTER.
FieldReading VerifiedEntry::restoreValueBefore(FieldReading r, EntryKind kind, std::u16string_view value) {
    const FieldIdentity field = r.field;
    double wait = std::max(pace_->extra(Wait::AfterValue), kFirstRestoreWait);
    for (int attempt = 1; attempt <= kRestores && !holds(r, value); ++attempt, wait *= 2) {
        if (!usable(r) || (field.known && r.field != field)) break;
        pauseFor(wait);
        r = retype(kind, value, attempt, wait);
    }
    return r;
}

void VerifiedEntry::repairLostNavigation(EntryKind kind, CellPlace place, const FieldReading& r) {
    lostNavigationSeen_ = true;
    const Settled previous = *last_;
    // The field just left gets its own value back first...
    const FieldReading back = restoreValueBefore(r, kind, previous.value);
    if (!holds(back, previous.value)) unconfirm(previous.place, previous.value, back);
    // ...then the focus moves on, and the value goes where it belongs.
    if (!focusOnNextField(previous.field, kind, true)) {
        unconfirm(place, place.value, {});
        last_->confirmed = false;
        return;
    }
    typeAgainAndSettle(kind, place);
}

// A choice form whose lists have answered, read on something that is no list after a
// choice: a field's button. The TAB after the value before was lost on a busy page with
// this value's first ENTER, and the TAB that came through reached this field's button, so
// its choice keys fell on the button. From there the choice is made again.
bool VerifiedEntry::onChoiceButton(const FieldReading& r) const {
    return r.answered && r.element && r.kind == FieldKind::Other && r.field.known && valuesAnswered_ > 0;
}

void VerifiedEntry::repairAstrayChoice(CellPlace place) {
    pace_->navigationLost();
    typeAgainAndSettle(EntryKind::Choice, place);
}

void VerifiedEntry::repairStrayFocus(EntryKind kind, CellPlace place) {
    lostNavigationSeen_ = true;
    if (!focusOnNextField(last_ ? last_->field : FieldIdentity{}, kind, true)) {
        unconfirm(place, place.value, {});
        return;
    }
    typeAgainAndSettle(kind, place);
}

// The value typed again where the focus now is (a field just reached: a choice field's
// button), and settled.
void VerifiedEntry::typeAgainAndSettle(EntryKind kind, CellPlace place) {
    if (kind != EntryKind::Choice) pauseBeforeCharacters();
    FieldReading now = retype(kind, place.value, kind == EntryKind::Choice ? 0 : 1);
    if (!holds(now, place.value)) now = retypeUntilHeld(now, kind, place.value);
    finish(place, now, holds(now, place.value));
}

void VerifiedEntry::finish(CellPlace place, const FieldReading& r, bool confirmed) {
    if (!confirmed) unconfirm(place, place.value, r);
    last_ = Settled{{place.row, place.column, {}}, std::u16string(place.value), r.field, confirmed};
}

void VerifiedEntry::unconfirm(CellPlace place, std::u16string_view value, const FieldReading& r) {
    unconfirmed_.push_back({place.row, place.column, std::u16string(value), usable(r), usable(r) ? r.value : u""});
}

// A value whose field answered nothing: named at the end, unless no value of the run
// answered at all (the application answers no reads, and the teacher is told that).
void VerifiedEntry::noteUnanswered(CellPlace place) {
    unconfirm(place, place.value, {});
    last_ = Settled{{place.row, place.column, {}}, std::u16string(place.value), {}, false};
}

void VerifiedEntry::awaitAnswer(float seconds) {
    if (!reading_) return;
    for (float waited = 0; readBack_.silent() && waited < seconds; waited += kAwaitLookSeconds)
        readBack_.pauseAndRead(kAwaitLookSeconds);
}

CheckReport VerifiedEntry::report() const {
    CheckReport r;
    r.notChecked = reading_ && valuesTried_ > 0 && valuesAnswered_ == 0;
    r.placeUnknown = placeUnknown_ && !r.notChecked;
    if (!r.notChecked) r.unconfirmed = unconfirmed_;
    r.reads = readBack_.reads();
    r.readSeconds = readBack_.readSeconds();
    return r;
}

std::u16string ClosingMessage(const CheckReport& report) {
    if (report.notChecked)
        return u"Nilai tidak dapat diperiksa di aplikasi ini. Tamvera mengetik tanpa memeriksa hasilnya; "
               u"periksa sendiri nilai yang sudah terisi.";
    std::u16string text;
    if (!report.unconfirmed.empty()) {
        text = u"Beberapa nilai belum pasti masuk. Periksa isian berikut di aplikasi rapor (baris dan kolom "
               u"menurut daftar yang ditempel):";
        for (std::size_t i = 0; i < report.unconfirmed.size() && i < kCellsNamed; ++i)
            text += u"\n" + cellLine(report.unconfirmed[i]);
        if (report.unconfirmed.size() > kCellsNamed)
            text += u"\ndan " + number(report.unconfirmed.size() - kCellsNamed) + u" isian lainnya.";
    }
    if (report.placeUnknown) {
        if (!text.empty()) text += u"\n\n";
        text += u"Tamvera tidak dapat membedakan isian satu dengan yang lain di aplikasi ini: hanya isinya yang "
                u"diperiksa, bukan letaknya.";
    }
    return text;
}

}  // namespace tamvera::run
