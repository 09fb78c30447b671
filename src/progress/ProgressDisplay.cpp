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

void TambahWaktuSaatIni(form::FormModel& form, Platform& platform, double baseSeconds, double extraSeconds) {
    if (baseSeconds > 0) AddTimeStep(platform, form, form.Txt_WaktuSaatIni, baseSeconds);
    if (extraSeconds > 0) AddToHolder(platform, form.Txt_WaktuSaatIni, extraSeconds);
}

void StretchEstimate(form::FormModel& form, Platform& platform, double extraPerValue) {
    const double valuesLeft = ReadHolder(platform, form.Txt_Total) - ReadHolder(platform, form.Txt_SaatIni);
    if (valuesLeft > 0) AddToHolder(platform, form.Txt_WaktuTotal, extraPerValue * valuesLeft);
}

void AdvanceCurrentCount(form::FormModel& form, Platform& platform) { AddToHolder(platform, form.Txt_SaatIni, 1); }

}  // namespace tamvera::progress
