#include "run/StopPlace.h"

#include "form/EntryOptions.h"
#include "form/HandOffFile.h"
#include "platform/Failure.h"
#include "platform/Text.h"

namespace tamvera::run {

namespace {

std::u16string number(std::size_t n) { return utf16(std::to_string(n)); }

// Counts the values of the file in list order, with the place of value number `wanted`.
StopPlace countValues(Platform& platform, std::u16string_view handOffPath, std::size_t wanted) {
    form::HandOffReader reader(platform, handOffPath);
    StopPlace place;
    std::u16string row;
    for (std::size_t rowNumber = 1; reader.ReadRow(row); ++rowNumber) {
        std::size_t column = 0;
        for (std::u16string_view cell : form::SplitCells(row)) {
            ++column;
            if (cell.empty() || ++place.total != wanted) continue;
            place.row = rowNumber;
            place.column = column;
            place.value = cell;
        }
    }
    return place;
}

std::u16string rowColumn(std::size_t row, std::size_t column) {
    return u"baris " + number(row) + u", kolom " + number(column);
}

// The field a value's keys expect the focus on, in the teacher's words: the value's own
// field in a form, its list field (not yet opened) in a choice form, and in the Dapodik
// grid the cell to its left, since the value's keys start with the RIGHT that enters it.
std::u16string fieldToClick(EntryKind kind, const StopPlace& stop) {
    switch (kind) {
    case EntryKind::FillIn: return u"kolom isian " + rowColumn(stop.row, stop.column) + u" di aplikasi rapor";
    case EntryKind::Choice:
        return u"kolom pilihan " + rowColumn(stop.row, stop.column) + u" di aplikasi rapor (daftarnya jangan dibuka)";
    case EntryKind::Dapodik:
        return (stop.column > 1 ? u"sel nilai " + rowColumn(stop.row, stop.column - 1)
                                : u"sel Nama baris " + number(stop.row)) +
               u" di Dapodik, tepat di kiri sel nilai itu";
    }
    return {};
}

}  // namespace

RunSetting CurrentSetting(const form::FormModel& form) {
    const auto target = form::options::TargetTitle(form);
    const EntryKind kind = form::options::DapodikChosen(form)      ? EntryKind::Dapodik
                           : form::options::ChoiceModeChosen(form) ? EntryKind::Choice
                                                                   : EntryKind::FillIn;
    return {form.Txt_Nilai.Text(), target ? std::u16string(*target) : u"", kind};
}

std::optional<StopPlace> FindStopPlace(Platform& platform, std::u16string_view handOffPath, std::size_t typed) {
    try {
        StopPlace place = countValues(platform, handOffPath, typed + 1);
        if (place.row == 0) return std::nullopt;
        place.typed = typed;
        return place;
    } catch (const Failure&) {
        return std::nullopt;  // the apology alone, as before
    }
}

std::u16string StopLine(const std::optional<StopPlace>& stop) {
    if (!stop) return {};
    return u"Pengisian berhenti di baris " + number(stop->row) + u", kolom " + number(stop->column) + u": " +
           number(stop->typed) + u" dari " + number(stop->total) + u" nilai sudah diketik.";
}

std::u16string ResumeQuestion(EntryKind kind, const StopPlace& stop) {
    return u"Lanjutkan dari " + rowColumn(stop.row, stop.column) + u" (nilai " + stop.value + u")?\n" +
           u"Sebelum memilih Ya, klik dulu " + fieldToClick(kind, stop) + u".\n" +
           u"Ya: pengisian dilanjutkan dari nilai itu. Tidak: pengisian dimulai lagi dari awal.";
}

std::u16string AlreadyFilledText(EntryKind kind, const StopPlace& stop, const Landed& done) {
    return u"Kolom ini sudah diisi: " + rowColumn(done.row, done.column) + u". Tidak ada yang diketik.\n" +
           u"Klik " + fieldToClick(kind, stop) + u" (untuk nilai " + stop.value + u"), lalu tekan Mulai lagi.";
}

}  // namespace tamvera::run
