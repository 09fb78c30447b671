#include "run/TypingLoop.h"

#include "form/EntryOptions.h"
#include "form/HandOffFile.h"
#include "keys/SendKeys.h"
#include "progress/ProgressDisplay.h"
#include "progress/Totals.h"
#include "run/ForegroundGuard.h"
#include "run/Messages.h"
#include "run/Pause.h"

namespace tamvera::run {

namespace {
// A foreign window was found in front before a key: the run ends there, as at a raised
// flag. Never leaves the typing loop.
struct ForeignWindowStop {};

constexpr float kClickWaitSeconds = 0.01f;
// A release the system never reports (a button stuck down, a release lost on its way)
// must not hold the run for ever: past this the apology shows all the same.
constexpr float kLongestClickSeconds = 2.0f;
}  // namespace

TypingLoop::TypingLoop(form::FormModel& form, Platform& platform, std::u16string_view handOffPath,
                       RunPosition& position, VerifiedEntry* check, bool goOn)
    : form_(form),
      platform_(platform),
      path_(handOffPath),
      position_(position),
      check_(check),
      pace_(form),
      valueNumber_(goOn ? position.typedThrough : 0),
      typedBefore_(valueNumber_) {
    if (check_)
        check_->connect({[this](std::u16string_view keys) { sendKeys(keys); },
                         [this](std::u16string_view text) { sendLiteral(text); }},
                        pace_);
}

void TypingLoop::IsiNilai() {
    progress::HitungTotal(form_, platform_, path_, typedBefore_);
    progress::HitungWaktu(form_, platform_, path_, typedBefore_);
    try {
        typeRows();
    } catch (const ForeignWindowStop&) {
        // The hand-off file is closed by now; the flag raised before the throw is reported
        // and cleared as at the start of a row.
        abortOnErrorFlag();
    }
}

void TypingLoop::typeRows() {
    form::HandOffReader reader(platform_, path_);
    // A foreign window in front already (during the start's wait): no key at all.
    if (abortOnErrorFlag()) return;
    // A run that goes on starts where the teacher put the focus: the value's own keys move on.
    if (typedBefore_ == 0)
        sendKeys(NavigationKey(form::options::DapodikChosen(form_) ? EntryKind::Dapodik : EntryKind::FillIn));

    form::ListStart start(typedBefore_);
    std::u16string row;
    while (reader.ReadRow(row)) {
        ++row_;
        const std::size_t firstColumn = start.firstColumn(row);
        if (firstColumn == 0) continue;
        column_ = firstColumn - 1;
        if (abortOnErrorFlag()) return;
        const bool choice = form::options::ChoiceModeChosen(form_);
        const auto cells = form::SplitCells(row);
        for (auto cell = cells.begin() + static_cast<std::ptrdiff_t>(column_); cell != cells.end(); ++cell) {
            ++column_;
            if (choice)
                typeChoiceCell(*cell);
            else
                typeFillInCell(*cell);
        }
        endRow();
    }
}

bool TypingLoop::abortOnErrorFlag() {
    if (form_.Kesalahan != 1) return false;
    // A click on the main window brings it to the front and so stops the run; the box
    // would swallow the click's release. Let a click in progress finish first, so that
    // "Berhenti" and the "X" still end the program at once.
    waitForClickRelease();
    platform_.focusMainWindow();
    ShowApology(platform_, StopLine(FindStopPlace(platform_, path_, position_.typedThrough)));
    form_.Kesalahan = 0;
    stopped_ = true;
    return true;
}

void TypingLoop::waitForClickRelease() {
    const float start = platform_.secondsSinceMidnight();
    while (platform_.mouseButtonHeld() && OnClock(platform_.secondsSinceMidnight() - start) < kLongestClickSeconds)
        Pause(platform_, kClickWaitSeconds);
}

void TypingLoop::typeChoiceCell(std::u16string_view cell) {
    if (!cell.empty()) ++valueNumber_;
    // A value whose field the focus never reached is not typed (it is named at the end).
    if (!cell.empty() && verifying() && !check_->beforeValue(EntryKind::Choice, {row_, column_, cell})) {
        progress::AdvanceCurrentCount(form_, platform_);
        pauseAndCount(progress::kClosingPause);
    } else if (!cell.empty()) {
        sendValueKeys(EntryKind::Choice, cell);
        progress::AdvanceCurrentCount(form_, platform_);
        pauseAfterValue(progress::kClosingPause, EntryKind::Choice, cell);
    } else {
        pauseOverEmptyCell(progress::kClosingPause, EntryKind::Choice);
    }
    sendKeys(NavigationKey(EntryKind::Choice));
}

void TypingLoop::typeFillInCell(std::u16string_view cell) {
    const bool dapodik = form::options::DapodikChosen(form_);
    const EntryKind kind = dapodik ? EntryKind::Dapodik : EntryKind::FillIn;
    if (!cell.empty()) {
        ++valueNumber_;
        if (dapodik) sendKeys(NavigationKey(kind));
        pauseBeforeValue();
        // A value whose field the focus never reached is not typed (it is named at the end).
        const bool reached = !verifying() || check_->beforeValue(kind, {row_, column_, cell});
        if (reached) sendValueKeys(kind, cell);
        progress::AdvanceCurrentCount(form_, platform_);
        if (reached)
            pauseAfterValue(progress::kShortPause, kind, cell);
        else
            pauseAndCount(progress::kShortPause);
    } else {
        // An empty cell still moves one field over, as a value's own "{RIGHT}" does, so
        // the later values of the row stay in their columns.
        if (dapodik) sendKeys(NavigationKey(kind));
        pauseOverEmptyCell(progress::kShortPause, kind);
    }
    // Read again: the grid chosen during the pause leaves this cell's TAB out already.
    if (!form::options::DapodikChosen(form_)) sendKeys(NavigationKey(EntryKind::FillIn));
}

// A value's keys at their first typing; a choice's beats are the loop's counted pauses.
void TypingLoop::sendValueKeys(EntryKind kind, std::u16string_view cell) {
    for (const KeyStep& step : ValueKeys(kind, cell, Typing::First)) {
        switch (step.what) {
        case KeyStep::What::Keys: sendKeys(step.text); break;
        case KeyStep::What::Literal: sendLiteral(step.text); break;
        case KeyStep::What::Pause: pauseAndCount(progress::kShortPause); break;
        case KeyStep::What::BeforeCharacters: pauseBeforeValue(progress::kShortPause); break;
        }
    }
    position_.typedThrough = valueNumber_;
}

void TypingLoop::pauseBeforeValue(double baseSeconds) {
    // No pause at all where none is due, so that a run at the chosen speed keeps its moments.
    if (pace_.seconds(Wait::BeforeValue, baseSeconds) > 0) pauseAndCount(baseSeconds, Wait::BeforeValue);
}

void TypingLoop::pauseAfterValue(double baseSeconds, EntryKind kind, std::u16string_view cell) {
    if (!verifying()) {
        pauseAndCount(baseSeconds, Wait::AfterValue);
        return;
    }
    const double extra = pace_.extra(Wait::AfterValue);
    check_->pauseAndSettle(pace_.seconds(Wait::AfterValue, baseSeconds), kind, {row_, column_, cell});
    followPace();
    progress::TambahWaktuSaatIni(form_, platform_, baseSeconds, extra);
}

void TypingLoop::pauseOverEmptyCell(double baseSeconds, EntryKind kind) {
    if (!verifying()) {
        pauseAndCount(baseSeconds);
        return;
    }
    check_->pauseOverEmptyCell(SecondsForSpeed(form_, static_cast<float>(baseSeconds)), kind, {row_, column_, {}});
    followPace();
    progress::TambahWaktuSaatIni(form_, platform_, baseSeconds);
}

void TypingLoop::followPace() {
    const double extra = pace_.extraPerValue();
    if (extra == estimatedExtra_) return;
    progress::StretchEstimate(form_, platform_, extra - estimatedExtra_);
    estimatedExtra_ = extra;
}

void TypingLoop::endRow() {
    pauseAndCount(progress::kShortPause);
    if (form::options::DapodikChosen(form_)) {
        // Past the next row's "No" and "Nama".
        sendKeys(NavigationKey(EntryKind::Dapodik));
        sendKeys(NavigationKey(EntryKind::Dapodik));
    }
}

void TypingLoop::sendKeys(std::u16string_view keys) {
    stopUnlessTargetInFront();
    keys::SendKeyString(platform_, keys);
}

void TypingLoop::sendLiteral(std::u16string_view text) {
    stopUnlessTargetInFront();
    keys::SendLiteralText(platform_, text);
}

// The guard's timer ticks only inside the pauses and the loop tests the flag only at the
// start of a row: a window that came to the front since would get the rest of the row.
// So the foreground is tested right before every key string.
void TypingLoop::stopUnlessTargetInFront() {
    if (!ForeignWindowInFront(form_, platform_)) return;
    form_.Kesalahan = 1;
    throw ForeignWindowStop{};
}

// Every pause of the loop counts into the elapsed time with its own length, as the
// estimate counted it, so the remaining time shown is the time the run still takes.
void TypingLoop::pauseAndCount(double baseSeconds, Wait wait) {
    const double extra = pace_.extra(wait);
    Pause(platform_, pace_.seconds(wait, baseSeconds));
    progress::TambahWaktuSaatIni(form_, platform_, baseSeconds, extra);
}

}  // namespace tamvera::run
