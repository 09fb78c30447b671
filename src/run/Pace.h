// The pace of a run: how long each of the typing loop's pauses lasts. The speed the
// teacher chose is the fastest pace and is never exceeded. Where the reads show that a
// page lost keys, the pause before the keys it lost grows, step by step, to what the page
// takes; after values that land at their first read it eases back towards the chosen
// speed. A run whose reads find nothing lost, or that reads nothing, keeps the chosen
// speed's pauses exactly.
#pragma once

#include "form/FormModel.h"

namespace tamvera::run {

// The pauses a slow page may need longer.
enum class Wait {
    Step,         // between the keys of one value, and at a row's end: the chosen speed's
    BeforeValue,  // after the key that reaches a field, before the value's characters
    AfterValue,   // after the key that stores a value, before the key that leaves its field
};

class Pace {
public:
    explicit Pace(const form::FormModel& form) : form_(form) {}

    // The length of a pause of `baseSeconds` at the chosen speed, with what the page has
    // lately needed on top.
    float seconds(Wait wait, double baseSeconds) const;
    // What the page has lately needed on top of the chosen speed at this wait.
    double extra(Wait wait) const;
    // Seconds a value's pauses now take beyond the chosen speed's.
    double extraPerValue() const { return before_.extra + after_.extra; }

    // What a value's reads found:
    // its characters were lost in its own field (the field was not ready for them yet);
    void valueLost() { before_.lost(); }
    // the key that should have left its field was lost (the field was busy with the value);
    void navigationLost() { after_.lost(); }
    // it was held at its first read.
    void valueLanded();
    // The losses of late were never mended by typing again: the chosen speed's pauses.
    void forget() { before_ = after_ = Stretch{}; }

private:
    // One wait's length beyond the chosen speed, learnt from the losses.
    struct Stretch {
        double extra = 0;
        double knownGood = 0;  // the length that last landed before an easing; 0: none
        int landedInRow = 0;
        int easeAfter = 0;     // landed values in a row before the next easing
        bool lostLast = false; // no value landed since the last loss
        void lost();
        void landed();
    };

    const form::FormModel& form_;
    Stretch before_, after_;
};

}  // namespace tamvera::run
