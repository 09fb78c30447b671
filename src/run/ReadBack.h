// Reads the report application's focused field back inside the pauses a run makes anyway:
// a read is started so that its answer is in when the pause ends, so a value confirmed at
// its first read costs no time.
#pragma once

#include <deque>
#include <optional>

#include "platform/Platform.h"

namespace tamvera::run {

class ReadBack {
public:
    explicit ReadBack(Platform& platform) : platform_(platform) {}

    // The start's wait, with one read asked at its beginning: a browser builds its
    // accessibility tree at the first request, so the first values are read from a ready
    // tree. A target that does not answer it is silent from the first key. Its reading
    // (unanswered when none came).
    FieldReading startWait(float seconds);
    // Waits `seconds` as Pause does, with a read that ends with the pause; its reading
    // (unanswered when the read could not start). While the target answers, a late
    // answer is waited for a little past the pause; once a read went unanswered, none is:
    // the pause ends on time and a read not in by then says nothing.
    FieldReading pauseAndRead(float seconds);
    // The last reads got no answer in time (or none could start): the run waits for no
    // answer and asks nothing again until a read answers within its pause.
    bool silent() const;
    // The last read got no answer in time.
    bool missed() const { return unanswered_ > 0; }

    int reads() const { return reads_; }
    double readSeconds() const { return readSeconds_; }

private:
    // How long before a pause's end a read starts: the dearest of the recent reads and a
    // little more, at most half the pause (the keys before it must have landed).
    float lead(float pauseSeconds) const;
    // Waits up to `waitSeconds` for the outstanding read's answer; the platform gives a hung
    // target up after `giveUpSeconds` from the read's start. Nothing when no answer came
    // in time.
    std::optional<FieldReading> collect(double waitSeconds, double giveUpSeconds);
    // The answer if it is in already; otherwise the read is given up.
    std::optional<FieldReading> takeIfIn();
    static std::optional<FieldReading> inTime(const FieldReading& r, double giveUpSeconds);
    void note(const FieldReading& r);
    // Starts a read as soon as the reader is free, within `seconds`.
    bool beginWithin(double seconds);

    Platform& platform_;
    std::deque<double> recentCosts_;
    int unanswered_ = 0;  // reads in a row without an answer in time
    int reads_ = 0;
    double readSeconds_ = 0;
};

}  // namespace tamvera::run
