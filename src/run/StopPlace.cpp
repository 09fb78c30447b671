#include "run/StopPlace.h"

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
        }
    }
    return place;
}

}  // namespace

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

}  // namespace tamvera::run
