// Reads the foreground window's focused field through Microsoft Active Accessibility,
// the interface screen readers use, on a thread of its own: WM_GETOBJECT is a message to
// the other program, and a program that hangs must never hang Tamvera. A read that has
// not answered within its time is given up. A thread still held by such a read is left
// to it and the next read gets a new thread, a few times in the program's life, so that
// one hang does not end the reading of every later run.
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
    // Signalled when a read ends, so that a wait for window messages also ends then;
    // nullptr while no read is outstanding.
    HANDLE outstandingEvent() const;

    struct State;

private:
    bool heldByGivenUpRead() const;
    void leaveThreadToIt();

    std::shared_ptr<State> state_;
    int spareThreads_ = 3;
};

}  // namespace tamvera
