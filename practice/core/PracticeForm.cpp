#include "core/PracticeForm.h"

#include <stdexcept>

#include "core/DecimalText.h"

namespace tamvera::practice {

namespace {

bool isHighSurrogate(char16_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool isControl(char16_t ch) { return ch < 0x20 || ch == 0x7F; }

std::u16string shown(const std::u16string& value) { return value.empty() ? u"(kosong)" : value; }

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
    : options_(options), grades_(options.rows, options.cols), onStart_(options.target != Target::Dapodik) {
    if (options.mode == Mode::Pilihan && options.target != Target::RaporOnline) {
        throw std::invalid_argument("choice fields exist only on the online report");
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

void PracticeForm::storeFocusedGrade(std::u16string text) {
    if (grades_.set(row_, gradeColumn(column_), std::move(text))) ++changes_;
}

void PracticeForm::press(Key key, bool shift) {
    if (isDapodik()) {
        pressDapodik(key, shift);
    } else if (options_.mode == Mode::Pilihan) {
        pressChoice(key, shift);
    } else {
        pressFillIn(key, shift);
    }
}

void PracticeForm::type(char16_t ch, Millis now) {
    if (isControl(ch)) return;  // TAB, ENTER and BACKSPACE come as keys
    if (isDapodik()) {
        if (editing_) typeInto(edit_, ch);
    } else if (options_.mode == Mode::Pilihan) {
        if (step_ == ChoiceStep::ListOpen) list_.type(ch, now);
    } else if (!onStart_) {
        std::u16string text = focusedGrade();
        typeInto(text, ch);
        storeFocusedGrade(std::move(text));
    }
}

void PracticeForm::typeInto(std::u16string& text, char16_t ch) {
    if (selectAll_) text.clear();
    selectAll_ = false;
    text.push_back(ch);
}

void PracticeForm::eraseLastCharacter(std::u16string& text) {
    if (selectAll_) {
        text.clear();
    } else if (!text.empty()) {
        text.pop_back();
        if (!text.empty() && isHighSurrogate(text.back())) text.pop_back();  // the pair's first half
    }
    selectAll_ = false;
}

void PracticeForm::pressFillIn(Key key, bool shift) {
    if (key == Key::Tab) {
        tabThroughFields(!shift);
    } else if (key == Key::Backspace && !onStart_) {
        std::u16string text = focusedGrade();
        eraseLastCharacter(text);
        storeFocusedGrade(std::move(text));
    }
}

void PracticeForm::pressChoice(Key key, bool shift) {
    const bool tabForward = key == Key::Tab && !shift;
    const bool tabBack = key == Key::Tab && shift;
    switch (step_) {
    case ChoiceStep::Closed:
        if (key == Key::Tab) {
            tabThroughFields(!shift);
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
            leaveEditorAndMoveOn();
        } else if (tabBack) {
            step_ = ChoiceStep::Opened;
        } else if (key == Key::Enter) {
            list_.open();
            step_ = ChoiceStep::ListOpen;
        } else if (key == Key::Escape) {
            step_ = ChoiceStep::Closed;
        }
        break;
    case ChoiceStep::ListOpen:
        if (key == Key::Enter) {
            // Nothing selected leaves the field as it was.
            if (list_.selected()) storeFocusedGrade(list_.selectedText());
            step_ = ChoiceStep::OnList;
        } else if (tabForward) {
            leaveEditorAndMoveOn();  // drops the selection, as ESC does
        } else if (tabBack || key == Key::Escape) {
            step_ = ChoiceStep::OnList;
        } else if (key == Key::Down) {
            list_.selectNext();
        } else if (key == Key::Up) {
            list_.selectPrevious();
        }
        break;
    }
}

void PracticeForm::leaveEditorAndMoveOn() {
    step_ = ChoiceStep::Closed;
    tabThroughFields(true);
}

// Row-major order; past the last field focus returns to the element before the first.
void PracticeForm::tabThroughFields(bool forward) {
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
    selectAll_ = true;
}

void PracticeForm::pressDapodik(Key key, bool shift) {
    if (editing_) {
        pressDapodikEditing(key, shift);
        return;
    }
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
            selectAll_ = true;
        }
        break;
    default: break;
    }
}

// While a cell is edited the arrows move inside the edit; ENTER or TAB store it.
void PracticeForm::pressDapodikEditing(Key key, bool shift) {
    switch (key) {
    case Key::Enter:
    case Key::Tab:
        editing_ = false;
        storeFocusedGrade(std::move(edit_));
        edit_.clear();
        if (key == Key::Tab) shift ? moveLeft() : moveRight();
        break;
    case Key::Escape:
        editing_ = false;
        edit_.clear();
        break;
    case Key::Backspace: eraseLastCharacter(edit_); break;
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
           u"jangan sentuh mouse/keyboard selama proses berlangsung.";
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
    switch (step_) {
    case ChoiceStep::Closed: return place + u": " + shown(focusedGrade()) + u". ENTER membuka editor nilai.";
    case ChoiceStep::Opened: return place + u": editor nilai terbuka, TAB menuju daftar pilihan.";
    case ChoiceStep::OnList: return place + u": ENTER membuka daftar nilai 100 sampai 1.";
    case ChoiceStep::ListOpen:
        return place + u": ketik angka untuk memilih (terpilih: " +
               (list_.selected() ? list_.selectedText() : u"belum ada") + u"), ENTER untuk memakai.";
    }
    return place;
}

}  // namespace tamvera::practice
