#include "core/FieldFaults.h"

#include <algorithm>
#include <utility>

namespace tamvera::practice {

// Each delay draws from a stream of its own, so the focus's delays stay the same
// whether or not the stored values are delayed too.
FieldFaults::FieldFaults(FaultOptions options)
    : options_(std::move(options)), focusLengths_(options_.seed, 1), storeLengths_(options_.seed, 2) {}

void FieldFaults::focusArrived(FieldPlace field, Millis now) {
    if (options_.focusDelay.any()) afterFocus_ = Busy{field, now + focusLengths_.next(options_.focusDelay)};
}

void FieldFaults::valueStored(FieldPlace field, Millis now) {
    if (!options_.storeDelay.any()) return;
    std::erase_if(afterStore_, [&](const Busy& busy) { return busy.until <= now || busy.field == field; });
    afterStore_.push_back(Busy{field, now + storeLengths_.next(options_.storeDelay)});
}

bool FieldFaults::refuses(FieldPlace field) const {
    return std::find(options_.refused.begin(), options_.refused.end(), field) != options_.refused.end();
}

bool FieldFaults::losesCharacter(FieldPlace field, Millis now) const {
    return refuses(field) || afterFocus_.covers(field, now) ||
           std::any_of(afterStore_.begin(), afterStore_.end(), [&](const Busy& busy) { return busy.covers(field, now); });
}

bool FieldFaults::losesNavigation() {
    if (options_.loseEveryNthNavigation < 2) return false;
    ++navigationKeys_;
    return navigationKeys_ % static_cast<std::uint64_t>(options_.loseEveryNthNavigation) == 0;
}

std::optional<Millis> FieldFaults::stallAfter(std::uint64_t changes) {
    if (stalled_ || options_.stall.count() <= 0) return std::nullopt;
    if (changes < static_cast<std::uint64_t>(options_.stallAfterChanges)) return std::nullopt;
    stalled_ = true;
    return options_.stall;
}

}  // namespace tamvera::practice
