// The faults a practice window can be asked to show, so that a typist that reads its
// fields back has something to find: a field that drops characters for a while after
// the focus reaches it or after its value was stored, a field that refuses every value,
// navigation keys that go missing, and a window that stops answering for a while.
// Each is a small rule of its own; the form asks them before it lets a key act.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/Lag.h"

namespace tamvera::practice {

// A grade field, 0-based among the grade fields only.
struct FieldPlace {
    int row = 0;
    int col = 0;
    bool operator==(const FieldPlace& other) const { return row == other.row && col == other.col; }
};

struct FaultOptions {
    Lag focusDelay;                    // characters lost this long after the focus arrives
    Lag storeDelay;                    // characters lost this long after the field's value was stored
    std::uint32_t seed = 1;            // for the lengths drawn from a delay's range
    std::vector<FieldPlace> refused;   // fields that take no value at all
    int loseEveryNthNavigation = 0;    // 0: none lost; N: the N-th, 2N-th, ... move is lost
    Millis stall{0};                   // 0: never; otherwise the window stops answering this long ...
    int stallAfterChanges = 3;         // ... once, after this many changes of the grade fields
};

class FieldFaults {
public:
    explicit FieldFaults(FaultOptions options);

    const FaultOptions& options() const { return options_; }

    void focusArrived(FieldPlace field, Millis now);
    void valueStored(FieldPlace field, Millis now);
    bool refuses(FieldPlace field) const;
    // Whether a character typed into the field at `now` is dropped.
    bool losesCharacter(FieldPlace field, Millis now) const;
    // Counts one navigation key; true when it is the one to lose.
    bool losesNavigation();
    // How long to stop answering once the changes have reached the count; once only.
    std::optional<Millis> stallAfter(std::uint64_t changes);

private:
    // A field busy until a moment: characters typed into it before then are lost.
    struct Busy {
        std::optional<FieldPlace> field;
        Millis until{0};
        bool covers(FieldPlace f, Millis now) const { return field && *field == f && now < until; }
    };

    FaultOptions options_;
    LagDraw focusLengths_;
    LagDraw storeLengths_;
    Busy afterFocus_;                 // the focus is in one field at a time
    std::vector<Busy> afterStore_;    // several fields may be saving at once
    std::uint64_t navigationKeys_ = 0;
    bool stalled_ = false;
};

}  // namespace tamvera::practice
