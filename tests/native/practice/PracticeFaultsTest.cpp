// The faults the practice window shows on request, and what it answers a screen reader.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/FieldReads.h"
#include "core/PracticeForm.h"

using namespace tamvera::practice;

namespace {

PracticeForm formWith(Target target, Mode mode, FaultOptions faults, int rows = 2, int cols = 3) {
    return PracticeForm(FormOptions{target, mode, rows, cols, std::move(faults)});
}

void typeAt(PracticeForm& form, std::u16string_view text, long long ms) {
    for (char16_t ch : text) form.type(ch, Millis{ms});
}

// ENTER, TAB, ENTER: the choice field's list is dropped.
void dropList(PracticeForm& form, long long ms) {
    form.press(Key::Enter, false, Millis{ms});
    form.press(Key::Tab, false, Millis{ms});
    form.press(Key::Enter, false, Millis{ms});
}

std::pair<int, int> focusOf(const PracticeForm& form) { return {form.focusRow(), form.focusColumn()}; }

// How long from `now` the field loses the characters typed into it.
long long deafFor(const FieldFaults& faults, FieldPlace field, long long now) {
    long long ms = 0;
    while (faults.losesCharacter(field, Millis{now + ms})) ++ms;
    return ms;
}

struct DrawnLengths {
    std::vector<long long> focus, store;
};

// 200 focus arrivals and stores, far enough apart that each delay is over before the next.
DrawnLengths drawnLengths(std::uint32_t seed, bool focusDelayed = true) {
    FaultOptions options;
    if (focusDelayed) options.focusDelay = Lag{Millis{100}, Millis{400}};
    options.storeDelay = Lag{Millis{0}, Millis{1000}};
    options.seed = seed;
    FieldFaults faults(options);
    DrawnLengths lengths;
    for (int i = 0; i < 200; ++i) {
        const FieldPlace field{i % 2, 0};
        const long long now = 10000LL * i;
        faults.focusArrived(field, Millis{now});
        lengths.focus.push_back(deafFor(faults, field, now));
        faults.valueStored(field, Millis{now + 5000});
        lengths.store.push_back(deafFor(faults, field, now + 5000));
    }
    return lengths;
}

}  // namespace

TEST(PracticeFaults, FocusDelayDropsCharactersOnlyWithinItsTimeAndOnlyInTheNewField) {
    FaultOptions faults;
    faults.focusDelay = Lag::fixed(Millis{200});
    PracticeForm form = formWith(Target::ERapor, Mode::Isian, faults);
    form.press(Key::Tab, false, Millis{1000});
    typeAt(form, u"8", 1199);
    typeAt(form, u"5", 1200);
    EXPECT_EQ(form.grades().at(0, 0), u"5");
    form.press(Key::Tab, false, Millis{5000});
    form.press(Key::Tab, true, Millis{5100});  // back: the field gains the focus again
    typeAt(form, u"7", 5150);
    EXPECT_EQ(form.grades().at(0, 0), u"5");

    // Choice fields: from the moment the list drops; ENTER and TAB are never dropped.
    PracticeForm choice = formWith(Target::RaporOnline, Mode::Pilihan, faults);
    choice.press(Key::Tab, false, Millis{0});
    dropList(choice, 1000);
    typeAt(choice, u"9", 1100);
    EXPECT_FALSE(choice.choiceList().selected());
    typeAt(choice, u"9", 1300);
    choice.press(Key::Enter, false, Millis{1310});
    EXPECT_EQ(choice.grades().at(0, 0), u"99");

    // Dapodik: RIGHT onto the cell starts it; the edit's characters are dropped.
    PracticeForm grid = formWith(Target::Dapodik, Mode::Isian, faults);
    grid.press(Key::Right, false, Millis{0});
    grid.press(Key::Right, false, Millis{1000});
    grid.press(Key::Enter, false, Millis{1010});
    typeAt(grid, u"7", 1100);
    typeAt(grid, u"0", 1250);
    grid.press(Key::Enter, false, Millis{1260});
    EXPECT_EQ(grid.grades().at(0, 0), u"0");
    EXPECT_EQ(grid.charactersTyped(), 2u);
    EXPECT_EQ(grid.charactersLost(), 1u);
}

TEST(PracticeFaults, StoreDelayDropsCharactersOnlyInTheFieldJustStored) {
    FaultOptions faults;
    faults.storeDelay = Lag::fixed(Millis{300});
    PracticeForm form = formWith(Target::RaporOnline, Mode::Isian, faults);
    form.press(Key::Tab, false, Millis{0});
    typeAt(form, u"80", 10);
    form.press(Key::Tab, false, Millis{1000});  // leaves the first field changed: stored
    typeAt(form, u"7", 1010);                  // another field: kept
    form.press(Key::Tab, true, Millis{1020});
    typeAt(form, u"9", 1030);
    EXPECT_EQ(form.grades().at(0, 0), u"80");
    EXPECT_EQ(form.grades().at(0, 1), u"7");
    typeAt(form, u"9", 1300);
    EXPECT_EQ(form.grades().at(0, 0), u"9");

    // Leaving a field unchanged stores nothing.
    form.press(Key::Tab, false, Millis{5000});  // onto the second field, "7"
    form.press(Key::Tab, false, Millis{5000});  // off it unchanged
    form.press(Key::Tab, true, Millis{5000});
    typeAt(form, u"6", 5001);
    EXPECT_EQ(form.grades().at(0, 1), u"6");

    PracticeForm choice = formWith(Target::RaporOnline, Mode::Pilihan, faults);
    choice.press(Key::Tab, false, Millis{0});
    dropList(choice, 0);
    typeAt(choice, u"9", 10);
    choice.press(Key::Enter, false, Millis{1000});  // stores "99"
    choice.press(Key::Enter, false, Millis{1010});  // drops the list again
    typeAt(choice, u"8", 1020);
    EXPECT_FALSE(choice.choiceList().selected());

    PracticeForm grid = formWith(Target::Dapodik, Mode::Isian, faults);
    for (int i = 0; i < 2; ++i) grid.press(Key::Right, false, Millis{0});
    grid.press(Key::Enter, false, Millis{0});
    typeAt(grid, u"70", 10);
    grid.press(Key::Enter, false, Millis{1000});
    grid.press(Key::Enter, false, Millis{1010});
    typeAt(grid, u"5", 1020);
    EXPECT_EQ(grid.cellText(0, 2), u"70");
}

TEST(PracticeFaults, RangedDelaysDrawEachLengthWithinTheRangeAndRepeatForTheSameSeed) {
    const DrawnLengths lengths = drawnLengths(1);
    const auto [focusMin, focusMax] = std::minmax_element(lengths.focus.begin(), lengths.focus.end());
    EXPECT_GE(*focusMin, 100);
    EXPECT_LE(*focusMax, 400);
    const auto [storeMin, storeMax] = std::minmax_element(lengths.store.begin(), lengths.store.end());
    EXPECT_LE(*storeMin, 10);
    EXPECT_GE(*storeMax, 990);
    EXPECT_LE(*storeMax, 1000);

    // Recorded runs replay: the lengths are the generator's own, the same in every build.
    EXPECT_EQ(std::vector(lengths.store.begin(), lengths.store.begin() + 4),
              (std::vector<long long>{768, 760, 388, 435}));
    EXPECT_EQ(drawnLengths(1).focus, lengths.focus);
    EXPECT_NE(drawnLengths(2).store, lengths.store);
    EXPECT_EQ(drawnLengths(1, false).store, lengths.store);  // each delay draws on its own
}

TEST(PracticeFaults, RefusedFieldStaysEmptyWhileTheOthersTakeTheirValues) {
    FaultOptions faults;
    faults.refused = {FieldPlace{0, 1}};
    PracticeForm form = formWith(Target::ERapor, Mode::Isian, faults, 1, 3);
    for (const char16_t* value : {u"1", u"2", u"3"}) {
        form.press(Key::Tab, false);
        typeAt(form, value, 0);
    }
    EXPECT_EQ(form.grades().at(0, 0), u"1");
    EXPECT_EQ(form.grades().at(0, 1), u"");
    EXPECT_EQ(form.grades().at(0, 2), u"3");

    PracticeForm choice = formWith(Target::RaporOnline, Mode::Pilihan, faults, 1, 3);
    choice.press(Key::Tab, false);
    choice.press(Key::Tab, false);
    dropList(choice, 0);
    choice.press(Key::Down, false);  // even a selection made without typing is not taken
    choice.press(Key::Enter, false);
    EXPECT_EQ(choice.grades().at(0, 1), u"");
}

TEST(PracticeFaults, EveryNthMoveBetweenFieldsIsLostAndNoOtherKey) {
    FaultOptions faults;
    faults.loseEveryNthNavigation = 3;
    PracticeForm form = formWith(Target::RaporOnline, Mode::Isian, faults, 1, 5);
    for (int i = 0; i < 6; ++i) form.press(Key::Tab, false);
    EXPECT_EQ(form.focusColumn(), 3);  // the 3rd and 6th TAB did nothing

    // Choice: the TABs inside the editor do not count; the TAB that leaves it does.
    PracticeForm choice = formWith(Target::RaporOnline, Mode::Pilihan, faults, 1, 5);
    choice.press(Key::Tab, false);   // 1: onto the first field
    dropList(choice, 0);             // its TAB moves inside the editor
    choice.press(Key::Tab, false);   // 2: leaves the editor onto the second field
    EXPECT_EQ(choice.focusColumn(), 1);
    choice.press(Key::Tab, false);   // 3: lost
    EXPECT_EQ(choice.focusColumn(), 1);

    // Dapodik: RIGHT, LEFT and TAB count while not editing; ENTER and the edit's TAB do not.
    PracticeForm grid = formWith(Target::Dapodik, Mode::Isian, faults, 2, 3);
    grid.press(Key::Right, false);  // 1
    grid.press(Key::Right, false);  // 2
    grid.press(Key::Right, false);  // 3: lost
    EXPECT_EQ(focusOf(grid), std::pair(0, 2));
    grid.press(Key::Enter, false);
    typeAt(grid, u"5", 0);
    grid.press(Key::Tab, false);    // stores and moves, uncounted
    EXPECT_EQ(focusOf(grid), std::pair(0, 3));
    grid.press(Key::Left, false);   // 4
    grid.press(Key::Tab, false);    // 5
    grid.press(Key::Right, false);  // 6: lost
    EXPECT_EQ(focusOf(grid), std::pair(0, 3));
    EXPECT_EQ(grid.grades().at(0, 0), u"5");
}

TEST(PracticeFaults, StallComesOnceAfterTheCountedChanges) {
    FaultOptions faults;
    faults.stall = Millis{2000};
    faults.stallAfterChanges = 2;
    PracticeForm form = formWith(Target::ERapor, Mode::Isian, faults);
    form.press(Key::Tab, false);
    typeAt(form, u"8", 0);
    EXPECT_FALSE(form.stallDue());
    typeAt(form, u"5", 0);
    EXPECT_EQ(form.stallDue(), std::optional(Millis{2000}));
    typeAt(form, u"0", 0);
    EXPECT_FALSE(form.stallDue());
}

TEST(PracticeFormCaret, HomeThenShiftEndSelectsTheWholeTextSoTypingReplacesIt) {
    PracticeForm form = formWith(Target::ERapor, Mode::Isian, {});
    form.press(Key::Tab, false);
    typeAt(form, u"85", 0);
    form.press(Key::Home, false);
    typeAt(form, u"1", 0);  // inserted before the text
    EXPECT_EQ(form.grades().at(0, 0), u"185");
    form.press(Key::End, false);
    typeAt(form, u"0", 0);
    EXPECT_EQ(form.grades().at(0, 0), u"1850");
    form.press(Key::Home, false);
    form.press(Key::End, true);
    typeAt(form, u"9", 0);
    EXPECT_EQ(form.grades().at(0, 0), u"9");
    form.press(Key::Home, false);
    form.press(Key::End, true);
    form.press(Key::Backspace, false);
    EXPECT_EQ(form.grades().at(0, 0), u"");

    PracticeForm grid = formWith(Target::Dapodik, Mode::Isian, {});
    for (int i = 0; i < 2; ++i) grid.press(Key::Right, false);
    grid.press(Key::Enter, false);
    typeAt(grid, u"70", 0);
    grid.press(Key::Home, false);
    grid.press(Key::End, true);
    typeAt(grid, u"65", 0);
    grid.press(Key::Enter, false);
    EXPECT_EQ(grid.grades().at(0, 0), u"65");
}

TEST(PracticeFieldReads, FocusedChildRoleAndValueFollowTheForm) {
    PracticeForm form = formWith(Target::RaporOnline, Mode::Isian, {}, 2, 3);
    EXPECT_EQ(focusedChild(form), kFormChild);  // on "Awal"
    for (int i = 0; i < 5; ++i) form.press(Key::Tab, false);
    typeAt(form, u"85", 0);
    EXPECT_EQ(focusedChild(form), 5);  // row 1, column 1: 1 + 1 * 3 + 1
    EXPECT_EQ(fieldOfChild(form, 5), std::optional(FieldPlace{1, 1}));
    EXPECT_FALSE(fieldOfChild(form, 7));
    EXPECT_FALSE(fieldOfChild(form, 0));
    EXPECT_EQ(fieldRole(form), FieldRole::Text);
    EXPECT_EQ(fieldValue(form, FieldPlace{1, 1}), u"85");
    EXPECT_EQ(fieldName(FieldPlace{1, 1}), u"Siswa 2, Mapel 2");

    // Dapodik: "No" and "Nama" are no field; an edit in progress reads as the cell's text.
    PracticeForm grid = formWith(Target::Dapodik, Mode::Isian, {}, 2, 3);
    EXPECT_EQ(focusedChild(grid), kFormChild);
    grid.press(Key::Right, false);
    EXPECT_EQ(focusedChild(grid), kFormChild);
    grid.press(Key::Right, false);
    grid.press(Key::Enter, false);
    typeAt(grid, u"7", 0);
    EXPECT_EQ(focusedChild(grid), 1);
    EXPECT_EQ(fieldValue(grid, FieldPlace{0, 0}), u"7");

    // Choice: a combo box whose value is the stored one, also while its list is open.
    PracticeForm choice = formWith(Target::RaporOnline, Mode::Pilihan, {}, 2, 3);
    choice.press(Key::Tab, false);
    dropList(choice, 0);
    typeAt(choice, u"9", 0);
    EXPECT_EQ(fieldRole(choice), FieldRole::ComboBox);
    EXPECT_EQ(fieldValue(choice, FieldPlace{0, 0}), u"");
    choice.press(Key::Enter, false);
    EXPECT_EQ(fieldValue(choice, FieldPlace{0, 0}), u"99");
    EXPECT_EQ(focusedChild(choice), 1);
}
