// The remaining-time and progress texts.
#include <gtest/gtest.h>

#include "platform/Text.h"
#include "progress/ProgressTexts.h"

using namespace tamvera;
using progress::RemainingTimeText;

namespace {
std::string remaining(double r) { return utf8(RemainingTimeText(r)); }
}  // namespace

TEST(RemainingTimeText, UnderAMinuteAtAMinuteAndAbove) {
    EXPECT_EQ(remaining(0), "0 Detik Lagi");
    EXPECT_EQ(remaining(0.4), "0 Detik Lagi");
    EXPECT_EQ(remaining(45.3), "45 Detik Lagi");
    EXPECT_EQ(remaining(59.4), "59 Detik Lagi");
    EXPECT_EQ(remaining(60), "1 Menit Lagi");
    EXPECT_EQ(remaining(125), "2 Menit 5 Detik Lagi");
    EXPECT_EQ(remaining(3599.4), "59 Menit 59 Detik Lagi");
}

TEST(RemainingTimeText, ExactlySixtyDependsOnTheDoublesNotTheirDecimals) {
    EXPECT_EQ(65.3 - 5.3, 60.0);
    EXPECT_EQ(remaining(65.3 - 5.3), "1 Menit Lagi");
    EXPECT_EQ(remaining(75.3 - 15.3), "1 Menit Lagi");
    EXPECT_EQ(remaining(65.3 - 5.2), "1 Menit 0 Detik Lagi");
    EXPECT_EQ(remaining(60.000000000001), "1 Menit 0 Detik Lagi");
}

TEST(RemainingTimeText, CornersFollowTheTimeOfDay) {
    // 59.5 up to 60: R is 60, which is 0 seconds past the minute.
    EXPECT_EQ(remaining(59.5), "0 Detik Lagi");
    EXPECT_EQ(remaining(59.99), "0 Detik Lagi");
    // Elapsed beyond the estimate: seconds of a time before midnight.
    EXPECT_EQ(remaining(-1), "59 Detik Lagi");
    EXPECT_EQ(remaining(-60.2), "0 Detik Lagi");
    EXPECT_EQ(remaining(-0.3), "0 Detik Lagi");
    // An hour or more: the hours are dropped.
    EXPECT_EQ(remaining(3725), "2 Menit 5 Detik Lagi");
    EXPECT_EQ(remaining(3600), "0 Menit 0 Detik Lagi");
    EXPECT_EQ(remaining(86400 * 3 + 61), "1 Menit 1 Detik Lagi");
}

TEST(RemainingTimeText, HalvesRoundToEven) {
    EXPECT_EQ(remaining(12.5), "12 Detik Lagi");
    EXPECT_EQ(remaining(13.5), "14 Detik Lagi");
    EXPECT_EQ(remaining(0.5), "0 Detik Lagi");
    EXPECT_EQ(remaining(1.5), "2 Detik Lagi");
    EXPECT_EQ(remaining(120.5), "2 Menit 0 Detik Lagi");
    EXPECT_EQ(remaining(-0.5), "0 Detik Lagi");
    EXPECT_EQ(remaining(-1.5), "58 Detik Lagi");
}

TEST(ProgressText, ShowsBothHolderTextsAsTheyStand) {
    EXPECT_EQ(utf8(progress::ProgressText(u"7", u"40")), "7 dari 40 Nilai");
    EXPECT_EQ(utf8(progress::ProgressText(u"0", u"0")), "0 dari 0 Nilai");
}
