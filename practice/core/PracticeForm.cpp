#include "core/PracticeForm.h"

#include <algorithm>
#include <stdexcept>

#include "core/DecimalText.h"

namespace tamvera::practice {

namespace {

bool isHighSurrogate(char16_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool isLowSurrogate(char16_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }
bool isControl(char16_t ch) { return ch < 0x20 || ch == 0x7F; }

std::u16string shown(const std::u16string& value) { return value.empty() ? u"(kosong)" : value; }

ChoiceList choiceListFor(ValueForm form) {
    return form == ValueForm::Predicate ? ChoiceList(predicateEntries()) : ChoiceList::grades();
}

// The forms a field of this kind can show its values in.
bool fitsMode(ValueForm form, Mode mode, Target target) {
    const bool choice = mode == Mode::Pilihan && target == Target::RaporOnline;
    if (form == ValueForm::Predicate) return choice;
    return form == ValueForm::AsTyped || !choice;
}

}  // namespace

std::u16string windowTitle(Target target) { return targetName(target) + u" - Latihan"; }

std::u16string targetName(Target target) {
    switch (target) {
    case Target::RaporOnline: return u"RAPOR Online";
    case Target::ERapor: return u"e-Rapor";
    case Target::Dapodik: return u"Aplikasi Dapodik";
    }
    return {};
}

std::u16string modeName(Mode mode) { return mode == Mode::Isian ? u"Isian" : u"Pilihan"; }

PracticeForm::PracticeForm(const FormOptions& options)
    : options_(options),
      grades_(options.rows, options.cols),
      onStart_(options.target != Target::Dapodik),
      list_(choiceListFor(options.valueForm)),
      faults_(options.faults) {
    if (options.mode == Mode::Pilihan && options.target != Target::RaporOnline) {
        throw std::invalid_argument("choice fields exist only on the online report");
    }
    if (!fitsMode(options.valueForm, options.mode, options.target)) {
        throw std::invalid_argument("predicates belong to choice fields, other forms to typed ones");
    }
}

int PracticeForm::columns() const { return isDapodik() ? grades_.cols() + 2 : grades_.cols(); }

bool PracticeForm::isReadOnly(int column) const { return isDapodik() && column < 2; }

std::u16string PracticeForm::columnTitle(int column) const {
    if (isDapodik() && column == 0) return u"No";
    if (isDapodik() && column == 1) return u"Nama";
    return u"Mapel " + decimalText(gradeColumn(column) + 1);
}

std::u16string PracticeForm::rowTitle(int row) const { return u"Siswa " + decimalText(row + 1); }

std::u16string PracticeForm::cellText(int row, int column) const {
    if (isDapodik() && column == 0) return decimalText(row + 1);
    if (isDapodik() && column == 1) return rowTitle(row);
    if (editing_ && row == row_ && column == column_) return edit_;
    return grades_.at(row, gradeColumn(column));
}

const std::u16string& PracticeForm::focusedGrade() const { return grades_.at(row_, gradeColumn(column_)); }

std::optional<FieldPlace> PracticeForm::focusedField() const {
    if (onStart_ || isReadOnly(column_)) return std::nullopt;
    return focusPlaceInGrades();
}

void PracticeForm::storeFocusedGrade(std::u16string text) {
    if (grades_.set(row_, gradeColumn(column_), std::move(text))) ++changes_;
}

void PracticeForm::storeFocusedValue(const std::u16string& text) {
    storeFocusedGrade(shownValue(options_.valueForm, text));
}

void PracticeForm::press(Key key, bool shift, Millis now) {
    if (movesBetweenFields(key, shift) && faults_.losesNavigation()) return;  // this key went missing
    if (isDapodik()) {
        pressDapodik(key, shift, now);
    } else if (options_.mode == Mode::Pilihan) {
        pressChoice(key, shift, now);
    } else {
        pressFillIn(key, shift, now);
    }
}

// The keys that would take the focus from one field to another (the ones a lost
// navigation key can be): not those that move inside a field's editor.
bool PracticeForm::movesBetweenFields(Key key, bool shift) const {
    if (isDapodik()) return !editing_ && (key == Key::Right || key == Key::Left || key == Key::Tab);
    if (key != Key::Tab) return false;
    if (options_.mode == Mode::Isian || step_ == ChoiceStep::Closed) return true;
    return !shift && (step_ == ChoiceStep::OnList || step_ == ChoiceStep::ListOpen);
}

void PracticeForm::type(char16_t ch, Millis now) {
    if (isControl(ch)) return;  // TAB, ENTER and BACKSPACE come as keys
    const std::optional<FieldPlace> field = focusedField();
    if (!field) return;
    ++charactersTyped_;
    if (faults_.losesCharacter(*field, now)) {
        ++charactersLost_;
        return;
    }
    ch = typedCharacter(options_.valueForm, ch);
    if (isDapodik()) {
        if (editing_) typeInto(edit_, ch);
    } else if (options_.mode == Mode::Pilihan) {
        if (step_ == ChoiceStep::ListOpen) list_.type(ch, now);
    } else {
        std::u16string text = focusedGrade();
        typeInto(text, ch);
        storeFocusedGrade(std::move(text));
    }
}

void PracticeForm::selectAll(const std::u16string& text) {
    anchor_ = 0;
    caret_ = text.size();
}

void PracticeForm::typeInto(std::u16string& text, char16_t ch) {
    const std::size_t from = std::min({caret_, anchor_, text.size()});
    const std::size_t to = std::min(std::max(caret_, anchor_), text.size());
    text.replace(from, to - from, 1, ch);
    caret_ = anchor_ = from + 1;
}

// The selection, or the whole character before the caret.
void PracticeForm::eraseBeforeCaret(std::u16string& text) {
    std::size_t from = std::min({caret_, anchor_, text.size()});
    const std::size_t to = std::min(std::max(caret_, anchor_), text.size());
    if (from == to && from > 0) {
        --from;
        if (from > 0 && isLowSurrogate(text[from]) && isHighSurrogate(text[from - 1])) --from;  // the pair's first half
    }
    text.erase(from, to - from);
    caret_ = anchor_ = from;
}

// HOME and END; with SHIFT the selection reaches from where it started to the caret.
void PracticeForm::moveCaret(const std::u16string& text, Key key, bool shift) {
    caret_ = key == Key::Home ? 0 : text.size();
    if (!shift) anchor_ = caret_;
    anchor_ = std::min(anchor_, text.size());
}

void PracticeForm::pressFillIn(Key key, bool shift, Millis now) {
    if (key == Key::Tab) {
        tabThroughFields(!shift, now);
    } else if (onStart_) {
        return;
    } else if (key == Key::Backspace) {
        std::u16string text = focusedGrade();
        eraseBeforeCaret(text);
        storeFocusedGrade(std::move(text));
    } else if (key == Key::Home || key == Key::End) {
        moveCaret(focusedGrade(), key, shift);
    }
}

void PracticeForm::pressChoice(Key key, bool shift, Millis now) {
    const bool tabForward = key == Key::Tab && !shift;
    const bool tabBack = key == Key::Tab && shift;
    switch (step_) {
    case ChoiceStep::Closed:
        if (key == Key::Tab) {
            tabThroughFields(!shift, now);
        } else if (key == Key::Enter && !onStart_) {
            step_ = ChoiceStep::Opened;
        }
        break;
    case ChoiceStep::Opened:
        if (tabForward) {
            step_ = ChoiceStep::OnList;
        } else if (tabBack || key == Key::Escape) {
            step_ = ChoiceStep::Closed;
        }
        break;
    case ChoiceStep::OnList:
        if (tabForward) {
            leaveEditorAndMoveOn(now);
        } else if (tabBack) {
            step_ = ChoiceStep::Opened;
        } else if (key == Key::Enter) {
            list_.open();
            step_ = ChoiceStep::ListOpen;
            faults_.focusArrived(focusPlaceInGrades(), now);  // typing starts on the dropped list
        } else if (key == Key::Escape) {
            step_ = ChoiceStep::Closed;
        }
        break;
    case ChoiceStep::ListOpen:
        if (key == Key::Enter) {
            // Nothing selected leaves the field as it was; a field that refuses values keeps none.
            if (list_.selected() && !faults_.refuses(focusPlaceInGrades())) {
                storeFocusedGrade(list_.selectedText());
                faults_.valueStored(focusPlaceInGrades(), now);
            }
            step_ = ChoiceStep::OnList;
        } else if (tabForward) {
            leaveEditorAndMoveOn(now);  // drops the selection, as ESC does
        } else if (tabBack || key == Key::Escape) {
            step_ = ChoiceStep::OnList;
        } else if (key == Key::Down) {
            list_.selectNext();
        } else if (key == Key::Up) {
            list_.selectPrevious();
        } else if (key == Key::Home) {
            list_.selectFirst();
        } else if (key == Key::End) {
            list_.selectLast();
        }
        break;
    }
}

void PracticeForm::leaveEditorAndMoveOn(Millis now) {
    step_ = ChoiceStep::Closed;
    tabThroughFields(true, now);
}

// A fill-in field's value is stored when the focus leaves it changed, as a browser's
// change event comes.
void PracticeForm::leaveFillInField(Millis now) {
    if (options_.mode == Mode::Isian && !onStart_ && focusedGrade() != valueOnArrival_) {
        storeFocusedValue(focusedGrade());
        faults_.valueStored(focusPlaceInGrades(), now);
    }
}

void PracticeForm::click(int row, int column, Millis now) {
    if (row < 0 || row >= rows() || column < 0 || column >= columns()) return;
    if (!isDapodik()) leaveFillInField(now);
    editing_ = false;
    step_ = ChoiceStep::Closed;
    onStart_ = false;
    row_ = row;
    column_ = column;
    focusMoved(now);
}

// Row-major order; past the last field focus returns to the element before the first.
void PracticeForm::tabThroughFields(bool forward, Millis now) {
    leaveFillInField(now);
    const int count = grades_.rows() * grades_.cols();
    int index = onStart_ ? -1 : row_ * grades_.cols() + column_;
    index += forward ? 1 : -1;
    if (index >= count) index = -1;
    if (index < -1) index = count - 1;
    onStart_ = index == -1;
    if (!onStart_) {
        row_ = index / grades_.cols();
        column_ = index % grades_.cols();
    }
    focusMoved(now);
}

// The focus has come to another element: its text is selected, so typing replaces it.
void PracticeForm::focusMoved(Millis now) {
    const std::optional<FieldPlace> field = focusedField();
    if (!field) {
        caret_ = anchor_ = 0;
        return;
    }
    faults_.focusArrived(*field, now);
    valueOnArrival_ = focusedGrade();
    selectAll(valueOnArrival_);
}

void PracticeForm::pressDapodik(Key key, bool shift, Millis now) {
    if (editing_) {
        pressDapodikEditing(key, shift, now);
        return;
    }
    const int row = row_;
    const int column = column_;
    switch (key) {
    case Key::Right: moveRight(); break;
    case Key::Left: moveLeft(); break;
    case Key::Tab: shift ? moveLeft() : moveRight(); break;
    case Key::Up:
        if (row_ > 0) --row_;
        break;
    case Key::Down:
        if (row_ + 1 < grades_.rows()) ++row_;
        break;
    case Key::Enter:
        if (!isReadOnly(column_)) {  // "No" and "Nama" ignore it
            editing_ = true;
            edit_ = focusedGrade();
            selectAll(edit_);
        }
        break;
    default: break;
    }
    if (row != row_ || column != column_) focusMoved(now);
}

// While a cell is edited the arrows move inside the edit; ENTER or TAB store it.
void PracticeForm::pressDapodikEditing(Key key, bool shift, Millis now) {
    switch (key) {
    case Key::Enter:
    case Key::Tab:
        editing_ = false;
        storeFocusedValue(edit_);
        faults_.valueStored(focusPlaceInGrades(), now);
        edit_.clear();
        if (key == Key::Tab) {
            shift ? moveLeft() : moveRight();
            focusMoved(now);
        }
        break;
    case Key::Escape:
        editing_ = false;
        edit_.clear();
        break;
    case Key::Backspace: eraseBeforeCaret(edit_); break;
    case Key::Home:
    case Key::End: moveCaret(edit_, key, shift); break;
    default: break;
    }
}

// From a row's last cell to the next row's first; the last row's last cell stays.
void PracticeForm::moveRight() {
    if (column_ + 1 < columns()) {
        ++column_;
    } else if (row_ + 1 < grades_.rows()) {
        ++row_;
        column_ = 0;
    }
}

void PracticeForm::moveLeft() {
    if (column_ > 0) {
        --column_;
    } else if (row_ > 0) {
        --row_;
        column_ = columns() - 1;
    }
}

std::u16string PracticeForm::instructionText() const {
    return u"Jendela latihan Tamvera. Di Tamvera pilih target " + targetName(options_.target) + u" dan mode " +
           modeName(options_.mode) +
           u", tempel daftar nilai, lalu tekan Mulai. Nilai akan diketik ke kolom di bawah ini; "
           u"jangan sentuh mouse/keyboard selama proses berlangsung." +
           formNote();
}

std::u16string PracticeForm::formNote() const {
    switch (options_.valueForm) {
    case ValueForm::Predicate: return u" Daftar pilihan berisi predikat A sampai D: tempel hurufnya saja (A, B, C, D).";
    case ValueForm::TwoDecimals: return u" Kolom menampilkan nilai dengan dua desimal setelah disimpan (85 menjadi 85,00).";
    case ValueForm::UpperCase: return u" Kolom mengubah setiap huruf yang diketik menjadi huruf kapital.";
    case ValueForm::AsTyped: break;
    }
    return {};
}

std::u16string PracticeForm::listName() const {
    return options_.valueForm == ValueForm::Predicate ? u"predikat A sampai D" : u"nilai 100 sampai 1";
}

std::u16string PracticeForm::focusPlace() const {
    if (isDapodik()) return u"Baris " + decimalText(row_ + 1) + u", kolom " + columnTitle(column_);
    return rowTitle(row_) + u", " + columnTitle(column_);
}

std::u16string PracticeForm::statusText() const {
    if (onStart_) return u"Fokus di awal formulir: TAB pertama menuju Siswa 1, Mapel 1.";
    const std::u16string place = focusPlace();
    if (isDapodik()) {
        if (isReadOnly(column_)) return place + u" (tidak dapat diubah).";
        if (editing_) return place + u": mengubah \"" + edit_ + u"\", ENTER untuk menyimpan.";
        return place + u": " + shown(focusedGrade()) + u". ENTER untuk mengubah.";
    }
    if (options_.mode == Mode::Isian) return place + u": " + shown(focusedGrade());
    const bool predicates = options_.valueForm == ValueForm::Predicate;
    switch (step_) {
    case ChoiceStep::Closed: return place + u": " + shown(focusedGrade()) + u". ENTER membuka editor nilai.";
    case ChoiceStep::Opened: return place + u": editor nilai terbuka, TAB menuju daftar pilihan.";
    case ChoiceStep::OnList: return place + u": ENTER membuka daftar " + listName() + u".";
    case ChoiceStep::ListOpen:
        return place + u": ketik " + (predicates ? u"huruf" : u"angka") + u" untuk memilih (terpilih: " +
               (list_.selected() ? list_.selectedText() : u"belum ada") + u"), ENTER untuk memakai.";
    }
    return place;
}

}  // namespace tamvera::practice
