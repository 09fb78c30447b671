#include "core/FieldReads.h"

#include "core/DecimalText.h"

namespace tamvera::practice {

long childOf(const PracticeForm& form, FieldPlace field) {
    return 1 + static_cast<long>(field.row) * form.grades().cols() + field.col;
}

std::optional<FieldPlace> fieldOfChild(const PracticeForm& form, long child) {
    const long cols = form.grades().cols();
    if (child < 1 || child > static_cast<long>(form.grades().rows()) * cols) return std::nullopt;
    return FieldPlace{static_cast<int>((child - 1) / cols), static_cast<int>((child - 1) % cols)};
}

long focusedChild(const PracticeForm& form) {
    const std::optional<FieldPlace> field = form.focusedField();
    return field ? childOf(form, *field) : kFormChild;
}

FieldRole fieldRole(const PracticeForm& form) {
    const bool choice = form.options().target == Target::RaporOnline && form.options().mode == Mode::Pilihan;
    return choice ? FieldRole::ComboBox : FieldRole::Text;
}

std::u16string fieldValue(const PracticeForm& form, FieldPlace field) {
    if (fieldRole(form) == FieldRole::ComboBox) return form.grades().at(field.row, field.col);
    return form.cellText(field.row, form.shownColumn(field.col));
}

std::u16string fieldName(FieldPlace field) {
    return u"Siswa " + decimalText(field.row + 1) + u", Mapel " + decimalText(field.col + 1);
}

}  // namespace tamvera::practice
