#include "progress/Totals.h"

#include <string>

#include "form/EntryOptions.h"
#include "form/HandOffFile.h"
#include "progress/SecondsText.h"

namespace tamvera::progress {

double ReadHolder(Platform& platform, const form::TextBox& holder) {
    return ParseSeconds(holder.Text(), platform.decimalSeparator());
}

void AddToHolder(Platform& platform, form::TextBox& holder, double increment) {
    const double sum = ReadHolder(platform, holder) + increment;
    holder.setText(FormatSeconds(sum, platform.decimalSeparator()));
}

void AddTimeStep(Platform& platform, const form::FormModel& form, form::TextBox& holder, double baseSeconds) {
    const double medium = baseSeconds * 2;
    if (form.Btn_Cepat.BtnStyle() == form::options::kChosen) AddToHolder(platform, holder, baseSeconds);
    if (form.Btn_Sedang.BtnStyle() == form::options::kChosen) AddToHolder(platform, holder, medium);
    if (form.Btn_Lambat.BtnStyle() == form::options::kChosen) AddToHolder(platform, holder, baseSeconds + medium);
}

void HitungTotal(form::FormModel& form, Platform& platform, std::u16string_view handOffPath,
                 std::size_t typedBefore) {
    form.Txt_SaatIni.setText(u"0");
    form.Txt_Total.setText(u"0");
    form::HandOffReader reader(platform, handOffPath);
    std::u16string row;
    while (reader.ReadRow(row))
        for (std::u16string_view cell : form::SplitCells(row))
            if (!cell.empty()) AddToHolder(platform, form.Txt_Total, 1);
    // After the total, so that the progress text is built with it.
    if (typedBefore > 0) AddToHolder(platform, form.Txt_SaatIni, static_cast<double>(typedBefore));
}

void HitungWaktu(form::FormModel& form, Platform& platform, std::u16string_view handOffPath,
                 std::size_t typedBefore) {
    form.Txt_WaktuSaatIni.setText(u"0");
    form.Txt_WaktuTotal.setText(u"0");
    form::HandOffReader reader(platform, handOffPath);
    form::ListStart start(typedBefore);
    std::u16string row;
    while (reader.ReadRow(row)) {
        const std::size_t firstColumn = start.firstColumn(row);
        if (firstColumn == 0) continue;
        if (form.Kesalahan == 1) break;
        const bool choice = form::options::ChoiceModeChosen(form);
        const auto cells = form::SplitCells(row);
        for (std::size_t i = firstColumn - 1; i < cells.size(); ++i) {
            const std::u16string_view cell = cells[i];
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

void TambahWaktu(form::FormModel& form, Platform& platform, double baseSeconds) {
    AddTimeStep(platform, form, form.Txt_WaktuTotal, baseSeconds);
}

}  // namespace tamvera::progress
