// The record buffer: 512 records to start, 511 more between tokens when 25 or fewer are
// free, and a single token that needs more than is free fails the whole call.
#include <gtest/gtest.h>

#include "KeysTestSupport.h"
#include "platform/Failure.h"

using namespace keys_test;
using tamvera::keys::SendKeyString;
using tamvera::keys::SendLiteralText;

namespace {

using RecordLimits = KeysTest;

TEST_F(RecordLimits, ARepeatedKeyFitsUpTo512Records) {
    SendKeyString(fake, u"{TAB 200}");
    ASSERT_EQ(fake.sentInputs.size(), 1u);
    EXPECT_EQ(fake.sentInputs[0].size(), 400u);
    EXPECT_EQ(keys(u"{TAB 256}").size(), 512u);
    EXPECT_THROW(keys(u"{TAB 257}"), tamvera::Failure);
    EXPECT_THROW(SendKeyString(fake, u"{TAB 300}"), tamvera::Failure);
    EXPECT_EQ(fake.sentInputs.size(), 1u);  // nothing of the failed call was sent
}

TEST_F(RecordLimits, AStringOfShortTokensOfAnyLengthIsSentWholeInOneCall) {
    std::u16string grades;
    while (grades.size() < 10000) grades += u"85{TAB}7+a~";
    SendKeyString(fake, grades);
    ASSERT_EQ(fake.sentInputs.size(), 1u);
    std::string expected;
    for (std::size_t i = 0; i < grades.size() / 11; ++i) expected += "85{TAB}7A{ENTER}";
    EXPECT_EQ(tamvera::testing::describeRecords(fake.sentInputs[0]), expected);
}

TEST_F(RecordLimits, TheBufferGrowsOnlyBetweenTokensWhen25OrFewerAreFree) {
    const std::u16string a243(243, u'a');  // 486 records: 26 free, no growth yet
    EXPECT_EQ(keys(a243 + u"(" + std::u16string(13, u'b') + u")").size(), 512u);
    EXPECT_THROW(keys(a243 + u"(" + std::u16string(14, u'b') + u")"), tamvera::Failure);
    // One more letter leaves 24 free: the buffer grows by 511 before the group.
    const std::u16string a244(244, u'a');
    EXPECT_EQ(keys(a244 + u"(" + std::u16string(267, u'b') + u")").size(), 1022u);  // 1 free of 1023
    EXPECT_THROW(keys(a244 + u"(" + std::u16string(268, u'b') + u")"), tamvera::Failure);
    // Exactly 25 free grows too: 499 letters fill 998 of 1023, so a group of 26 records fits.
    EXPECT_EQ(keys(std::u16string(499, u'a') + u"(" + std::u16string(13, u'b') + u")").size(), 1024u);
}

TEST_F(RecordLimits, ALongGroupOrDeepNestingFails) {
    EXPECT_EQ(keys(u"(" + std::u16string(256, u'x') + u")").size(), 512u);
    EXPECT_THROW(keys(u"(" + std::u16string(257, u'x') + u")"), tamvera::Failure);
    EXPECT_THROW(keys(std::u16string(100000, u'+') + u"a"), tamvera::Failure);
}

TEST_F(RecordLimits, LiteralTextOfAnyLengthGoesInOneCall) {
    std::u16string text;
    while (text.size() < 10000) text += u"B+ 85% {x}~(";
    SendLiteralText(fake, text);
    ASSERT_EQ(fake.sentInputs.size(), 1u);
    EXPECT_EQ(tamvera::testing::describeRecords(fake.sentInputs[0]), tamvera::utf8(text));
    // Eight records a character: Shift and the AltGr pair around every key.
    fake.setKey('@', 0x751);
    EXPECT_EQ(literal(std::u16string(3000, u'@')).size(), 24000u);
}

}  // namespace
