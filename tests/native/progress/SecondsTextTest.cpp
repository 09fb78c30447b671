// The number text of the value holders: 15 significant digits, plain decimal, the
// user's separator, and an exact round trip.
#include <gtest/gtest.h>

#include "platform/Failure.h"
#include "platform/Text.h"
#include "progress/SecondsText.h"

using tamvera::Failure;
using tamvera::utf8;
using tamvera::progress::FormatSeconds;
using tamvera::progress::ParseSeconds;

namespace {
std::string format(double v, char16_t sep = u'.') { return utf8(FormatSeconds(v, sep)); }
}  // namespace

TEST(SecondsText, RoundsToFifteenDigitsWithoutExponentGroupingOrTrailingZeros) {
    EXPECT_EQ(format(0), "0");
    EXPECT_EQ(format(-0.0), "0");
    EXPECT_EQ(format(7), "7");
    EXPECT_EQ(format(32766), "32766");
    EXPECT_EQ(format(0.1 + 0.2), "0.3");
    EXPECT_EQ(format(0.30000000000000004), "0.3");
    EXPECT_EQ(format(2.5), "2.5");
    EXPECT_EQ(format(-1.25), "-1.25");
    EXPECT_EQ(format(123456789012345678.0), "123456789012346000");
    EXPECT_EQ(format(1e20), "100000000000000000000");
    EXPECT_EQ(format(0.000001234), "0.000001234");
    EXPECT_EQ(format(1e-20), "0.00000000000000000001");
    EXPECT_EQ(format(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(format(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(format(1234567.5, u','), "1234567,5");
}

TEST(SecondsText, RepeatedStepsStayOnTheNearestTenth) {
    for (char16_t sep : {u'.', u','}) {
        std::u16string text = u"0";
        for (int i = 0; i < 10; ++i) text = FormatSeconds(ParseSeconds(text, sep) + 0.1, sep);
        EXPECT_EQ(utf8(text), "1");
        for (int i = 0; i < 10000; ++i) text = FormatSeconds(ParseSeconds(text, sep) + 0.30000000000000004, sep);
        EXPECT_EQ(ParseSeconds(text, sep), 3001.0);
    }
}

TEST(SecondsText, ReadsBackExactlyWhatItWrites) {
    const double values[] = {0.1, 0.2, 0.3, 1.2, 19.9, 60.099999999999994, 65.3, 3599.4, 1e-7, 98765.4321, -0.7};
    for (char16_t sep : {u'.', u','}) {
        for (double v : values) {
            const std::u16string text = FormatSeconds(v, sep);
            EXPECT_EQ(FormatSeconds(ParseSeconds(text, sep), sep), text) << utf8(text);
        }
    }
    EXPECT_EQ(ParseSeconds(u"1,2", u','), 1.2);
    EXPECT_EQ(ParseSeconds(u"-3.5", u'.'), -3.5);
}

TEST(SecondsText, TextThatIsNotANumberFails) {
    for (const char16_t* bad : {u"", u"-", u"abc", u"1.2.3", u"1.", u".5", u" 1", u"1 ", u"1e3", u"--1", u"1-", u"N/A"})
        EXPECT_THROW(ParseSeconds(bad, u'.'), Failure) << utf8(bad);
    // The other separator is not the user's.
    EXPECT_THROW(ParseSeconds(u"1,5", u'.'), Failure);
    EXPECT_THROW(ParseSeconds(u"1.5", u','), Failure);
    // Beyond double range.
    EXPECT_THROW(ParseSeconds(std::u16string(400, u'9'), u'.'), Failure);
}
