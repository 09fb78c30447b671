#include "run/Pace.h"

#include <algorithm>

#include "run/Pause.h"

namespace tamvera::run {

namespace {
// Losses in a row grow their wait by half and a step each: a few reach a page's pace,
// whether it takes a tenth of a second or a whole one. A loss after values that landed
// may be a moment's delay (a browser's keys arrive unevenly): a quarter more.
constexpr double kGrowStep = 0.05;
constexpr double kGrowFactor = 1.5;
constexpr double kNudgeFactor = 1.25;
constexpr double kMostExtra = 5.0;
// After this many values in a row that land, a wait eases by a tenth; an easing that
// loses again goes back to the length that landed and waits twice as long before the
// next one, so a page that keeps its pace costs few losses to probe.
constexpr int kFirstEaseAfter = 8;
constexpr int kLongestEaseAfter = 128;
constexpr double kEaseFactor = 0.9;
// Below this the chosen speed's own pause is enough again.
constexpr double kLeastExtra = kGrowStep / 2;
}  // namespace

float Pace::seconds(Wait wait, double baseSeconds) const {
    return static_cast<float>(SecondsForSpeed(form_, static_cast<float>(baseSeconds)) + extra(wait));
}

double Pace::extra(Wait wait) const {
    switch (wait) {
    case Wait::BeforeValue: return before_.extra;
    case Wait::AfterValue: return after_.extra;
    case Wait::Step: break;
    }
    return 0;
}

void Pace::valueLanded() {
    before_.landed();
    after_.landed();
}

void Pace::Stretch::lost() {
    const bool inARow = lostLast || extra == 0;
    lostLast = true;
    landedInRow = 0;
    if (knownGood > extra) {
        // The easing went too far: back to what landed, and longer before trying again.
        extra = knownGood;
        easeAfter = std::min(easeAfter * 2, kLongestEaseAfter);
        return;
    }
    // The page is slower than it was: grow, and forget what landed before.
    extra = std::min(inARow ? extra * kGrowFactor + kGrowStep : extra * kNudgeFactor, kMostExtra);
    knownGood = 0;
    easeAfter = kFirstEaseAfter;
}

void Pace::Stretch::landed() {
    lostLast = false;
    if (extra == 0 || ++landedInRow < easeAfter) return;
    landedInRow = 0;
    knownGood = extra;
    extra *= kEaseFactor;
    if (extra < kLeastExtra) extra = 0, knownGood = 0;
}

}  // namespace tamvera::run
