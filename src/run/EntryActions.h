// The actions a repair's steps take: reads of the focused field, and keys through the
// typing loop's outlet, each with the pauses the chosen speed and the page's pace call for.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

#include "form/FormModel.h"
#include "platform/Platform.h"
#include "run/FormKeys.h"
#include "run/Observation.h"
#include "run/Pace.h"
#include "run/ReadBack.h"

namespace tamvera::run {

// A value and its place in the pasted list.
struct CellPlace {
    std::size_t row = 0, column = 0;
    std::u16string_view value;
};

// The ways keys leave the run: the typing loop's guarded sends.
struct KeyOutlet {
    std::function<void(std::u16string_view)> keys;
    std::function<void(std::u16string_view)> literal;
};

class EntryActions {
public:
    EntryActions(Platform& platform, const form::FormModel& form);
    void connect(KeyOutlet outlet, Pace& pace) {
        outlet_ = std::move(outlet);
        pace_ = &pace;
    }
    ReadBack& readBack() { return readBack_; }
    const ReadBack& readBack() const { return readBack_; }
    Pace& pace() { return *pace_; }

    // Reads again `times` at most while the read shows no form of the value and the target answers.
    FieldReading readAgain(FieldReading r, std::u16string_view value, int times);
    // Looks again while the read names the field just left, unchanged.
    FieldReading awaitFocusLeaving(FieldReading r, const RunMemory& memory);
    // The value typed again (`attempt` speeds slower; a choice's attempt 0 from its button).
    FieldReading retype(EntryKind kind, std::u16string_view value, int attempt, double busySeconds = 0);
    FieldReading retypeUntilHeld(FieldReading r, EntryKind kind, std::u16string_view value);
    FieldReading restoreValueBefore(FieldReading r, EntryKind kind, std::u16string_view value);
    // The focus moved on from `leaving`: the arriving read, or nothing when it never left.
    std::optional<FieldReading> moveOn(const FieldIdentity& leaving, EntryKind kind, bool sendFirst,
                                       const RunMemory& memory);
    void pauseBeforeCharacters();

private:
    void sendNavigationAgain(Passage& passage, EntryKind kind, const RunMemory& memory);
    FieldIdentity closeCellEditor(const FieldIdentity& from, const RunMemory& memory);
    float shortPause(int slower = 0) const;
    float afterStore(double baseSeconds, int slower) const;
    void pauseAfterStore();
    void pauseFor(double seconds);

    Platform& platform_;
    const form::FormModel& form_;
    ReadBack readBack_;
    KeyOutlet outlet_;
    Pace ownPace_;  // until a typing loop connects its own
    Pace* pace_ = &ownPace_;
};

}  // namespace tamvera::run
