#include "core/Arguments.h"

#include <algorithm>
#include <cstdint>

#include "core/DecimalText.h"

namespace tamvera::practice {

namespace {

std::u16string lower(std::u16string s) {
    for (char16_t& ch : s) {
        if (ch >= u'A' && ch <= u'Z') ch = static_cast<char16_t>(ch - u'A' + u'a');
    }
    return s;
}

std::u16string quoted(const std::u16string& s) { return u"\"" + s + u"\""; }

// Decimal digits only, within min..max; anything else is no number.
std::optional<std::int64_t> parseWhole(const std::u16string& s, std::int64_t min, std::int64_t max) {
    if (s.empty() || s.size() > 10) return std::nullopt;
    std::int64_t n = 0;
    for (char16_t ch : s) {
        if (ch < u'0' || ch > u'9') return std::nullopt;
        n = n * 10 + (ch - u'0');
    }
    if (n < min || n > max) return std::nullopt;
    return n;
}

std::optional<int> parseNumber(const std::u16string& s, int min, int max) {
    const auto n = parseWhole(s, min, max);
    if (!n) return std::nullopt;
    return static_cast<int>(*n);
}

// "MS", or "MIN-MAX" for a delay whose every length is drawn from that range.
std::optional<Lag> parseLag(const std::u16string& s) {
    const std::size_t dash = s.find(u'-');
    const auto min = parseNumber(s.substr(0, dash), 0, kMaxDelayMs);
    if (!min) return std::nullopt;
    if (dash == std::u16string::npos) return Lag::fixed(Millis(*min));
    const auto max = parseNumber(s.substr(dash + 1), *min, kMaxDelayMs);
    if (!max) return std::nullopt;
    return Lag{Millis(*min), Millis(*max)};
}

std::optional<int> parseCount(const std::u16string& s, int max) { return parseNumber(s, 1, max); }

// "R,K": a grade field's row and column, both counted from 1.
std::optional<FieldPlace> parseField(const std::u16string& s) {
    const std::size_t comma = s.find(u',');
    if (comma == std::u16string::npos) return std::nullopt;
    const auto row = parseCount(s.substr(0, comma), kMaxRows);
    const auto col = parseCount(s.substr(comma + 1), kMaxCols);
    if (!row || !col) return std::nullopt;
    return FieldPlace{*row - 1, *col - 1};
}

std::optional<Target> parseTarget(const std::u16string& s) {
    const std::u16string v = lower(s);
    if (v == u"rapor") return Target::RaporOnline;
    if (v == u"erapor" || v == u"e-rapor") return Target::ERapor;
    if (v == u"dapodik") return Target::Dapodik;
    return std::nullopt;
}

std::optional<Mode> parseMode(const std::u16string& s) {
    const std::u16string v = lower(s);
    if (v == u"isian") return Mode::Isian;
    if (v == u"pilihan") return Mode::Pilihan;
    return std::nullopt;
}

std::optional<ValueForm> parseValueForm(const std::u16string& s) {
    const std::u16string v = lower(s);
    if (v == u"biasa") return ValueForm::AsTyped;
    if (v == u"predikat") return ValueForm::Predicate;
    if (v == u"desimal") return ValueForm::TwoDecimals;
    if (v == u"kapital") return ValueForm::UpperCase;
    return std::nullopt;
}

struct Parser {
    LaunchOptions launch;
    std::optional<Mode> mode;
    std::optional<int> stallAfter;
    std::u16string problem;

    bool applyFlag(const std::u16string& name) {
        if (name == u"--tanpa-baca") launch.answerReads = false;
        return true;
    }

    // Returns false with the problem set when the option or its value is wrong.
    bool apply(const std::u16string& name, const std::u16string& value) {
        if (name == u"--target") {
            const auto target = parseTarget(value);
            if (!target) return fail(u"Target tidak dikenal: " + quoted(value) + u". Gunakan rapor, erapor atau dapodik.");
            launch.form.target = *target;
        } else if (name == u"--mode") {
            mode = parseMode(value);
            if (!mode) return fail(u"Mode tidak dikenal: " + quoted(value) + u". Gunakan isian atau pilihan.");
        } else if (name == u"--bentuk") {
            const auto form = parseValueForm(value);
            if (!form) {
                return fail(u"Bentuk tidak dikenal: " + quoted(value) + u". Gunakan biasa, predikat, desimal atau kapital.");
            }
            launch.form.valueForm = *form;
        } else if (name == u"--rows") {
            const auto rows = parseCount(value, kMaxRows);
            if (!rows) {
                return fail(u"Jumlah baris harus bilangan bulat dari 1 sampai " + decimalText(kMaxRows) + u", bukan " +
                            quoted(value) + u".");
            }
            launch.form.rows = *rows;
        } else if (name == u"--cols") {
            const auto cols = parseCount(value, kMaxCols);
            if (!cols) {
                return fail(u"Jumlah kolom harus bilangan bulat dari 1 sampai " + decimalText(kMaxCols) + u", bukan " +
                            quoted(value) + u".");
            }
            launch.form.cols = *cols;
        } else if (name == u"--out") {
            if (value.empty()) return fail(u"Pilihan --out memerlukan nama berkas.");
            launch.outPath = value;
        } else {
            return applyFault(name, value);
        }
        return true;
    }

    bool applyFault(const std::u16string& name, const std::u16string& value) {
        FaultOptions& faults = launch.form.faults;
        if (name == u"--tunda-fokus" || name == u"--tunda-simpan") {
            const auto lag = parseLag(value);
            if (!lag) {
                return fail(u"Pilihan " + name + u" memerlukan lama tunda dalam milidetik, 0 sampai " +
                            decimalText(kMaxDelayMs) + u", atau rentang MIN-MAKS (misalnya 0-1000), bukan " +
                            quoted(value) + u".");
            }
            (name == u"--tunda-fokus" ? faults.focusDelay : faults.storeDelay) = *lag;
        } else if (name == u"--benih") {
            const auto seed = parseWhole(value, 0, kMaxSeed);
            if (!seed) {
                return fail(u"Pilihan --benih memerlukan bilangan bulat 0 sampai " + decimalText(kMaxSeed) + u", bukan " +
                            quoted(value) + u".");
            }
            faults.seed = static_cast<std::uint32_t>(*seed);
        } else if (name == u"--tolak") {
            const auto field = parseField(value);
            if (!field) {
                return fail(u"Pilihan --tolak memerlukan baris dan kolom nilai, misalnya 3,2 (keduanya mulai dari 1), bukan " +
                            quoted(value) + u".");
            }
            faults.refused.push_back(*field);
        } else if (name == u"--hilang-navigasi") {
            const auto n = parseNumber(value, 2, kMaxRows * kMaxCols);
            if (!n) {
                return fail(u"Pilihan --hilang-navigasi memerlukan bilangan bulat 2 atau lebih (setiap tombol ke-N hilang), bukan " +
                            quoted(value) + u".");
            }
            faults.loseEveryNthNavigation = *n;
        } else if (name == u"--macet") {
            const auto seconds = parseCount(value, kMaxStallSeconds);
            if (!seconds) {
                return fail(u"Pilihan --macet memerlukan lama macet dalam detik, 1 sampai " + decimalText(kMaxStallSeconds) +
                            u", bukan " + quoted(value) + u".");
            }
            faults.stall = Millis(1000LL * *seconds);
        } else if (name == u"--macet-setelah") {
            stallAfter = parseCount(value, kMaxRows * kMaxCols);
            if (!stallAfter) {
                return fail(u"Pilihan --macet-setelah memerlukan jumlah perubahan nilai, 1 sampai " +
                            decimalText(kMaxRows * kMaxCols) + u", bukan " + quoted(value) + u".");
            }
        }
        return true;
    }

    // Settings that depend on others: the refused fields must lie in the grid, and the
    // stall's count belongs to a stall.
    bool settleFaults() {
        FaultOptions& faults = launch.form.faults;
        for (const FieldPlace& field : faults.refused) {
            if (field.row >= launch.form.rows || field.col >= launch.form.cols) {
                return fail(u"Kolom --tolak " + decimalText(field.row + 1) + u"," + decimalText(field.col + 1) +
                            u" berada di luar formulir (" + decimalText(launch.form.rows) + u" baris, " +
                            decimalText(launch.form.cols) + u" kolom nilai).");
            }
        }
        if (stallAfter && faults.stall.count() == 0) {
            return fail(u"Pilihan --macet-setelah hanya berlaku bersama --macet.");
        }
        if (stallAfter) faults.stallAfterChanges = *stallAfter;
        return true;
    }

    bool fail(std::u16string text) {
        problem = std::move(text);
        return false;
    }

    // The online report opens on choice fields, as Tamvera does, unless the values' form
    // needs typing; the others have fill-in fields only.
    bool settleMode() {
        const bool online = launch.form.target == Target::RaporOnline;
        const ValueForm form = launch.form.valueForm;
        const bool typed = form == ValueForm::TwoDecimals || form == ValueForm::UpperCase;
        launch.form.mode = mode.value_or(online && !typed ? Mode::Pilihan : Mode::Isian);
        if (launch.form.mode == Mode::Pilihan && !online) {
            return fail(u"Mode pilihan hanya ada pada target RAPOR Online; " + targetName(launch.form.target) +
                        u" selalu memakai mode isian.");
        }
        if (form == ValueForm::Predicate && launch.form.mode != Mode::Pilihan) {
            return fail(u"Bentuk predikat hanya ada pada mode pilihan RAPOR Online.");
        }
        if (typed && launch.form.mode == Mode::Pilihan) {
            return fail(u"Bentuk desimal dan kapital hanya untuk kolom yang diketik (mode isian, e-Rapor, Dapodik), "
                        u"bukan mode pilihan.");
        }
        return true;
    }
};

bool takesValue(const std::u16string& name) {
    static const std::u16string names[] = {u"--target",      u"--mode",  u"--rows",           u"--cols",
                                           u"--out",         u"--bentuk", u"--tunda-fokus", u"--tunda-simpan", u"--benih", u"--tolak",
                                           u"--hilang-navigasi", u"--macet", u"--macet-setelah"};
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

bool isFlag(const std::u16string& name) { return name == u"--tanpa-baca"; }

}  // namespace

ParsedArguments parseArguments(const std::vector<std::u16string>& args) {
    ParsedArguments result;
    Parser parser;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::u16string& arg = args[i];
        if (arg == u"--help" || arg == u"-h" || arg == u"/?") {
            result.helpAsked = true;
            return result;
        }
        const std::size_t eq = arg.find(u'=');
        const std::u16string name = lower(arg.substr(0, eq));
        if (isFlag(name)) {
            if (eq != std::u16string::npos) {
                result.problem = u"Pilihan " + name + u" tidak memerlukan nilai.";
                return result;
            }
            parser.applyFlag(name);
            continue;
        }
        if (!takesValue(name)) {
            result.problem = u"Pilihan tidak dikenal: " + quoted(arg) + u".";
            return result;
        }
        std::u16string value;
        if (eq != std::u16string::npos) {
            value = arg.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            result.problem = u"Pilihan " + name + u" memerlukan nilai.";
            return result;
        }
        if (!parser.apply(name, value)) {
            result.problem = parser.problem;
            return result;
        }
    }
    if (!parser.settleMode() || !parser.settleFaults()) {
        result.problem = parser.problem;
        return result;
    }
    result.options = parser.launch;
    return result;
}

std::u16string usageText() {
    return u"Cara pakai: TamveraLatihan.exe [--target rapor|erapor|dapodik] [--mode isian|pilihan] "
           u"[--rows N] [--cols N] [--out BERKAS] [--bentuk biasa|predikat|desimal|kapital] [--tunda-fokus MS] [--tunda-simpan MS] [--benih N] [--tolak B,K] "
           u"[--hilang-navigasi N] [--tanpa-baca] [--macet DETIK [--macet-setelah K]]\n\n"
           u"--target  aplikasi yang ditiru (bawaan: rapor)\n"
           u"--mode    cara pengisian RAPOR Online (bawaan: pilihan; e-Rapor dan Dapodik selalu isian)\n"
           u"--rows    jumlah baris siswa, 1 sampai " + decimalText(kMaxRows) + u" (bawaan: 40)\n"
           u"--cols    jumlah kolom nilai, 1 sampai " + decimalText(kMaxCols) + u" (bawaan: 10)\n"
           u"--out     berkas teks UTF-8 yang selalu memuat isi semua kolom nilai\n"
           u"--bentuk  cara kolom menampilkan nilai: biasa (seperti diketik, bawaan), predikat (daftar pilihan\n"
           u"          \"A - Sangat Baik\" sampai \"D - Kurang\"), desimal (85 menjadi 85,00), kapital (huruf besar)\n\n"
           u"Gangguan untuk menguji pemeriksaan Tamvera:\n"
           u"--tunda-fokus MS      huruf yang diketik ke kolom dalam MS milidetik setelah kolom itu mendapat fokus hilang\n"
           u"--tunda-simpan MS     huruf yang diketik ke kolom dalam MS milidetik setelah nilainya tersimpan hilang\n"
           u"                      MS boleh berupa rentang MIN-MAKS (misalnya 0-1000): lama setiap tunda diundi dari rentang itu\n"
           u"--benih N             benih undian lama tunda, 0 sampai " + decimalText(kMaxSeed) + u" (bawaan: 1)\n"
           u"--tolak B,K           kolom nilai baris B, kolom K menolak setiap nilai (boleh diulang)\n"
           u"--hilang-navigasi N   setiap tombol pindah kolom ke-N hilang (N minimal 2)\n"
           u"--tanpa-baca          jendela tidak menjawab pembaca layar tentang kolomnya\n"
           u"--macet DETIK         jendela berhenti menjawab selama 1 sampai " + decimalText(kMaxStallSeconds) +
           u" detik, sekali, setelah perubahan nilai ke-K\n"
           u"--macet-setelah K     (bawaan: 3)";
}

}  // namespace tamvera::practice
