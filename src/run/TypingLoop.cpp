#include "run/TypingLoop.h"

#include "keys/SendKeys.h"
#include "progress/ProgressDisplay.h"
#include "progress/Totals.h"
#include "run/ChoiceEntry.h"
#include "run/EntryOptions.h"
#include "run/HandOffFile.h"
#include "run/Messages.h"
#include "run/Pause.h"

namespace tamvera::run {

void TypingLoop::IsiNilai() {
    progress::HitungTotal(form_, platform_, path_);
    progress::HitungWaktu(form_, platform_, path_);
    HandOffReader reader(platform_, path_);
    // A foreign window in front already (during the start's wait): no key at all.
    if (abortOnErrorFlag()) return;
    sendKeys(options::DapodikChosen(form_) ? u"{RIGHT}" : u"{Tab}");

    std::u16string row;
    while (reader.ReadRow(row)) {
        if (abortOnErrorFlag()) return;
        const bool choice = options::ChoiceModeChosen(form_);
        for (std::u16string_view cell : SplitCells(row)) {
            if (choice)
                typeChoiceCell(cell);
            else
                typeFillInCell(cell);
        }
        endRow();
    }
}

bool TypingLoop::abortOnErrorFlag() {
    if (form_.Kesalahan != 1) return false;
    platform_.focusMainWindow();
    ShowApology(platform_);
    form_.Kesalahan = 0;
    return true;
}

void TypingLoop::typeChoiceCell(std::u16string_view cell) {
    if (!cell.empty()) {
        sendKeys(u"{enter}");
        pauseAndCount(progress::kShortPause);
        sendKeys(u"{Tab}");
        pauseAndCount(progress::kShortPause);
        sendKeys(u"{enter}");
        pauseAndCount(progress::kShortPause);
        TulisNilaiPilihan(platform_, cell);
        pauseAndCount(progress::kShortPause);
        sendKeys(u"{enter}");
        progress::AdvanceCurrentCount(form_, platform_);
    }
    pauseAndCount(progress::kClosingPause);
    sendKeys(u"{Tab}");
}

void TypingLoop::typeFillInCell(std::u16string_view cell) {
    if (!cell.empty()) {
        if (options::DapodikChosen(form_)) {
            sendKeys(u"{RIGHT}");
            sendKeys(u"{ENTER}");
            keys::SendLiteralText(platform_, cell);
            sendKeys(u"{ENTER}");
        } else {
            keys::SendLiteralText(platform_, cell);
        }
        progress::AdvanceCurrentCount(form_, platform_);
    } else if (options::DapodikChosen(form_)) {
        // An empty cell still moves one field over, as a value's own "{RIGHT}" does, so
        // the later values of the row stay in their columns.
        sendKeys(u"{RIGHT}");
    }
    pauseAndCount(progress::kShortPause);
    if (!options::DapodikChosen(form_)) sendKeys(u"{Tab}");
}

void TypingLoop::endRow() {
    pauseAndCount(progress::kShortPause);
    if (options::DapodikChosen(form_)) {
        sendKeys(u"{RIGHT}");
        sendKeys(u"{RIGHT}");
    }
}

void TypingLoop::sendKeys(std::u16string_view keys) { keys::SendKeyString(platform_, keys); }

// Every pause of the loop counts into the elapsed time with its own length, as the
// estimate counted it, so the remaining time shown is the time the run still takes.
void TypingLoop::pauseAndCount(double baseSeconds) {
    PauseForSpeed(platform_, form_, static_cast<float>(baseSeconds));
    progress::TambahWaktuSaatIni(form_, platform_, baseSeconds);
}

}  // namespace tamvera::run
