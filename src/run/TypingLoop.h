// The typing loop: reads the hand-off file row by row and types every value into the
// target window, moving between fields with navigation keys chosen by entry mode and
// target, pausing between keys and advancing the progress holders.
#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "run/FormModel.h"

namespace tamvera::run {

class TypingLoop {
public:
    TypingLoop(FormModel& form, Platform& platform, std::u16string_view handOffPath)
        : form_(form), platform_(platform), path_(handOffPath) {}

    // Counts and estimates, then types every row. Returns normally at the end of the
    // file and after an abort on the error flag (which it reports and clears); any
    // failure passes up. The flag is tested before the entry key and before each row.
    void IsiNilai();

private:
    // Reports a raised error flag: focus back to the main window, the apology, flag
    // cleared. True when the run must stop.
    bool abortOnErrorFlag();
    void typeChoiceCell(std::u16string_view cell);
    void typeFillInCell(std::u16string_view cell);
    void endRow();
    void sendKeys(std::u16string_view keys);
    void pauseAndCount(double baseSeconds);

    FormModel& form_;
    Platform& platform_;
    std::u16string path_;
};

}  // namespace tamvera::run
