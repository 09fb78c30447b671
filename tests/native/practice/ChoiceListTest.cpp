#include <gtest/gtest.h>

#include "TamveraSequences.h"
#include "core/ChoiceList.h"

using namespace tamvera::practice;
using namespace std::chrono_literals;

namespace {

void typeAll(ChoiceList& list, std::u16string_view keys, Millis at, Millis gap = 50ms) {
    for (char16_t ch : keys) {
        list.type(ch, at);
        at += gap;
    }
}

}  // namespace

TEST(ChoiceList, HoldsOneHundredDownToOneWithNothingSelected) {
    ChoiceList list = ChoiceList::grades();
    ASSERT_EQ(list.entries().size(), 100u);
    EXPECT_EQ(list.entries().front(), u"100");
    EXPECT_EQ(list.entries()[1], u"99");
    EXPECT_EQ(list.entries().back(), u"1");
    EXPECT_FALSE(list.selected());
    EXPECT_EQ(list.selectedText(), u"");
}

// The presses Tamvera sends come in one burst; each count must end on its own value.
TEST(ChoiceList, EveryRepeatedPressCountLandsOnItsValue) {
    ChoiceList list = ChoiceList::grades();
    for (const auto& row : sequences::choiceTable()) {
        list.open();
        Millis at{5000};
        for (int i = 0; i < row.times; ++i) list.type(row.key, at++);
        EXPECT_EQ(list.selectedText(), row.value) << row.times << " presses of " << char(row.key);
    }
}

TEST(ChoiceList, DifferentCharactersInQuickSuccessionSearchByPrefixFromTheTop) {
    for (std::u16string value : {u"85", u"100", u"12", u"50", u"19"}) {
        ChoiceList list = ChoiceList::grades();
        list.open();
        typeAll(list, value, Millis{1000});
        EXPECT_EQ(list.selectedText(), value);
    }
}

TEST(ChoiceList, SearchIgnoresLetterCaseOfLatinLetters) {
    ChoiceList list({u"Amat baik", u"Baik", u"Baik sekali", u"Cukup"});
    list.open();
    typeAll(list, u"bAIK s", Millis{0});
    EXPECT_EQ(list.selectedText(), u"Baik sekali");
}

TEST(ChoiceList, ASecondWithoutTypingStartsANewSearch) {
    ChoiceList list = ChoiceList::grades();
    list.open();
    list.type(u'8', Millis{0});
    list.type(u'5', Millis{900});
    EXPECT_EQ(list.selectedText(), u"85");

    list.open();
    list.type(u'8', Millis{0});
    EXPECT_EQ(list.selectedText(), u"89");
    list.type(u'5', Millis{1500});  // a new search: the next entry after 89 that begins with 5
    EXPECT_EQ(list.selectedText(), u"59");
    list.type(u'5', Millis{3000});
    EXPECT_EQ(list.selectedText(), u"58");
}

TEST(ChoiceList, RepeatedCharacterCyclesAfterTheSelectionAndWrapsRound) {
    ChoiceList list = ChoiceList::grades();
    list.open();
    for (int i = 0; i < 13; ++i) list.type(u'1', Millis{i});
    EXPECT_EQ(list.selectedText(), u"100");  // twelve entries begin with 1

    list.open();
    typeAll(list, u"85", Millis{0});
    list.type(u'8', Millis{5000});  // cycles on from the prefix match
    EXPECT_EQ(list.selectedText(), u"84");
}

TEST(ChoiceList, SearchWithoutAMatchKeepsTheSelection) {
    ChoiceList list = ChoiceList::grades();
    list.open();
    list.type(u'0', Millis{0});
    EXPECT_FALSE(list.selected());
    typeAll(list, u"9x", Millis{5000});
    EXPECT_EQ(list.selectedText(), u"99");
    list.type(u'0', Millis{9000});
    EXPECT_EQ(list.selectedText(), u"99");
}

TEST(ChoiceList, OpeningAgainForgetsSelectionAndSearch) {
    ChoiceList list = ChoiceList::grades();
    list.open();
    list.type(u'8', Millis{0});
    list.open();
    EXPECT_FALSE(list.selected());
    list.type(u'5', Millis{10});  // not the prefix 85: the search began again
    EXPECT_EQ(list.selectedText(), u"59");
}

TEST(ChoiceList, ArrowsStepThroughTheListAndStopAtItsEnds) {
    ChoiceList list = ChoiceList::grades();
    list.open();
    list.selectPrevious();
    EXPECT_FALSE(list.selected());
    list.selectNext();
    EXPECT_EQ(list.selectedText(), u"100");
    list.selectPrevious();
    EXPECT_EQ(list.selectedText(), u"100");
    for (int i = 0; i < 150; ++i) list.selectNext();
    EXPECT_EQ(list.selectedText(), u"1");
}

TEST(ChoiceList, HomeAndEndSelectTheEndsAndEndASearch) {
    ChoiceList list = ChoiceList::grades();
    list.open();
    list.selectFirst();
    EXPECT_EQ(list.selectedText(), u"100");
    list.type(u'8', Millis{0});
    list.selectLast();
    EXPECT_EQ(list.selectedText(), u"1");
    list.type(u'5', Millis{10});  // no prefix 85: END ended the search
    EXPECT_EQ(list.selectedText(), u"59");
}

// A list opened again may hold any choice: from its last entry each count of presses lands
// its value as in a list just opened.
TEST(ChoiceList, FromTheLastEntryEveryPressCountLandsOnItsValue) {
    ChoiceList list = ChoiceList::grades();
    for (const auto& row : sequences::choiceTable()) {
        list.open();
        typeAll(list, u"777", Millis{0});
        list.selectLast();
        Millis at{5000};
        for (int i = 0; i < row.times; ++i) list.type(row.key, at++);
        EXPECT_EQ(list.selectedText(), row.value) << row.times << " presses of " << char(row.key);
    }
}
