// Reads the report application's focused field back inside the pauses a run makes anyway:
// a read is started so that its answer is in when the pause ends, so a value confirmed at
// its first read costs no time.
#pragma once

#include <deque>

#include "platform/Platform.h"

namespace tamvera::run {

class ReadBack {
public:
    explicit ReadBack(Platform& platform) : platform_(platform) {}

    // The start's wait, with one read asked at its beginning: a browser builds its
    // accessibility tree at the first request, so the first values are read from a ready
    // tree. False when this system has no reader (the wait is made all the same).
    bool startWait(float seconds);
    // Waits `seconds` as Pause does, with a read that ends with the pause; its reading
    // (unanswered when the read could not start).
    FieldReading pauseAndRead(float seconds);

    int reads() const { return reads_; }
    double readSeconds() const { return readSeconds_; }

private:
    // How long before a pause's end a read starts: the dearest of the recent reads and a
    // little more, at most half the pause (the keys before it must have landed).
    float lead(float pauseSeconds) const;
    // Waits for the outstanding read's answer; the platform gives a hung target up after
    // `giveUpSeconds` from the read's start.
    FieldReading collect(double giveUpSeconds);

    Platform& platform_;
    std::deque<double> recentCosts_;
    int reads_ = 0;
    double readSeconds_ = 0;
};

}  // namespace tamvera::run
