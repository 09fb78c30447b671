// The test double is the yardstick of every native test: its layout, code page and
// record rendering must themselves be right.
#include <gtest/gtest.h>

#include "support/FakePlatform.h"

using namespace tamvera;
using tamvera::testing::describeRecords;
using tamvera::testing::FakePlatform;

TEST(FakePlatform, AnswersLikeAUsLayout) {
    FakePlatform p;
    EXPECT_EQ(p.vkKeyScan('8'), 0x38);
    EXPECT_EQ(p.vkKeyScan('A'), 0x141);
    EXPECT_EQ(p.vkKeyScan('+'), 0x1BB);
    EXPECT_EQ(p.vkKeyScan('~'), 0x1C0);
    EXPECT_EQ(p.vkKeyScan('{'), 0x1DB);
    EXPECT_EQ(p.vkKeyScan(0xE9), -1);  // é has no key
    EXPECT_EQ(p.mapVirtualKey(0x09, p.keyboardLayout()), 0x0Fu);
    EXPECT_EQ(p.mapVirtualKey(0x41, p.keyboardLayout()), 0x1Eu);
}

TEST(FakePlatform, ConvertsWindows1252BothWays) {
    FakePlatform p;
    AnsiText a = p.toAnsi(u"85 é €");
    EXPECT_EQ(a.bytes, "85 \xE9 \x80");
    EXPECT_TRUE(a.exact);
    a = p.toAnsi(u"\u015F\u4E2D");  // ş and a CJK character: not in the code page
    EXPECT_EQ(a.bytes, "??");
    EXPECT_FALSE(a.exact);
    EXPECT_EQ(p.fromAnsi("\x80\xE9"), u"\u20AC\u00E9");
}

TEST(FakePlatform, RendersRecordsAsKeyText) {
    const std::vector<KeyRecord> recs = {
        {0x38, 0, 0}, {0x38, 9, 2},                                  // 8
        {0x10, 0, 0}, {0x41, 0, 0}, {0x41, 0x1E, 2}, {0x10, 0, 2},    // A
        {0x09, 0, 0}, {0x09, 0x0F, 2},                               // TAB
        {0x27, 0, 1}, {0x27, 0x4D, 2},                               // RIGHT
        {0, 0x20AC, 4}, {0, 0x20AC, 6},                              // €
    };
    EXPECT_EQ(describeRecords(recs), "8A{TAB}{RIGHT}\xE2\x82\xAC");
}

TEST(FakePlatform, FilesHonourFoldersAndCountOpenReaders) {
    FakePlatform p;
    EXPECT_TRUE(p.writeFile(u"C:\\Tamvera\\Engine.dll", "80\r\n"));
    EXPECT_FALSE(p.writeFile(u"C:\\Nowhere\\Engine.dll", "x"));
    p.readOnlyFolders.insert(u"C:\\Tamvera");
    EXPECT_FALSE(p.writeFile(u"C:\\Tamvera\\Engine.dll", "x"));
    {
        auto f = p.openForReading(u"C:\\Tamvera\\Engine.dll");
        ASSERT_TRUE(f);
        EXPECT_EQ(p.openFiles, 1);
        char buf[8];
        EXPECT_EQ(f->read(buf, 8), 4u);
        EXPECT_EQ(f->read(buf, 8), 0u);
    }
    EXPECT_EQ(p.openFiles, 0);
    EXPECT_EQ(p.openForReading(u"C:\\Tamvera\\missing"), nullptr);
}

TEST(FakePlatform, WaitingAdvancesTheClockAcrossMidnight) {
    FakePlatform p;
    p.clock = 86399.9995;
    p.waitForMessages(1);
    EXPECT_LT(p.secondsSinceMidnight(), 1.0f);
}
