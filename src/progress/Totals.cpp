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

void AddTimeStep(Platform& platform, const run::FormModel& form, run::TextBox& holder, double baseSeconds) {
    const double medium = baseSeconds * 2;
    if (form.Btn_Cepat.BtnStyle() == run::options::kChosen) AddToHolder(platform, holder, baseSeconds);
    if (form.Btn_Sedang.BtnStyle() == run::options::kChosen) AddToHolder(platform, holder, medium);
    if (form.Btn_Lambat.BtnStyle() == run::options::kChosen) AddToHolder(platform, holder, baseSeconds + medium);
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
            if (!choice) {
                TambahWaktu(form, platform);
                continue;
            }
            // ENTER, TAB, ENTER, the choice keys, ENTER: four short pauses; then the
            // closing pause before the TAB to the next cell.
            if (!cell.empty())
                for (int pause = 0; pause < 4; ++pause) TambahWaktu(form, platform);
            TambahWaktu(form, platform, kClosingPause);
        }
        TambahWaktu(form, platform);
    }
}

void TambahWaktu(run::FormModel& form, Platform& platform, double baseSeconds) {
    AddTimeStep(platform, form, form.Txt_WaktuTotal, baseSeconds);
}

}  // namespace tamvera::progress
