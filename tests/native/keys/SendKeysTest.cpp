// What each token of a key string and each character of a literal text becomes.
#include <gtest/gtest.h>

#include "KeysTestSupport.h"
#include "platform/Failure.h"

using namespace keys_test;

namespace {

constexpr std::uint16_t kTab = 0x09, kEnter = 0x0D, kRight = 0x27, kA = 0x41, kB = 0x42, kQ = 0x51;

using Tokens = KeysTest;
using Repeats = KeysTest;
using OddForms = KeysTest;
using Modifiers = KeysTest;
using CapsLock = KeysTest;
using AltGr = KeysTest;
using Unicode = KeysTest;
using Literal = KeysTest;
using Sending = KeysTest;

TEST_F(Tokens, EnterByNameInAnyCaseOrByTilde) {
    const auto enter = stroke(kEnter);
    EXPECT_EQ(enter, (std::vector<KeyRecord>{{kEnter, 0, 0}, {kEnter, 0x1C, KeyFlag::Up}}));
    EXPECT_EQ(keys(u"{ENTER}"), enter);
    EXPECT_EQ(keys(u"{enter}"), enter);
    EXPECT_EQ(keys(u"~"), enter);
    EXPECT_EQ(keys(u"(~)"), enter);  // inside a group too
    EXPECT_EQ(keys(u"{Tab}"), stroke(kTab));
}

TEST_F(Tokens, ExtendedKeysFlagOnlyTheirKeyDown) {
    EXPECT_EQ(keys(u"{RIGHT}"), (std::vector<KeyRecord>{{kRight, 0, KeyFlag::Extended}, {kRight, 0x4D, KeyFlag::Up}}));
    EXPECT_EQ(keys(u"{RIGHT 2}"), join({stroke(kRight, KeyFlag::Extended), stroke(kRight, KeyFlag::Extended)}));
    EXPECT_EQ(keys(u"{ENTER}")[0].flags, 0u);
}

TEST_F(Tokens, EachKindInOneString) {
    EXPECT_EQ(typed(u"8{TAB}+a(bc)~{DEL}"), "8{TAB}Abc{ENTER}{DEL}");
    EXPECT_EQ(typed(u"85"), "85");
    EXPECT_EQ(keys(u"85"), join({stroke('8'), stroke('5')}));
}

TEST_F(Tokens, TheLayoutIsReadOncePerCallAndUsedForEveryKeyUp) {
    struct CountingPlatform : tamvera::testing::FakePlatform {
        int layoutReads = 0;
        std::vector<std::uintptr_t> layoutsMapped;
        std::uintptr_t keyboardLayout() override {
            ++layoutReads;
            return 0x04070407;
        }
        unsigned mapVirtualKey(unsigned vk, std::uintptr_t hkl) override {
            layoutsMapped.push_back(hkl);
            return FakePlatform::mapVirtualKey(vk, hkl);
        }
    } platform;
    tamvera::keys::buildKeyString(platform, u"ab{TAB 3}(cd)");
    EXPECT_EQ(platform.layoutReads, 1);
    EXPECT_EQ(platform.layoutsMapped, std::vector<std::uintptr_t>(7, 0x04070407));
}

TEST_F(Repeats, CountsRoundHalvesToEvenAndBelowOneMeansOne) {
    const struct {
        const char16_t* keys;
        std::size_t tabs;
    } cases[] = {{u"{TAB 3}", 3},  {u"{TAB 0}", 1},   {u"{TAB -2}", 1},  {u"{TAB x}", 1},     {u"{TAB  3}", 1},
                 {u"{TAB 2.5}", 2}, {u"{TAB 3.5}", 4}, {u"{TAB 3x}", 3},  {u"{TAB 2 9}", 2},   {u"{tab 1.51}", 2},
                 {u"{TAB}", 1},    {u"{TAB }", 1},    {u"{TAB 256}", 256}};
    for (const auto& c : cases) {
        std::vector<KeyRecord> expected;
        for (std::size_t i = 0; i < c.tabs; ++i) expected.insert(expected.end(), {down(kTab), up(kTab)});
        EXPECT_EQ(keys(c.keys), expected) << tamvera::utf8(c.keys);
    }
}

TEST_F(Repeats, ACountBeyond32BitsFailsTheCall) {
    EXPECT_THROW(keys(u"a{TAB 2147483648}"), tamvera::Failure);
    EXPECT_THROW(keys(u"{TAB -99999999999}"), tamvera::Failure);
    // Fits 32 bits but not the buffer: fails at the first record that does not fit.
    EXPECT_THROW(keys(u"{TAB 2147483647}"), tamvera::Failure);
}

TEST_F(OddForms, UnclosedOpenersAreDroppedAndTheRestIsTyped) {
    const struct {
        const char16_t* keys;
        const char* typed;
    } cases[] = {
        {u"()", ")"},       {u"(ab", "ab"},     {u"{", ""},        {u"{}", "}"},      {u"{}ab}", "}"},
        {u"{{}", "{"},      {u"{}}", "}"},      {u"{~}", "~"},     {u"{+}", "+"},     {u"{^}", "^"},
        {u"{%}", "%"},      {u"{(}", "("},      {u"{)}", ")"},     {u"(a{b})", "a{b}"}, {u"(+^%{()", "+^%{("},
        {u"{FOO}", "F"},    {u"{ab 2}", "aa"},  {u"{ 2}", "  "},   {u"a)b}", "a)b}"},  {u"{ab", "ab"},
        {u"x(", "x"},       {u"({)}", "{}"},    {u"{a}b}", "ab}"},
    };
    for (const auto& c : cases) EXPECT_EQ(typed(c.keys), c.typed) << tamvera::utf8(c.keys);
}

TEST_F(OddForms, ABraceFallbackKeepsTheLayoutsShiftButNoExtendedFlag) {
    EXPECT_EQ(keys(u"{FOO}"), shifted('F'));
    EXPECT_EQ(keys(u"{~}"), shifted(0xC0));
}

TEST_F(Modifiers, HoldTheirKeyAroundTheNextToken) {
    EXPECT_EQ(keys(u"+a"), shifted(kA));
    EXPECT_EQ(keys(u"+A"), shifted(kA));  // no second Shift
    EXPECT_EQ(keys(u"^+a"),
              join({{down(kControl)}, shifted(kA), {modifierUp(kControl)}}));
    EXPECT_EQ(keys(u"+(ab)"), join({{down(kShift)}, stroke(kA), stroke(kB), {modifierUp(kShift)}}));
    EXPECT_EQ(keys(u"^A"), join({{down(kControl)}, shifted(kA), {modifierUp(kControl)}}));
    EXPECT_EQ(keys(u"%{TAB 2}"), join({{down(kAlt)}, stroke(kTab), stroke(kTab), {modifierUp(kAlt)}}));
    // The Shift-held flag ends with its token: a capital after it gets a Shift of its own.
    EXPECT_EQ(keys(u"+aB"), join({shifted(kA), shifted(kB)}));
    // An opener that is dropped still counts as the modifier's token.
    EXPECT_EQ(keys(u"+{a"), join({{down(kShift), modifierUp(kShift)}, stroke(kA)}));
}

TEST_F(Modifiers, WithNothingAfterThemFailTheCall) {
    for (const char16_t* s : {u"+", u"B+", u"85%", u"^", u"a^+", u"+%^"}) {
        EXPECT_THROW(keys(s), tamvera::Failure) << tamvera::utf8(s);
    }
    // The next call starts clean: Shift is pressed again for a capital.
    EXPECT_EQ(keys(u"A"), shifted(kA));
}

TEST_F(CapsLock, LettersComeOutAsWrittenOtherCharactersAreUntouched) {
    for (bool caps : {false, true}) {
        fake.capsLock = caps;
        EXPECT_EQ(keys(u"a"), caps ? shifted(kA) : stroke(kA));
        EXPECT_EQ(keys(u"A"), caps ? stroke(kA) : shifted(kA));
        EXPECT_EQ(keys(u"1"), stroke('1'));
        EXPECT_EQ(keys(u"!"), shifted('1'));
        EXPECT_EQ(keys(u"\u00E9"), unicode(0xE9));
    }
}

TEST_F(CapsLock, TheBraceFallbackIsNotCorrected) {
    fake.capsLock = true;
    EXPECT_EQ(keys(u"{a 3}"), join({stroke(kA), stroke(kA), stroke(kA)}));
    EXPECT_EQ(literal(u"aB"), join({shifted(kA), stroke(kB)}));  // literal text is corrected
}

TEST_F(CapsLock, AnAccentedLetterWithAKeyIsNotInverted) {
    fake.setKey(0xE9, 0x32);  // é on the '2' key, as on a French layout
    fake.capsLock = true;
    EXPECT_EQ(keys(u"\u00E9"), stroke('2'));
}

TEST_F(AltGr, HoldsControlAndAltAndReleasesControlFirst) {
    fake.setKey('@', 0x651);
    const auto altGrQ = std::vector<KeyRecord>{down(kControl), down(kAlt), down(kQ), up(kQ),
                                               modifierUp(kControl), modifierUp(kAlt)};
    EXPECT_EQ(keys(u"@"), altGrQ);
    EXPECT_EQ(keys(u"(@)"), altGrQ);
    EXPECT_EQ(keys(u"{@}"), altGrQ);
    EXPECT_EQ(literal(u"@"), altGrQ);
    // Either bit alone also presses both, and a held ^ does not spare the pair.
    fake.setKey('@', 0x251);
    EXPECT_EQ(keys(u"@"), altGrQ);
    EXPECT_EQ(keys(u"^@"), join({{down(kControl)}, altGrQ, {modifierUp(kControl)}}));
    fake.setKey('@', 0x751);
    EXPECT_EQ(keys(u"@"), join({{down(kShift)}, altGrQ, {modifierUp(kShift)}}));
}

TEST_F(Unicode, CharactersWithoutAKeyOrAbove255AreTypedAsUnicodePairs) {
    EXPECT_EQ(keys(u"\u00E9"), unicode(0xE9));
    EXPECT_EQ(keys(u"\u20AC"), unicode(0x20AC));
    fake.setKey(0x80, 0x645);  // the layout has € on AltGr+E: still Unicode outside braces
    EXPECT_EQ(keys(u"\u20AC"), unicode(0x20AC));
    EXPECT_EQ(keys(u"\U0001F600"), join({unicode(0xD83D), unicode(0xDE00)}));
    EXPECT_EQ(keys(u"+\u00E9"), join({{down(kShift)}, unicode(0xE9), {modifierUp(kShift)}}));
    // A character below 256 that the ANSI code page lacks is not typed as its "?".
    EXPECT_EQ(keys(u"\u0081"), unicode(0x81));
}

TEST_F(Unicode, TheBraceFallbackTypesCharactersWithoutAKeyAsWritten) {
    EXPECT_EQ(keys(u"{\u00E9 2}"), join({unicode(0xE9), unicode(0xE9)}));
    EXPECT_EQ(keys(u"{\u20AC}"), unicode(0x20AC));
    EXPECT_EQ(keys(u"{\U0001F600 2}"), join({unicode(0xD83D), unicode(0xDE00), unicode(0xD83D), unicode(0xDE00)}));
    fake.setKey(0x80, 0x645);  // inside braces the ANSI byte's key is used
    EXPECT_EQ(keys(u"{\u20AC}"), (std::vector<KeyRecord>{down(kControl), down(kAlt), down('E'), up('E'),
                                                          modifierUp(kControl), modifierUp(kAlt)}));
}

TEST_F(Literal, EverySpecialCharacterIsTypedAsItself) {
    EXPECT_EQ(typedLiterally(u"+^%~(){}"), "+^%~(){}");
    EXPECT_EQ(literal(u"~"), shifted(0xC0));
    EXPECT_EQ(typedLiterally(u"B+ 85% {TAB} (a)"), "B+ 85% {TAB} (a)");
    EXPECT_EQ(typedLiterally(u"+"), "+");
    EXPECT_EQ(literal(u"\u00E9\u20AC"), join({unicode(0xE9), unicode(0x20AC)}));
    EXPECT_TRUE(literal(u"").empty());
}

TEST_F(Sending, OneCallForAllRecordsAndNoneForNothing) {
    tamvera::keys::SendKeyString(fake, u"85");
    ASSERT_EQ(fake.sentInputs.size(), 1u);
    EXPECT_EQ(fake.sentInputs[0], (std::vector<KeyRecord>{{'8', 0, 0}, {'8', 0x09, KeyFlag::Up},
                                                          {'5', 0, 0}, {'5', 0x06, KeyFlag::Up}}));
    fake.sentInputs.clear();
    for (const char16_t* nothing : {u"", u"{", u"("}) tamvera::keys::SendKeyString(fake, nothing);
    tamvera::keys::SendLiteralText(fake, u"");
    EXPECT_TRUE(fake.sentInputs.empty());
    tamvera::keys::SendLiteralText(fake, u"8+");
    ASSERT_EQ(fake.sentInputs.size(), 1u);
    EXPECT_EQ(tamvera::testing::describeRecords(fake.sentInputs[0]), "8+");
}

TEST_F(Sending, FailuresSendNothing) {
    for (const char16_t* s : {u"B+", u"85%", u"+", u"{TAB 300}", u"ab{TAB 99999999999}"}) {
        EXPECT_THROW(tamvera::keys::SendKeyString(fake, s), tamvera::Failure) << tamvera::utf8(s);
    }
    EXPECT_TRUE(fake.sentInputs.empty());
}

TEST_F(Sending, FewerRecordsInsertedThanGivenIsAFailure) {
    fake.insertLimit = 3;
    EXPECT_THROW(tamvera::keys::SendKeyString(fake, u"85"), tamvera::Failure);
    EXPECT_THROW(tamvera::keys::SendLiteralText(fake, u"85"), tamvera::Failure);
    fake.insertLimit = 0;
    EXPECT_THROW(tamvera::keys::SendKeyString(fake, u"{TAB}"), tamvera::Failure);
    EXPECT_EQ(fake.sentInputs.size(), 3u);  // one attempt each, nothing retried
    fake.insertLimit = 4;
    EXPECT_NO_THROW(tamvera::keys::SendKeyString(fake, u"85"));
    EXPECT_NO_THROW(tamvera::keys::SendLiteralText(fake, u"85"));
}

}  // namespace
