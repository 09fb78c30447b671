// The practice form: the grade fields of one of the report applications and how they
// answer the keyboard. The window only draws this state and forwards keys to it.
//
//  - fill-in fields (RAPOR Online "Isian", e-Rapor): TAB visits the fields row by row,
//    starting from an element before the first field; characters go into the focused
//    field, replacing its text when focus has just arrived (as a browser's input does).
//  - choice fields (RAPOR Online "Pilihan"): TAB visits the fields; ENTER opens the
//    field's editor, TAB moves to its list, ENTER drops the list (100 down to 1),
//    characters move its selection, ENTER takes the selection, TAB closes the editor
//    and moves on. With predicates the list holds "A - Sangat Baik" ... "D - Kurang".
//  - the Dapodik grid: two read-only columns ("No", "Nama") before the grades; the
//    selection starts on row 1's "No"; RIGHT moves one cell and wraps to the next row;
//    ENTER starts an edit, ENTER again stores it and keeps the selection.
// A field that shows values its own way (ValueForm) changes a value as it is stored, or
// each letter as it is typed.
// Text that takes typing (a fill-in field, a Dapodik cell's edit) has a caret: HOME and
// END move it, with SHIFT they select up to it, and typing replaces the selection.
// The faults asked for on the command line (FieldFaults) decide before a key acts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/ChoiceList.h"
#include "core/FieldFaults.h"
#include "core/GradeGrid.h"
#include "core/ShownValue.h"

namespace tamvera::practice {

enum class Target { RaporOnline, ERapor, Dapodik };
enum class Mode { Isian, Pilihan };
enum class Key { Tab, Enter, Left, Right, Up, Down, Escape, Backspace, Home, End };

struct FormOptions {
    Target target = Target::RaporOnline;
    Mode mode = Mode::Pilihan;
    int rows = 40;
    int cols = 10;
    FaultOptions faults;
    // Predicate lists belong to choice fields; two decimals and upper case to fields that take typing.
    ValueForm valueForm = ValueForm::AsTyped;
};

// Where a choice field's editor stands.
enum class ChoiceStep { Closed, Opened, OnList, ListOpen };

std::u16string windowTitle(Target target);
std::u16string targetName(Target target);
std::u16string modeName(Mode mode);

class PracticeForm {
public:
    // Throws std::invalid_argument for choice fields on a target other than RAPOR Online
    // or a grid without fields.
    explicit PracticeForm(const FormOptions& options);

    // `now` is when the key was pressed, on the same clock as type()'s.
    void press(Key key, bool shift, Millis now = Millis{0});
    // A typed character (one UTF-16 unit, as WM_CHAR brings it); control characters are ignored.
    void type(char16_t ch, Millis now);
    // A click on the cell at `row` and `column` (as shown): the focus moves there, as a
    // click on a page's field moves it; an edit or a choice editor open is left as ESC
    // leaves it. Clicks outside the grid's cells change nothing.
    void click(int row, int column, Millis now);

    const FormOptions& options() const { return options_; }
    const GradeGrid& grades() const { return grades_; }
    // Counts the changes made to the grade fields; the out-file is rewritten when it moves.
    std::uint64_t changes() const { return changes_; }
    // Characters typed into grade fields, and those of them the faults lost.
    std::uint64_t charactersTyped() const { return charactersTyped_; }
    std::uint64_t charactersLost() const { return charactersLost_; }
    // How long the window is to stop answering now, if the faults ask for it (once).
    std::optional<Millis> stallDue() { return faults_.stallAfter(changes_); }

    // Columns as shown: the Dapodik grid has "No" and "Nama" before the grades.
    int columns() const;
    int rows() const { return grades_.rows(); }
    bool hasRowTitles() const { return !isDapodik(); }
    bool isReadOnly(int column) const;
    std::u16string columnTitle(int column) const;
    std::u16string rowTitle(int row) const;
    // What a cell shows, including an edit in progress.
    std::u16string cellText(int row, int column) const;
    std::u16string startTitle() const { return u"Awal"; }

    bool focusOnStart() const { return onStart_; }
    int focusRow() const { return row_; }
    int focusColumn() const { return column_; }
    // The grade field that has the focus; none on "Awal" or Dapodik's "No" and "Nama".
    std::optional<FieldPlace> focusedField() const;
    // The column as shown for a grade column (Dapodik's grades come after "No" and "Nama").
    int shownColumn(int gradeCol) const { return isDapodik() ? gradeCol + 2 : gradeCol; }
    // Some of the focused text is selected: the next character replaces it.
    bool focusTextSelected() const { return caret_ != anchor_; }
    // Where typing goes in the focused text, and where a selection starts from.
    std::size_t focusCaret() const { return caret_; }
    std::size_t focusAnchor() const { return anchor_; }
    bool editing() const { return editing_; }
    ChoiceStep choiceStep() const { return step_; }
    const ChoiceList& choiceList() const { return list_; }

    std::u16string instructionText() const;
    std::u16string statusText() const;

private:
    bool isDapodik() const { return options_.target == Target::Dapodik; }
    int gradeColumn(int column) const { return isDapodik() ? column - 2 : column; }
    const std::u16string& focusedGrade() const;
    FieldPlace focusPlaceInGrades() const { return FieldPlace{row_, gradeColumn(column_)}; }
    void storeFocusedGrade(std::u16string text);
    // Stores the text as the field shows it.
    void storeFocusedValue(const std::u16string& text);
    std::u16string focusPlace() const;
    std::u16string listName() const;
    // A sentence for the instructions on how the fields show their values.
    std::u16string formNote() const;

    bool movesBetweenFields(Key key, bool shift) const;
    void pressFillIn(Key key, bool shift, Millis now);
    void pressChoice(Key key, bool shift, Millis now);
    void pressDapodik(Key key, bool shift, Millis now);
    void pressDapodikEditing(Key key, bool shift, Millis now);

    void tabThroughFields(bool forward, Millis now);
    void leaveFillInField(Millis now);
    void leaveEditorAndMoveOn(Millis now);
    void moveRight();
    void moveLeft();
    void focusMoved(Millis now);

    // The caret in the focused text.
    void selectAll(const std::u16string& text);
    void typeInto(std::u16string& text, char16_t ch);
    void eraseBeforeCaret(std::u16string& text);
    void moveCaret(const std::u16string& text, Key key, bool shift);

    FormOptions options_;
    GradeGrid grades_;
    bool onStart_;
    int row_ = 0;
    int column_ = 0;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    std::u16string valueOnArrival_;  // a fill-in field's text when the focus came to it
    bool editing_ = false;
    std::u16string edit_;
    ChoiceStep step_ = ChoiceStep::Closed;
    ChoiceList list_;
    std::uint64_t changes_ = 0;
    std::uint64_t charactersTyped_ = 0, charactersLost_ = 0;
    FieldFaults faults_;
};

}  // namespace tamvera::practice
