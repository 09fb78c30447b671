#include <gtest/gtest.h>

#include "platform/Text.h"

using tamvera::utf16;
using tamvera::utf8;

TEST(Text, RoundTripsAsciiLatinAndAstralCharacters) {
    for (const char* s : {"", "85", "é", "€", "Nilai: 9\t10\r\n", "\xF0\x9F\x98\x80"}) {
        EXPECT_EQ(utf8(utf16(s)), s) << s;
    }
    EXPECT_EQ(utf16("\xE2\x82\xAC"), std::u16string(1, u'\u20AC'));
    EXPECT_EQ(utf16("\xF0\x9F\x98\x80").size(), 2u);  // a surrogate pair
}

TEST(Text, BrokenInputBecomesReplacementCharacters) {
    EXPECT_EQ(utf16("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(utf16("\xE2\x82"), u"\uFFFD\uFFFD");   // cut short
    EXPECT_EQ(utf16("\xC0\xAF"), u"\uFFFD\uFFFD");   // overlong
    EXPECT_EQ(utf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");  // lone surrogate
}
