// Fields that show a stored value their own way: the value changes as it is stored, and
// what the field shows is what it holds and what it answers a reader.
#include <gtest/gtest.h>

#include "TamveraSequences.h"
#include "core/FieldReads.h"
#include "core/PracticeForm.h"
#include "core/ShownValue.h"

using namespace tamvera::practice;
using namespace tamvera::practice::sequences;

namespace {

void replay(PracticeForm& form, const std::vector<Step>& steps) {
    Millis now{100000};
    for (const Step& step : steps) {
        if (step.isKey) {
            form.press(step.key, false, now);
        } else {
            for (char16_t ch : step.text) form.type(ch, now);
        }
        if (step.pauseAfter) now += Millis{100};
    }
}

FormOptions optionsFor(Target target, Mode mode, ValueForm valueForm, int rows, int cols) {
    return FormOptions{target, mode, rows, cols, {}, valueForm};
}

// What each field answers a reader, row by row.
GradeRows readsOf(const PracticeForm& form) {
    GradeRows rows(static_cast<std::size_t>(form.grades().rows()));
    for (int r = 0; r < form.grades().rows(); ++r) {
        for (int c = 0; c < form.grades().cols(); ++c) rows[r].push_back(fieldValue(form, FieldPlace{r, c}));
    }
    return rows;
}

}  // namespace

TEST(ShownValue, TwoDecimalsAfterACommaForNumbersOnly) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"85", u"85,00"},   {u"8.5", u"8,50"},     {u"8,5", u"8,50"},    {u"85,00", u"85,00"},
        {u"85,456", u"85,46"}, {u"85.454", u"85,45"}, {u"9,995", u"10,00"}, {u"99.999", u"100,00"},
        {u"085", u"85,00"},  {u"0.5", u"0,50"},     {u"0", u"0,00"},      {u"-5", u"-5,00"},
        {u"", u""},          {u"B+", u"B+"},        {u"85,", u"85,"},     {u",5", u",5"},
        {u"1.2.3", u"1.2.3"}, {u"8 5", u"8 5"},
    };
    for (const auto& [stored, shown] : cases) {
        EXPECT_EQ(shownValue(ValueForm::TwoDecimals, stored), shown) << std::u16string_view(stored).size();
    }
    EXPECT_EQ(shownValue(ValueForm::AsTyped, u"8.5"), u"8.5");
    EXPECT_EQ(shownValue(ValueForm::UpperCase, u"8.5"), u"8.5");
}

// Two decimals come once a value is stored: when TAB leaves a fill-in field, at the ENTER
// that stores a Dapodik cell's edit; before that the field shows it as typed. Upper case
// comes with every letter typed.
TEST(ShownValue, TypedFieldsShowTheirFormOnceTheValueIsStored) {
    const GradeRows typed = {{u"85", u"8.5", u"b"}, {u"", u"70,25", u"A"}};
    const struct {
        Target target;
        ValueForm valueForm;
        GradeRows shown;
    } cases[] = {
        {Target::ERapor, ValueForm::TwoDecimals, {{u"85,00", u"8,50", u"b"}, {u"", u"70,25", u"A"}}},
        {Target::Dapodik, ValueForm::TwoDecimals, {{u"85,00", u"8,50", u"b"}, {u"", u"70,25", u"A"}}},
        {Target::RaporOnline, ValueForm::UpperCase, {{u"85", u"8.5", u"B"}, {u"", u"70,25", u"A"}}},
        {Target::Dapodik, ValueForm::UpperCase, {{u"85", u"8.5", u"B"}, {u"", u"70,25", u"A"}}},
    };
    for (const auto& c : cases) {
        PracticeForm form(optionsFor(c.target, Mode::Isian, c.valueForm, 2, 3));
        replay(form, c.target == Target::Dapodik ? dapodikSteps(typed) : fillInSteps(typed));
        EXPECT_EQ(readsOf(form), c.shown) << static_cast<int>(c.target);
    }
    PracticeForm decimals(optionsFor(Target::ERapor, Mode::Isian, ValueForm::TwoDecimals, 1, 2));
    replay(decimals, {keyStep(Key::Tab), textStep(u"85")});
    EXPECT_EQ(fieldValue(decimals, FieldPlace{0, 0}), u"85");  // still focused: as typed
    PracticeForm upper(optionsFor(Target::ERapor, Mode::Isian, ValueForm::UpperCase, 1, 2));
    replay(upper, {keyStep(Key::Tab), textStep(u"lulus \u00E9\u00F7")});
    EXPECT_EQ(fieldValue(upper, FieldPlace{0, 0}), u"LULUS \u00C9\u00F7");  // as it is typed
}

// The teacher's list holds letters; type-ahead by the letter picks the labelled entry.
TEST(ShownValue, PredicateListTakesTheLetterAndShowsTheEntry) {
    PracticeForm form(optionsFor(Target::RaporOnline, Mode::Pilihan, ValueForm::Predicate, 1, 5));
    replay(form, choiceSteps({{u"A", u"b", u"C", u"D", u"B"}}));
    EXPECT_EQ(readsOf(form), (GradeRows{{u"A - Sangat Baik", u"B - Baik", u"C - Cukup", u"D - Kurang", u"B - Baik"}}));
    EXPECT_THROW(PracticeForm(optionsFor(Target::RaporOnline, Mode::Isian, ValueForm::Predicate, 1, 1)),
                 std::invalid_argument);
    EXPECT_THROW(PracticeForm(optionsFor(Target::RaporOnline, Mode::Pilihan, ValueForm::TwoDecimals, 1, 1)),
                 std::invalid_argument);
}
