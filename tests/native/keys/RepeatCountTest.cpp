#include <gtest/gtest.h>

#include <limits>

#include "keys/KeyStringParser.h"

using tamvera::keys::readRepeatCount;

TEST(RepeatCount, ReadsTheLeadingNumberAndRoundsHalvesToEven) {
    const struct {
        const char16_t* word;
        int count;
    } cases[] = {
        {u"3", 3},     {u"+4", 4},     {u"-2", -2},     {u"007", 7},      {u"3abc", 3},      {u"1e3", 1},
        {u"", 0},      {u"x", 0},      {u"-", 0},       {u".", 0},        {u"2.5", 2},       {u"3.5", 4},
        {u"0.5", 0},   {u"1.5", 2},    {u"-2.5", -2},   {u"-3.5", -4},    {u"2.49999", 2},   {u"2.500001", 3},
        {u"2.6", 3},   {u".7", 1},     {u"4.", 4},      {u"5.5.5", 6},    {u"2,5", 2},
    };
    for (const auto& c : cases) {
        const auto count = readRepeatCount(c.word);
        ASSERT_TRUE(count.has_value());
        EXPECT_EQ(*count, c.count);
    }
}

TEST(RepeatCount, IsEmptyWhenItDoesNotFitA32BitInteger) {
    EXPECT_EQ(readRepeatCount(u"2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(readRepeatCount(u"2147483647.4"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(readRepeatCount(u"-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_FALSE(readRepeatCount(u"2147483647.5"));
    EXPECT_FALSE(readRepeatCount(u"2147483648"));
    EXPECT_FALSE(readRepeatCount(u"-2147483649"));
    EXPECT_FALSE(readRepeatCount(u"99999999999999999999999999"));
}
