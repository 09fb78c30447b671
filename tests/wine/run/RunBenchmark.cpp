// How closely a run keeps to its nominal pacing, and what it costs the processor: a
// fill-in run of 40 rows x 10 values at "Cepat" against the stand-in report window,
// typed blind and then with every value read back. Prints its figures; nothing here
// fails on a time.
#include <cstdio>

#include "TestWindows.h"

using namespace tamvera;

namespace {

constexpr int kRows = 40;
constexpr int kColumns = 10;

// The run's own pauses for this list at speed factor 1: the start wait, then per value
// one 0.1 s pause and per row one more.
constexpr double kNominalSeconds = 2.0 + kRows * (kColumns * 0.1 + 0.1);

double seconds(const FILETIME& t) {
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    return static_cast<double>(v.QuadPart) / 1e7;
}

double processorSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return seconds(kernel) + seconds(user);
}

double now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The real platform, timing the run up to its closing beeps (which are not pacing).
class BenchPlatform : public winetest::TestPlatform {
public:
    bool blind = false;
    double firstBeep = 0;
    void beep(unsigned, unsigned) override {
        if (firstBeep == 0) firstBeep = now();
    }
    // Blind: a system without a reader, as Tamvera was before it read values back.
    bool beginFieldRead(double giveUpSeconds) override {
        return !blind && TestPlatform::beginFieldRead(giveUpSeconds);
    }
    bool readsFields() const override { return !blind; }
};

// One run; false when it failed outright, which makes the figures meaningless.
bool measure(bool blind) {
    BenchPlatform platform;
    platform.blind = blind;
    form::FormModel form;
    run::RunEngine engine(form, platform);
    winetest::GuardTicker ticker([&] {
        if (form.Timer_CekKesalahan_Enabled()) engine.Timer_CekKesalahan_Timer();
    });

    std::vector<std::vector<std::u16string>> values(kRows);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            const std::string v = std::to_string(50 + (r * kColumns + c) % 50);
            values[static_cast<std::size_t>(r)].emplace_back(v.begin(), v.end());
        }
    winetest::GridWindow grid({L"RAPOR Online - Uji Kecepatan", kRows, kColumns});
    platform.setMessageFilter([&grid](MSG& msg) { return grid.handleDialogMessage(msg); });
    winetest::pumpUntil(platform, 100, nullptr);
    grid.focusAnchor();
    winetest::pumpUntil(platform, 100, nullptr);

    engine.Btn_EntriIsian_Click();
    engine.Btn_Cepat_Click();
    form.Txt_Nilai.setTextFromView(winetest::gradeList(values));

    const double cpuBefore = processorSeconds();
    const double start = now();
    form.Btn_Mulai.Click();
    const double end = platform.firstBeep != 0 ? platform.firstBeep : now();
    const double cpu = processorSeconds() - cpuBefore;

    winetest::pumpUntil(platform, 5000, [&] { return !grid.cellText(kRows - 1, kColumns - 1).empty(); });
    int landed = 0;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            const std::u16string& v = values[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            landed += grid.cellText(r, c) == std::wstring(v.begin(), v.end());
        }

    const double duration = end - start;
    const run::CheckReport& check = engine.lastCheck();
    std::printf("%s run of %d x %d values at Cepat: %d values landed, %zu message box(es)\n",
                blind ? "blind" : "verified", kRows, kColumns, landed, platform.shownMessages.size());
    std::printf("  duration %.3f s, nominal pauses %.3f s, ratio %.4f (goal <= 1.03)\n", duration, kNominalSeconds,
                duration / kNominalSeconds);
    std::printf("  processor time %.3f s, %.2f %% of one core (goal <= 5 %%)\n", cpu, 100.0 * cpu / duration);
    if (!blind)
        std::printf("  %d reads, %.4f reads and %.2f ms of reading per value, %zu value(s) not confirmed\n",
                    check.reads, static_cast<double>(check.reads) / (kRows * kColumns),
                    check.reads ? 1000.0 * check.readSeconds / check.reads : 0.0, check.unconfirmed.size());
    return platform.shownMessages.size() == 1 && landed == kRows * kColumns;
}

}  // namespace

int main() { return measure(true) && measure(false) ? 0 : 1; }
