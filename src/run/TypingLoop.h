// The typing loop: reads the hand-off file row by row and types every value into the
// target window, moving between fields with navigation keys chosen by entry mode and
// target, pausing between keys and advancing the progress holders.
#pragma once

#include <string>
#include <string_view>

#include "form/FormModel.h"
#include "platform/Platform.h"
#include "run/Pace.h"
#include "run/StopPlace.h"
#include "run/VerifiedEntry.h"

namespace tamvera::run {

class TypingLoop {
public:
    // With `check`, every value is read back after its keys (verified entry); without,
    // the run types blind. `position` follows the values typed. A run that goes on
    // (`goOn`) starts at the value after `position`'s last typed one, with no entry key:
    // from there its keys and pauses are those of a whole run.
    TypingLoop(form::FormModel& form, Platform& platform, std::u16string_view handOffPath, RunPosition& position,
               VerifiedEntry* check = nullptr, bool goOn = false);

    // Counts and estimates, then types every row. Returns normally at the end of the
    // file and after an abort on the error flag (which it reports and clears); any
    // failure passes up. The flag is tested before the entry key and before each row,
    // and with a watched target the foreground window before every key string: a
    // foreign window in front raises the flag and ends the run before that key.
    void IsiNilai();
    // True once the run was stopped with the apology.
    bool stopped() const { return stopped_; }

private:
    void typeRows();
    // Reports a raised error flag: focus back to the main window, the apology, flag
    // cleared. True when the run must stop.
    bool abortOnErrorFlag();
    void waitForClickRelease();
    void typeChoiceCell(std::u16string_view cell);
    void typeFillInCell(std::u16string_view cell);
    // A value's keys; once they all went out, it counts as typed.
    void sendValueKeys(EntryKind kind, std::u16string_view cell);
    // The pause before a value's characters: none at the chosen speed in a typed form,
    // longer where the page was not ready for them.
    void pauseBeforeValue(double baseSeconds = 0);
    // The pause after a value's keys: read back and settled when the run verifies.
    void pauseAfterValue(double baseSeconds, EntryKind kind, std::u16string_view cell);
    void pauseOverEmptyCell(double baseSeconds, EntryKind kind);
    // The estimate follows the pace: the values still to come get its pauses.
    void followPace();
    bool verifying() const { return check_ && check_->reading(); }
    void endRow();
    // Every key of the run leaves through these two, each after the foreground test.
    void sendKeys(std::u16string_view keys);
    void sendLiteral(std::u16string_view text);
    void stopUnlessTargetInFront();
    void pauseAndCount(double baseSeconds, Wait wait = Wait::Step);

    form::FormModel& form_;
    Platform& platform_;
    std::u16string path_;
    RunPosition& position_;
    VerifiedEntry* check_;
    Pace pace_;
    double estimatedExtra_ = 0;  // the pace's extra per value the estimate counts
    std::size_t row_ = 0, column_ = 0;  // the cell being typed, counted from 1
    std::size_t valueNumber_ = 0;       // its value's number in list order
    std::size_t typedBefore_ = 0;       // the values typed before this run started
    bool stopped_ = false;
};

}  // namespace tamvera::run
