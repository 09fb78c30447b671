// What the practice form answers a screen reader (Active Accessibility) about its fields,
// kept portable so that the window's accessible object only translates it:
//  - the form itself is child 0: the "no field" answer, also for "Awal" and for Dapodik's
//    "No" and "Nama" cells;
//  - grade field (row, col), 0-based among the grade fields, is child 1 + row * cols + col;
//  - fill-in fields and Dapodik's cells read as text, choice fields as combo boxes;
//  - a field's value is what it shows: a Dapodik cell's edit while it is edited, and for
//    a choice field the stored value, also while its list is open.
#pragma once

#include <optional>
#include <string>

#include "core/FieldFaults.h"
#include "core/PracticeForm.h"

namespace tamvera::practice {

enum class FieldRole { Text, ComboBox };

constexpr long kFormChild = 0;

long childOf(const PracticeForm& form, FieldPlace field);
std::optional<FieldPlace> fieldOfChild(const PracticeForm& form, long child);
// The focused field's child, or kFormChild when the focus is on no grade field.
long focusedChild(const PracticeForm& form);
FieldRole fieldRole(const PracticeForm& form);
std::u16string fieldValue(const PracticeForm& form, FieldPlace field);
// A distinct name for each field: "Siswa 3, Mapel 2".
std::u16string fieldName(FieldPlace field);

}  // namespace tamvera::practice
