// The three option groups (target, entry mode, speed). A group's choice is the member
// whose BtnStyle is 2; every reader below tests the buttons afresh, nothing else stores
// the choice.
#pragma once

#include <optional>
#include <string_view>

#include "form/FormModel.h"

namespace tamvera::form::options {

inline constexpr std::int32_t kChosen = 2;

// --- Click handlers ---------------------------------------------------------------------
// Target buttons also set the entry mode: e-Rapor and Dapodik force fill-in entry and
// lock choice entry; the online report application switches back to choice entry.
void Btn_Tamvera_Click(FormModel& form);
void Btn_ERapor_Click(FormModel& form);
void Btn_Dapodik_Click(FormModel& form);
void Btn_EntriIsian_Click(FormModel& form);
void Btn_EntriPilihan_Click(FormModel& form);
void Btn_Cepat_Click(FormModel& form);
void Btn_Sedang_Click(FormModel& form);
void Btn_Lambat_Click(FormModel& form);

// --- Readers ----------------------------------------------------------------------------
// Title of the target window: the first chosen of Tamvera, e-Rapor, Dapodik; none when
// no target button is chosen.
std::optional<std::u16string_view> TargetTitle(const FormModel& form);
// The foreground guard watches the online report and e-Rapor targets only.
bool GuardWatchesForeground(const FormModel& form);
bool DapodikChosen(const FormModel& form);
bool ChoiceModeChosen(const FormModel& form);

}  // namespace tamvera::form::options
