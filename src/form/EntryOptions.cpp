#include "form/EntryOptions.h"

namespace tamvera::form::options {

namespace {
bool chosen(const controls::ucBtnFacebook& button) { return button.BtnStyle() == kChosen; }
std::int32_t styleFor(bool isChosen) { return isChosen ? kChosen : 0; }

void setTargets(FormModel& form, bool tamvera, bool eRapor, bool dapodik) {
    form.Btn_Tamvera.setBtnStyle(styleFor(tamvera));
    form.Btn_ERapor.setBtnStyle(styleFor(eRapor));
    form.Btn_Dapodik.setBtnStyle(styleFor(dapodik));
}

void setSpeed(FormModel& form, bool fast, bool medium, bool slow) {
    form.Btn_Cepat.setBtnStyle(styleFor(fast));
    form.Btn_Sedang.setBtnStyle(styleFor(medium));
    form.Btn_Lambat.setBtnStyle(styleFor(slow));
}
}  // namespace

void Btn_Tamvera_Click(FormModel& form) {
    setTargets(form, true, false, false);
    form.Btn_EntriPilihan.setEnabled(true);
    Btn_EntriPilihan_Click(form);
}

void Btn_ERapor_Click(FormModel& form) {
    setTargets(form, false, true, false);
    form.Btn_EntriPilihan.setEnabled(false);
    Btn_EntriIsian_Click(form);
}

void Btn_Dapodik_Click(FormModel& form) {
    setTargets(form, false, false, true);
    form.Btn_EntriPilihan.setEnabled(false);
    Btn_EntriIsian_Click(form);
}

void Btn_EntriIsian_Click(FormModel& form) {
    form.Btn_EntriPilihan.setBtnStyle(0);
    form.Btn_EntriIsian.setBtnStyle(kChosen);
}

void Btn_EntriPilihan_Click(FormModel& form) {
    form.Btn_EntriPilihan.setBtnStyle(kChosen);
    form.Btn_EntriIsian.setBtnStyle(0);
}

void Btn_Cepat_Click(FormModel& form) { setSpeed(form, true, false, false); }
void Btn_Sedang_Click(FormModel& form) { setSpeed(form, false, true, false); }
void Btn_Lambat_Click(FormModel& form) { setSpeed(form, false, false, true); }

std::optional<std::u16string_view> TargetTitle(const FormModel& form) {
    if (chosen(form.Btn_Tamvera)) return u"RAPOR Online";
    if (chosen(form.Btn_ERapor)) return u"e-Rapor";
    if (chosen(form.Btn_Dapodik)) return u"Aplikasi Dapodik";
    return std::nullopt;
}

bool GuardWatchesForeground(const FormModel& form) { return chosen(form.Btn_ERapor) || chosen(form.Btn_Tamvera); }

bool DapodikChosen(const FormModel& form) { return chosen(form.Btn_Dapodik); }

bool ChoiceModeChosen(const FormModel& form) { return chosen(form.Btn_EntriPilihan); }

}  // namespace tamvera::form::options
