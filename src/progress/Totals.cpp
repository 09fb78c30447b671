#include "progress/Totals.h"

#include <string>

#include "progress/SecondsText.h"
#include "run/EntryOptions.h"
#include "run/HandOffFile.h"

namespace tamvera::progress {

double ReadHolder(Platform& platform, const run::TextBox& holder) {
    return ParseSeconds(holder.Text(), platform.decimalSeparator());
}

void AddToHolder(Platform& platform, run::TextBox& holder, double increment) {
    const double sum = ReadHolder(platform, holder) + increment;
    holder.setText(FormatSeconds(sum, platform.decimalSeparator()));
}

void AddTimeStep(Platform& platform, const run::FormModel& form, run::TextBox& holder) {
    if (form.Btn_Cepat.BtnStyle() == run::options::kChosen) AddToHolder(platform, holder, kStepFast);
    if (form.Btn_Sedang.BtnStyle() == run::options::kChosen) AddToHolder(platform, holder, kStepMedium);
    if (form.Btn_Lambat.BtnStyle() == run::options::kChosen) AddToHolder(platform, holder, kStepSlow);
}

void HitungTotal(run::FormModel& form, Platform& platform, std::u16string_view handOffPath) {
    form.Txt_SaatIni.setText(u"0");
    form.Txt_Total.setText(u"0");
    run::HandOffReader reader(platform, handOffPath);
    std::u16string row;
    while (reader.ReadRow(row))
        for (std::u16string_view cell : run::SplitCells(row))
            if (!cell.empty()) AddToHolder(platform, form.Txt_Total, 1);
}

void HitungWaktu(run::FormModel& form, Platform& platform, std::u16string_view handOffPath) {
    form.Txt_WaktuSaatIni.setText(u"0");
    form.Txt_WaktuTotal.setText(u"0");
    run::HandOffReader reader(platform, handOffPath);
    std::u16string row;
    while (reader.ReadRow(row)) {
        if (form.Kesalahan == 1) break;
        const bool choice = run::options::ChoiceModeChosen(form);
        for (std::u16string_view cell : run::SplitCells(row)) {
            if (choice && !cell.empty()) {
                TambahWaktu(form, platform);
                TambahWaktu(form, platform);
            }
            TambahWaktu(form, platform);
        }
        TambahWaktu(form, platform);
    }
}

void TambahWaktu(run::FormModel& form, Platform& platform) { AddTimeStep(platform, form, form.Txt_WaktuTotal); }

}  // namespace tamvera::progress
