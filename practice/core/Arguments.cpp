#include "core/Arguments.h"

#include <algorithm>

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

// Decimal digits only, within 1..max; anything else is no count.
std::optional<int> parseCount(const std::u16string& s, int max) {
    if (s.empty() || s.size() > 6) return std::nullopt;
    int n = 0;
    for (char16_t ch : s) {
        if (ch < u'0' || ch > u'9') return std::nullopt;
        n = n * 10 + (ch - u'0');
    }
    if (n < 1 || n > max) return std::nullopt;
    return n;
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

struct Parser {
    LaunchOptions launch;
    std::optional<Mode> mode;
    std::u16string problem;

    // Returns false with the problem set when the option or its value is wrong.
    bool apply(const std::u16string& name, const std::u16string& value) {
        if (name == u"--target") {
            const auto target = parseTarget(value);
            if (!target) return fail(u"Target tidak dikenal: " + quoted(value) + u". Gunakan rapor, erapor atau dapodik.");
            launch.form.target = *target;
        } else if (name == u"--mode") {
            mode = parseMode(value);
            if (!mode) return fail(u"Mode tidak dikenal: " + quoted(value) + u". Gunakan isian atau pilihan.");
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
        }
        return true;
    }

    bool fail(std::u16string text) {
        problem = std::move(text);
        return false;
    }

    // The online report opens on choice fields, as Tamvera does; the others have fill-in fields only.
    bool settleMode() {
        const bool online = launch.form.target == Target::RaporOnline;
        launch.form.mode = mode.value_or(online ? Mode::Pilihan : Mode::Isian);
        if (launch.form.mode == Mode::Pilihan && !online) {
            return fail(u"Mode pilihan hanya ada pada target RAPOR Online; " + targetName(launch.form.target) +
                        u" selalu memakai mode isian.");
        }
        return true;
    }
};

bool takesValue(const std::u16string& name) {
    static const std::u16string names[] = {u"--target", u"--mode", u"--rows", u"--cols", u"--out"};
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

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
    if (!parser.settleMode()) {
        result.problem = parser.problem;
        return result;
    }
    result.options = parser.launch;
    return result;
}

std::u16string usageText() {
    return u"Cara pakai: TamveraLatihan.exe [--target rapor|erapor|dapodik] [--mode isian|pilihan] "
           u"[--rows N] [--cols N] [--out BERKAS]\n\n"
           u"--target  aplikasi yang ditiru (bawaan: rapor)\n"
           u"--mode    cara pengisian RAPOR Online (bawaan: pilihan; e-Rapor dan Dapodik selalu isian)\n"
           u"--rows    jumlah baris siswa, 1 sampai " + decimalText(kMaxRows) + u" (bawaan: 40)\n"
           u"--cols    jumlah kolom nilai, 1 sampai " + decimalText(kMaxCols) + u" (bawaan: 10)\n"
           u"--out     berkas teks UTF-8 yang selalu memuat isi semua kolom nilai";
}

}  // namespace tamvera::practice
