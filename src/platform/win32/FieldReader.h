// Reads the foreground window's focused field on a thread of its own: a read is a call
// into another program, and a program that hangs must never hang Tamvera, nor end its
// reading. A read that has not answered within its time is given up; the thread that
// makes it stays with the call until it returns and then serves reads again. Reads go
// out one at a time, so a read refuses to start while a late call is still out; a call
// held for seconds counts as hung, and the next read then gets another thread, up to a
// few alive at once. Whichever call comes back frees its thread.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "platform/Platform.h"

namespace tamvera {

class FieldReader {
public:
    FieldReader();
    ~FieldReader();
    FieldReader(const FieldReader&) = delete;
    FieldReader& operator=(const FieldReader&) = delete;

    bool begin(double giveUpSeconds);
    std::optional<FieldReading> result();
    // Gives the outstanding read up at once: its answer, if it ever comes, is dropped.
    void abandon();
    // Signalled when the outstanding read ends, so that a wait for window messages also
    // ends then; nullptr while no read is outstanding.
    HANDLE outstandingEvent() const;

    struct Read;
    struct Pool;

private:
    std::shared_ptr<Pool> pool_;
    std::shared_ptr<Read> outstanding_;
};

}  // namespace tamvera
