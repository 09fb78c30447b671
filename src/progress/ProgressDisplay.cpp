#include "progress/ProgressDisplay.h"

#include "progress/ProgressTexts.h"
#include "progress/Totals.h"

namespace tamvera::progress {

void Txt_SaatIni_Change(form::FormModel& form) {
    form.Txt_Perkembangan.setText(ProgressText(form.Txt_SaatIni.Text(), form.Txt_Total.Text()));
}

void Txt_WaktuSaatIni_Change(form::FormModel& form, Platform& platform) {
    const double remaining = ReadHolder(platform, form.Txt_WaktuTotal) - ReadHolder(platform, form.Txt_WaktuSaatIni);
    form.Txt_Waktu.setText(RemainingTimeText(remaining));
}

void TambahWaktuSaatIni(form::FormModel& form, Platform& platform, double baseSeconds) {
    AddTimeStep(platform, form, form.Txt_WaktuSaatIni, baseSeconds);
}

void AdvanceCurrentCount(form::FormModel& form, Platform& platform) { AddToHolder(platform, form.Txt_SaatIni, 1); }

}  // namespace tamvera::progress
