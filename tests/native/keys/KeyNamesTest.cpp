#include <gtest/gtest.h>

#include "keys/KeyNames.h"

using tamvera::keys::lookUpKeyName;

TEST(KeyNames, EveryNameHasItsCodeAndExtendedFlag) {
    const struct {
        const char16_t* name;
        unsigned code;
        bool extended;
    } table[] = {
        {u"BACKSPACE", 0x08, false}, {u"BS", 0x08, false},       {u"BKSP", 0x08, false},
        {u"BREAK", 0x13, true},      {u"PAUSE", 0x13, false},    {u"CAPSLOCK", 0x14, false},
        {u"DELETE", 0x2E, true},     {u"DEL", 0x2E, true},       {u"DOWN", 0x28, true},
        {u"END", 0x23, true},        {u"ENTER", 0x0D, false},    {u"ESC", 0x1B, false},
        {u"HELP", 0x2F, false},      {u"HOME", 0x24, true},      {u"INS", 0x2D, true},
        {u"INSERT", 0x2D, true},     {u"LEFT", 0x25, true},      {u"NUMLOCK", 0x90, true},
        {u"PGDN", 0x22, true},       {u"PGUP", 0x21, true},      {u"PRINT", 0x2A, true},
        {u"PRTSC", 0x2C, true},      {u"PRTSCN", 0x2C, true},    {u"PRINTSCRN", 0x2C, true},
        {u"PRINTSCREEN", 0x2C, true},{u"RIGHT", 0x27, true},     {u"SCROLLLOCK", 0x91, false},
        {u"SELECT", 0x29, false},    {u"TAB", 0x09, false},      {u"UP", 0x26, true},
        {u"F1", 0x70, false},        {u"F9", 0x78, false},       {u"F10", 0x79, false},
        {u"F16", 0x7F, false},
    };
    for (const auto& k : table) {
        const auto key = lookUpKeyName(k.name);
        EXPECT_TRUE(key.found);
        EXPECT_EQ(key.code, k.code);
        EXPECT_EQ(key.extended, k.extended);
    }
    for (int n = 1; n <= 16; ++n) {
        std::u16string name = u"f" + std::u16string(n >= 10 ? u"1" : u"") + char16_t(u'0' + n % 10);
        EXPECT_EQ(lookUpKeyName(name).code, 0x6F + n);
    }
}

TEST(KeyNames, AreComparedWithoutRegardToCase) {
    EXPECT_EQ(lookUpKeyName(u"enter").code, 0x0D);
    EXPECT_EQ(lookUpKeyName(u"Tab").code, 0x09);
    EXPECT_TRUE(lookUpKeyName(u"pGdN").extended);
}

TEST(KeyNames, UnknownNamesGiveCodeZeroAndNotExtended) {
    for (const char16_t* name : {u"", u"FOO", u"F0", u"F17", u"WIN", u"ADD", u"ENTER ", u"ab", u"\u00E9"}) {
        const auto key = lookUpKeyName(name);
        EXPECT_FALSE(key.found);
        EXPECT_EQ(key.code, 0);
        EXPECT_FALSE(key.extended);
    }
}
