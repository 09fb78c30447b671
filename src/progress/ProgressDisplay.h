// The live texts of a run, rebuilt inside every change of their holder: the progress
// text follows Txt_SaatIni, the remaining-time text follows Txt_WaktuSaatIni.
#pragma once

#include "form/FormModel.h"
#include "platform/Platform.h"
#include "progress/Totals.h"

namespace tamvera::progress {

// Change handler of Txt_SaatIni: Txt_Perkembangan = "<current> dari <total> Nilai".
void Txt_SaatIni_Change(form::FormModel& form);

// Change handler of Txt_WaktuSaatIni: Txt_Waktu from the estimate minus the elapsed
// time. Failure when a holder does not hold a number.
void Txt_WaktuSaatIni_Change(form::FormModel& form, Platform& platform);

// One time step on the elapsed time: the pause of `baseSeconds` just made, and the
// seconds the run's pace made it longer (added on their own, and only when there are any).
void TambahWaktuSaatIni(form::FormModel& form, Platform& platform, double baseSeconds = kShortPause,
                        double extraSeconds = 0);

// The run's pace changed what each value's pauses take by `extraPerValue` seconds: every
// value still to be typed gets it, so the estimate does.
void StretchEstimate(form::FormModel& form, Platform& platform, double extraPerValue);

// One more typed value on the current count.
void AdvanceCurrentCount(form::FormModel& form, Platform& platform);

}  // namespace tamvera::progress
