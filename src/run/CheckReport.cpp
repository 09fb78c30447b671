#include "run/CheckReport.h"

#include <string>

#include "platform/Text.h"

namespace tamvera::run {

namespace {

constexpr std::size_t kCellsNamed = 10;

std::u16string number(std::size_t n) { return utf16(std::to_string(n)); }

std::u16string quoted(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }

std::u16string cellLine(const UnconfirmedCell& cell) {
    std::u16string held = !cell.readable     ? u"isinya tidak terbaca"
                          : cell.held.empty() ? u"terisi kosong"
                                              : u"terisi " + quoted(cell.held);
    return u"Baris " + number(cell.row) + u", kolom " + number(cell.column) + u": seharusnya " +
           quoted(cell.expected) + u", " + held;
}

}  // namespace

std::u16string ClosingMessage(const CheckReport& report) {
    if (report.notChecked)
        return u"Nilai tidak dapat diperiksa di aplikasi ini. Tamvera mengetik tanpa memeriksa hasilnya; "
               u"periksa sendiri nilai yang sudah terisi.";
    std::u16string text;
    if (!report.unconfirmed.empty()) {
        text = u"Beberapa nilai belum pasti masuk. Periksa isian berikut di aplikasi rapor (baris dan kolom "
               u"menurut daftar yang ditempel):";
        for (std::size_t i = 0; i < report.unconfirmed.size() && i < kCellsNamed; ++i)
            text += u"\n" + cellLine(report.unconfirmed[i]);
        if (report.unconfirmed.size() > kCellsNamed)
            text += u"\ndan " + number(report.unconfirmed.size() - kCellsNamed) + u" isian lainnya.";
    }
    if (report.placeUnknown) {
        if (!text.empty()) text += u"\n\n";
        text += u"Tamvera tidak dapat membedakan isian satu dengan yang lain di aplikasi ini: hanya isinya yang "
                u"diperiksa, bukan letaknya.";
    }
    if (report.shownOwnWay) {
        if (!text.empty()) text += u"\n\n";
        text += u"Aplikasi menampilkan nilai dengan bentuknya sendiri, misalnya " + report.shownOwnWay->first +
                u" sebagai " + report.shownOwnWay->second + u": nilai dianggap sama.";
    }
    return text;
}

}  // namespace tamvera::run
