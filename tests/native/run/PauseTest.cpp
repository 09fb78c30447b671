// Waiting on the seconds-since-midnight clock.
#include <gtest/gtest.h>

#include "form/FormModel.h"
#include "run/Pause.h"
#include "support/FakePlatform.h"

using namespace tamvera;

namespace {

struct LimitReached {};

class PauseTest : public ::testing::Test {
protected:
    tamvera::testing::FakePlatform fake;
    form::FormModel form;

    // Waits and returns how long it took on the test clock (across midnight too).
    double timed(float seconds, bool forSpeed = false) {
        const double before = fake.clock;
        const long waitsBefore = fake.waitCalls;
        if (forSpeed)
            run::PauseForSpeed(fake, form, seconds);
        else
            run::Pause(fake, seconds);
        double after = fake.clock;
        if (after < before) after += 86400.0;
        lastWaits = fake.waitCalls - waitsBefore;
        return after - before;
    }
    long lastWaits = 0;
};

TEST_F(PauseTest, EveryPassHandlesMessagesThenWaitsUntilTheEnd) {
    fake.clock = 1000.0;
    // One long wait to just short of the end (whole milliseconds, rounded down), then
    // short ones until the clock reaches it: never early, never a pass per millisecond.
    EXPECT_NEAR(timed(0.1f), 0.1, 0.0015);
    EXPECT_LE(lastWaits, 3);
    EXPECT_EQ(fake.processMessagesCalls, lastWaits + 1);
    EXPECT_NEAR(timed(2.0f), 2.0, 0.0015);
    // Zero and negative waits still handle the window's messages once, and end there.
    const long passes = fake.processMessagesCalls;
    EXPECT_EQ(timed(0.0f), 0.0);
    EXPECT_EQ(lastWaits, 0);
    timed(-5.0f);
    EXPECT_EQ(lastWaits, 0);
    EXPECT_EQ(fake.processMessagesCalls, passes + 2);
}

// A pause never ends before the clock shows its end (computed in single precision as the
// clock is read), and ends at most a millisecond after it.
TEST_F(PauseTest, APauseIsNeverShorterThanItsLengthOnTheClock) {
    for (const double start : {1000.0, 1000.0004, 43210.5}) {
        for (const float seconds : {0.1f, 0.15f, 0.45f, 2.0f}) {
            fake.clock = start;
            const float end = static_cast<float>(static_cast<float>(start) + seconds);
            run::Pause(fake, seconds);
            EXPECT_GE(fake.secondsSinceMidnight(), end) << start << " + " << seconds;
            EXPECT_LE(fake.clock - start, seconds + 0.0015);
        }
    }
}

TEST_F(PauseTest, SpeedFactorsAreThreeIndependentTests) {
    fake.clock = 1000.0;
    EXPECT_NEAR(timed(0.15f, true), 0.15, 0.0015);
    form.Btn_Cepat.setBtnStyle(0);
    form.Btn_Sedang.setBtnStyle(2);
    EXPECT_NEAR(timed(0.15f, true), 0.30, 0.0015);
    form.Btn_Sedang.setBtnStyle(0);
    form.Btn_Lambat.setBtnStyle(2);
    EXPECT_NEAR(timed(0.15f, true), 0.45, 0.0015);
    form.Btn_Lambat.setBtnStyle(0);
    EXPECT_NEAR(timed(0.1f, true), 0.1, 0.0015);  // none chosen: as given
    form.Btn_Sedang.setBtnStyle(2);
    form.Btn_Lambat.setBtnStyle(2);
    EXPECT_NEAR(timed(0.1f, true), 0.6, 0.0015);  // both: x2 then x3
}

TEST_F(PauseTest, AWaitAcrossMidnightEndsOnTime) {
    fake.clock = 86400.0 - 0.05;
    const double took = timed(0.1f);
    EXPECT_NEAR(took, 0.1, 0.008);  // single precision near 86400 resolves 1/128 s
    EXPECT_LT(fake.clock, 1.0);
}

// An end at 86400 lies beyond the clock's last value of the day. On a slow machine
// (20 ms per pass) the clock jumps from 86399.99 straight past midnight.
TEST_F(PauseTest, AWaitEndingInTheLastMomentsOfTheDayEndsWhenTheClockWraps) {
    fake.clock = 86399.95;
    int passes = 0;
    fake.onProcessMessages = [&] {
        if (++passes > 10000) throw LimitReached{};
        fake.advance(0.019);
    };
    EXPECT_NO_THROW(run::Pause(fake, 0.05f));
    EXPECT_LT(fake.clock, 1.0);
    EXPECT_LE(passes, 5);
}

// A message box held open over midnight during a wait that ends after midnight.
TEST_F(PauseTest, AWrapSeenLateIsStillAWrap) {
    fake.clock = 86399.9;
    bool held = false;
    fake.onProcessMessages = [&] {
        if (!held) {
            held = true;
            fake.advance(5.0);  // now 4.9 s after midnight
        }
    };
    const double took = timed(0.5f);
    EXPECT_NEAR(took, 5.0, 0.002);
}

}  // namespace
