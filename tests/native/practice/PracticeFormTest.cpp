#include <gtest/gtest.h>

#include <stdexcept>

#include "TamveraSequences.h"
#include "core/PracticeForm.h"
#include "platform/Text.h"

using namespace tamvera::practice;
using namespace tamvera::practice::sequences;
using namespace std::chrono_literals;

namespace {

// Replays steps with Tamvera's pacing: 0.1 s between key strings, none inside a burst.
void replay(PracticeForm& form, const std::vector<Step>& steps) {
    Millis now{100000};
    for (const Step& step : steps) {
        if (step.isKey) {
            form.press(step.key, false);
        } else {
            for (char16_t ch : step.text) form.type(ch, now);
        }
        if (step.pauseAfter) now += 100ms;
    }
}

void typeText(PracticeForm& form, std::u16string_view text) {
    for (char16_t ch : text) form.type(ch, Millis{0});
}

// The grid as rows of text, for comparing with what was typed.
GradeRows gradesOf(const PracticeForm& form) {
    GradeRows rows;
    for (int r = 0; r < form.grades().rows(); ++r) {
        rows.emplace_back();
        for (int c = 0; c < form.grades().cols(); ++c) rows.back().push_back(form.grades().at(r, c));
    }
    return rows;
}

// The rows padded with empty fields to the grid's size.
GradeRows padded(GradeRows rows, int rowCount, int colCount) {
    rows.resize(static_cast<std::size_t>(rowCount));
    for (auto& row : rows) row.resize(static_cast<std::size_t>(colCount));
    return rows;
}

FormOptions optionsFor(Target target, Mode mode, int rows = 40, int cols = 10) {
    return FormOptions{target, mode, rows, cols, {}};
}

const GradeRows kAwkwardValues = {
    {u"85", u"B+", u"85%", u"", u"(A)", u"~", u"{TAB}", u"\u00E9", u"\u20AC", u" 85"},
    {u"", u"", u"90", u"+", u"^%", u"\U0001F600", u"7,5", u"A-", u"100", u""},
    {u"", u"", u"", u"", u"", u"", u"", u"", u"", u""},
    {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10"},
};

}  // namespace

TEST(PracticeForm, TitlesNameTheTargetAndPassTamverasForegroundCheck) {
    EXPECT_EQ(windowTitle(Target::RaporOnline), u"RAPOR Online - Latihan");
    EXPECT_EQ(windowTitle(Target::ERapor), u"e-Rapor - Latihan");
    EXPECT_EQ(windowTitle(Target::Dapodik), u"Aplikasi Dapodik - Latihan");
    for (Target t : {Target::RaporOnline, Target::ERapor}) {
        std::string upper = tamvera::utf8(windowTitle(t));
        for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_NE(upper.find("RAPOR"), std::string::npos);
    }
}

TEST(PracticeForm, ChoiceFieldsExistOnlyOnTheOnlineReport) {
    EXPECT_THROW(PracticeForm(optionsFor(Target::ERapor, Mode::Pilihan)), std::invalid_argument);
    EXPECT_THROW(PracticeForm(optionsFor(Target::Dapodik, Mode::Pilihan)), std::invalid_argument);
    EXPECT_THROW(PracticeForm(optionsFor(Target::RaporOnline, Mode::Isian, 0, 10)), std::invalid_argument);
}

// --- fill-in fields ---------------------------------------------------------------

TEST(PracticeFormFillIn, TamverasSequenceFillsEveryFieldExactlyOnBothTargets) {
    for (Target target : {Target::RaporOnline, Target::ERapor}) {
        PracticeForm form(optionsFor(target, Mode::Isian));
        replay(form, fillInSteps(kAwkwardValues));
        EXPECT_EQ(gradesOf(form), padded(kAwkwardValues, 40, 10));
        EXPECT_FALSE(form.focusOnStart());
        EXPECT_EQ(form.focusRow(), 4);  // the TAB after the last value moved on
        EXPECT_EQ(form.focusColumn(), 0);
    }
}

TEST(PracticeFormFillIn, FocusStartsBeforeTheFirstFieldAndTabCyclesRowByRow) {
    PracticeForm form(optionsFor(Target::RaporOnline, Mode::Isian, 2, 3));
    EXPECT_TRUE(form.focusOnStart());
    typeText(form, u"85");  // nothing to type into yet
    EXPECT_EQ(form.changes(), 0u);

    form.press(Key::Tab, false);
    EXPECT_FALSE(form.focusOnStart());
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(0, 0));
    for (int i = 0; i < 3; ++i) form.press(Key::Tab, false);
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(1, 0));
    form.press(Key::Tab, true);
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(0, 2));
    for (int i = 0; i < 4; ++i) form.press(Key::Tab, false);
    EXPECT_TRUE(form.focusOnStart());  // past the last field
    form.press(Key::Tab, true);
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(1, 2));
    // Keys the fields do not use change nothing.
    for (Key k : {Key::Enter, Key::Right, Key::Left, Key::Up, Key::Down, Key::Escape}) form.press(k, false);
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(1, 2));
}

TEST(PracticeFormFillIn, ArrivingFocusSelectsTheTextSoTypingReplacesIt) {
    PracticeForm form(optionsFor(Target::ERapor, Mode::Isian, 1, 2));
    form.press(Key::Tab, false);
    typeText(form, u"80");
    form.press(Key::Tab, false);
    form.press(Key::Tab, true);  // back on the first field
    EXPECT_TRUE(form.focusTextSelected());
    typeText(form, u"9");
    typeText(form, u"5");
    EXPECT_EQ(form.grades().at(0, 0), u"95");
}

TEST(PracticeFormFillIn, BackspaceRemovesWholeCharactersOrTheSelectedText) {
    PracticeForm form(optionsFor(Target::RaporOnline, Mode::Isian, 1, 2));
    form.press(Key::Tab, false);
    typeText(form, u"8\U0001F600");
    form.press(Key::Backspace, false);
    EXPECT_EQ(form.grades().at(0, 0), u"8");
    form.press(Key::Tab, false);
    form.press(Key::Tab, true);
    form.press(Key::Backspace, false);
    EXPECT_EQ(form.grades().at(0, 0), u"");
}

TEST(PracticeFormFillIn, ControlCharactersNeverReachAField) {
    PracticeForm form(optionsFor(Target::RaporOnline, Mode::Isian, 1, 1));
    form.press(Key::Tab, false);
    typeText(form, u"\t8\r\n\x1B\b5\x7F");
    EXPECT_EQ(form.grades().at(0, 0), u"85");
}

TEST(PracticeFormFillIn, CountsOnlyChangesThatAlterAField) {
    PracticeForm form(optionsFor(Target::RaporOnline, Mode::Isian, 1, 1));
    form.press(Key::Tab, false);
    typeText(form, u"85");
    EXPECT_EQ(form.changes(), 2u);
    form.press(Key::Tab, false);
    form.press(Key::Tab, false);
    typeText(form, u"8");  // replaces "85" with "8"
    EXPECT_EQ(form.changes(), 3u);
    form.press(Key::Tab, false);
    form.press(Key::Tab, false);
    typeText(form, u"8");  // "8" again: nothing changed
    EXPECT_EQ(form.changes(), 3u);
}

// --- choice fields ----------------------------------------------------------------

TEST(PracticeFormChoice, TamverasSequenceLandsEveryChoiceValue) {
    const GradeRows rows = {
        {u"1", u"9", u"10", u"11", u"22", u"99", u"100", u"85", u"", u"12"},
        {u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"33", u"44", u"55"},
        {u"66", u"77", u"88", u"", u"", u"50", u"19", u"", u"", u"1"},
    };
    PracticeForm form(optionsFor(Target::RaporOnline, Mode::Pilihan));
    replay(form, choiceSteps(rows));
    EXPECT_EQ(gradesOf(form), padded(rows, 40, 10));
    EXPECT_EQ(form.choiceStep(), ChoiceStep::Closed);
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(3, 0));
}

TEST(PracticeFormChoice, EditorOpensOnEnterAndItsListOnEnterAfterTab) {
    PracticeForm form(optionsFor(Target::RaporOnline, Mode::Pilihan, 2, 2));
    form.press(Key::Enter, false);  // on the element before the first field: nothing to open
    EXPECT_EQ(form.choiceStep(), ChoiceStep::Closed);
    typeText(form, u"8");
    form.press(Key::Tab, false);
    form.press(Key::Enter, false);
    EXPECT_EQ(form.choiceStep(), ChoiceStep::Opened);
    typeText(form, u"8");  // the list is not open yet
    form.press(Key::Tab, false);
    EXPECT_EQ(form.choiceStep(), ChoiceStep::OnList);
    form.press(Key::Enter, false);
    EXPECT_EQ(form.choiceStep(), ChoiceStep::ListOpen);
    EXPECT_FALSE(form.choiceList().selected());
    form.press(Key::Down, false);
    form.press(Key::Down, false);
    form.press(Key::Enter, false);
    EXPECT_EQ(form.choiceStep(), ChoiceStep::OnList);
    EXPECT_EQ(form.grades().at(0, 0), u"99");
    EXPECT_EQ(form.changes(), 1u);
    form.press(Key::Tab, false);
    EXPECT_EQ(form.choiceStep(), ChoiceStep::Closed);
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(0, 1));
}

TEST(PracticeFormChoice, ListReopensWithNothingSelectedAndEnterWithoutSelectionKeepsTheValue) {
    PracticeForm form(optionsFor(Target::RaporOnline, Mode::Pilihan, 1, 2));
    replay(form, choiceSteps({{u"85"}}));
    form.press(Key::Tab, true);
    for (Key k : {Key::Enter, Key::Tab, Key::Enter}) form.press(k, false);
    EXPECT_EQ(form.choiceStep(), ChoiceStep::ListOpen);
    EXPECT_FALSE(form.choiceList().selected());
    form.press(Key::Enter, false);
    EXPECT_EQ(form.grades().at(0, 0), u"85");
}

TEST(PracticeFormChoice, LeavingTheListWithoutEnterDropsItsSelection) {
    PracticeForm form(optionsFor(Target::RaporOnline, Mode::Pilihan, 1, 2));
    form.press(Key::Tab, false);
    for (Key k : {Key::Enter, Key::Tab, Key::Enter}) form.press(k, false);
    typeText(form, u"7");
    form.press(Key::Escape, false);
    EXPECT_EQ(form.choiceStep(), ChoiceStep::OnList);
    form.press(Key::Enter, false);
    typeText(form, u"6");
    form.press(Key::Tab, false);  // TAB from the open list leaves the editor
    EXPECT_EQ(form.choiceStep(), ChoiceStep::Closed);
    EXPECT_EQ(form.focusColumn(), 1);
    EXPECT_EQ(form.grades().at(0, 0), u"");
    EXPECT_EQ(form.changes(), 0u);
}

TEST(PracticeFormChoice, ShiftTabAndEscapeStepBackOutOfTheEditor) {
    PracticeForm form(optionsFor(Target::RaporOnline, Mode::Pilihan, 1, 2));
    form.press(Key::Tab, false);
    for (Key k : {Key::Enter, Key::Tab, Key::Enter}) form.press(k, false);
    form.press(Key::Tab, true);
    EXPECT_EQ(form.choiceStep(), ChoiceStep::OnList);
    form.press(Key::Tab, true);
    EXPECT_EQ(form.choiceStep(), ChoiceStep::Opened);
    form.press(Key::Escape, false);
    EXPECT_EQ(form.choiceStep(), ChoiceStep::Closed);
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(0, 0));
}

// --- the Dapodik grid -------------------------------------------------------------

TEST(PracticeFormDapodik, SelectionStartsOnNoAndRightWrapsToTheNextRow) {
    PracticeForm form(optionsFor(Target::Dapodik, Mode::Isian, 2, 2));
    EXPECT_FALSE(form.focusOnStart());
    ASSERT_EQ(form.columns(), 4);
    EXPECT_EQ(form.columnTitle(0), u"No");
    EXPECT_EQ(form.columnTitle(1), u"Nama");
    EXPECT_EQ(form.columnTitle(2), u"Mapel 1");
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(0, 0));
    for (int i = 0; i < 3; ++i) form.press(Key::Right, false);
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(0, 3));
    form.press(Key::Right, false);
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(1, 0));
    form.press(Key::Left, false);
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(0, 3));
    for (int i = 0; i < 10; ++i) form.press(Key::Right, false);
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(1, 3));  // the last cell holds
    form.press(Key::Up, false);
    form.press(Key::Up, false);
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(0, 3));
    for (int i = 0; i < 10; ++i) form.press(Key::Left, false);
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(0, 0));
}

TEST(PracticeFormDapodik, EnterEditsGradeCellsOnlyAndKeepsTheSelection) {
    PracticeForm form(optionsFor(Target::Dapodik, Mode::Isian, 1, 2));
    form.press(Key::Enter, false);  // "No" is read-only
    EXPECT_FALSE(form.editing());
    form.press(Key::Right, false);
    form.press(Key::Enter, false);  // so is "Nama"
    EXPECT_FALSE(form.editing());
    typeText(form, u"85");  // not editing: typing changes nothing
    EXPECT_EQ(form.cellText(0, 1), u"Siswa 1");

    form.press(Key::Right, false);
    form.press(Key::Enter, false);
    EXPECT_TRUE(form.editing());
    typeText(form, u"85");
    form.press(Key::Right, false);  // the edit keeps its arrows
    EXPECT_EQ(form.cellText(0, 2), u"85");
    EXPECT_EQ(form.grades().at(0, 0), u"");  // not stored before ENTER
    EXPECT_EQ(form.changes(), 0u);
    form.press(Key::Enter, false);
    EXPECT_FALSE(form.editing());
    EXPECT_EQ(form.grades().at(0, 0), u"85");
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(0, 2));
    EXPECT_EQ(form.changes(), 1u);
}

TEST(PracticeFormDapodik, EditingReplacesTheOldTextAndEscapeCancels) {
    PracticeForm form(optionsFor(Target::Dapodik, Mode::Isian, 1, 1));
    replay(form, dapodikSteps({{u"70"}}));
    ASSERT_EQ(form.focusColumn(), 2);  // the last cell of the last row holds
    form.press(Key::Enter, false);
    EXPECT_EQ(form.cellText(0, 2), u"70");
    typeText(form, u"9");
    EXPECT_EQ(form.cellText(0, 2), u"9");
    form.press(Key::Escape, false);
    EXPECT_EQ(form.grades().at(0, 0), u"70");
    form.press(Key::Enter, false);
    typeText(form, u"95");
    form.press(Key::Backspace, false);
    form.press(Key::Tab, false);  // TAB stores too, then moves on
    EXPECT_EQ(form.grades().at(0, 0), u"9");
    EXPECT_FALSE(form.editing());
}

TEST(PracticeFormDapodik, TamverasSequencePutsEveryValueInItsRowAndGradeColumn) {
    PracticeForm form(optionsFor(Target::Dapodik, Mode::Isian));
    replay(form, dapodikSteps(kAwkwardValues));
    EXPECT_EQ(gradesOf(form), padded(kAwkwardValues, 40, 10));
    EXPECT_EQ(std::pair(form.focusRow(), form.focusColumn()), std::pair(4, 1));
}

// A click moves the focus to the cell, as on a page: a run that goes on from a stop types
// from there. A Dapodik edit in progress is left unstored.
TEST(PracticeFormClick, MovesTheFocusToTheCellClicked) {
    PracticeForm isian(optionsFor(Target::RaporOnline, Mode::Isian, 3, 2));
    isian.press(Key::Tab, false);
    typeText(isian, u"85");
    isian.click(1, 1, Millis{0});
    typeText(isian, u"90");
    isian.press(Key::Tab, false);
    EXPECT_EQ(gradesOf(isian), padded({{u"85", u""}, {u"", u"90"}}, 3, 2));
    EXPECT_EQ(isian.focusRow(), 2);

    PracticeForm dapodik(optionsFor(Target::Dapodik, Mode::Isian, 2, 2));
    dapodik.press(Key::Right, false);
    dapodik.press(Key::Right, false);
    dapodik.press(Key::Enter, false);
    typeText(dapodik, u"70");
    dapodik.click(1, 1, Millis{0});  // row 2's "Nama"
    dapodik.press(Key::Right, false);
    dapodik.press(Key::Enter, false);
    typeText(dapodik, u"80");
    dapodik.press(Key::Enter, false);
    EXPECT_EQ(gradesOf(dapodik), padded({{u"", u""}, {u"80", u""}}, 2, 2));
    isian.click(5, 0, Millis{0});
    EXPECT_EQ(isian.focusRow(), 2);
}
