// The run's pace: longer pauses where a page lost keys, back to the chosen speed after
// values that land, never faster than the chosen speed.
#include <gtest/gtest.h>

#include "form/FormModel.h"
#include "run/Pace.h"

using namespace tamvera;
using run::Wait;

namespace {

// At "Sedang": losses after a stored value grow the wait before the navigation key step
// by step and leave the wait before a value's characters alone; values that land ease it
// back, never below the chosen speed, until it is exactly the chosen speed's again.
TEST(Pace, GrowsOnLossesAndEasesBackToTheChosenSpeed) {
    form::FormModel form;
    form.Btn_Cepat.setBtnStyle(0);
    form.Btn_Sedang.setBtnStyle(2);
    run::Pace pace(form);
    const float chosen = pace.seconds(Wait::AfterValue, 0.15);
    EXPECT_FLOAT_EQ(chosen, 0.3f);

    float before = chosen;
    for (int loss = 0; loss < 4; ++loss) {
        pace.navigationLost();
        EXPECT_GT(pace.seconds(Wait::AfterValue, 0.15), before) << loss;
        before = pace.seconds(Wait::AfterValue, 0.15);
    }
    EXPECT_EQ(pace.seconds(Wait::BeforeValue, 0), 0.0f);
    EXPECT_EQ(pace.seconds(Wait::Step, 0.1), 0.2f);
    EXPECT_NEAR(pace.extraPerValue(), before - chosen, 1e-6);

    int landed = 0;
    while (pace.seconds(Wait::AfterValue, 0.15) > chosen && landed < 1000) {
        pace.valueLanded();
        ++landed;
        EXPECT_LE(pace.seconds(Wait::AfterValue, 0.15), before);
        EXPECT_GE(pace.seconds(Wait::AfterValue, 0.15), chosen);
        before = pace.seconds(Wait::AfterValue, 0.15);
    }
    EXPECT_EQ(pace.seconds(Wait::AfterValue, 0.15), chosen);
    EXPECT_EQ(pace.extraPerValue(), 0.0);
    EXPECT_GT(landed, 8);
}

// An easing that loses again goes back to the length that landed, and the next easing
// waits twice as long; the wait before a value's characters learns on its own.
TEST(Pace, AnEasingThatLosesGoesBackToWhatLanded) {
    form::FormModel form;
    form.Btn_Cepat.setBtnStyle(2);
    run::Pace pace(form);
    for (int loss = 0; loss < 3; ++loss) pace.valueLost();
    const double learnt = pace.extra(Wait::BeforeValue);
    EXPECT_EQ(pace.extra(Wait::AfterValue), 0.0);

    int landed = 0;
    while (pace.extra(Wait::BeforeValue) == learnt) pace.valueLanded(), ++landed;
    EXPECT_LT(pace.extra(Wait::BeforeValue), learnt);
    pace.valueLost();
    EXPECT_EQ(pace.extra(Wait::BeforeValue), learnt);

    int landedAgain = 0;
    while (pace.extra(Wait::BeforeValue) == learnt) pace.valueLanded(), ++landedAgain;
    EXPECT_EQ(landedAgain, 2 * landed);
    // A loss at the length that landed: the page got slower, and the wait grows.
    pace.valueLost();
    pace.valueLost();
    EXPECT_GT(pace.extra(Wait::BeforeValue), learnt);
}

}  // namespace
