// Records built per second by the key-string sender, on the recording platform (its US
// layout lookups stand in for the system's).
#include <benchmark/benchmark.h>

#include <string>

#include "keys/SendKeys.h"
#include "support/FakePlatform.h"

namespace {

// A class's grades as a spreadsheet copies them: values separated by TAB, rows by CR LF.
std::u16string gradeList(std::size_t length) {
    std::u16string text;
    unsigned grade = 61;
    for (int column = 0; text.size() < length; ++column) {
        grade = 60 + (grade * 37 + 11) % 41;  // 60..100, varied
        text += tamvera::testing::fromCp1252(std::to_string(grade));
        text += column % 8 == 7 ? u"\r\n" : u"\t";
    }
    text.resize(length);
    return text;
}

template <typename Build>
void buildRecords(benchmark::State& state, Build build, const std::u16string& text) {
    tamvera::testing::FakePlatform fake;
    std::size_t records = 0;
    for (auto _ : state) {
        const auto built = build(fake, text);
        records = built.size();
        benchmark::DoNotOptimize(built.data());
    }
    state.counters["records"] = static_cast<double>(records);
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(records), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["chars/s"] =
        benchmark::Counter(static_cast<double>(text.size()), benchmark::Counter::kIsIterationInvariantRate);
}

void GradeListAsLiteralText(benchmark::State& state) {
    buildRecords(state, tamvera::keys::buildLiteralText, gradeList(10000));
}
BENCHMARK(GradeListAsLiteralText);

void GradeListAsKeyString(benchmark::State& state) {
    buildRecords(state, tamvera::keys::buildKeyString, gradeList(10000));
}
BENCHMARK(GradeListAsKeyString);

void TabRepeated200Times(benchmark::State& state) { buildRecords(state, tamvera::keys::buildKeyString, u"{TAB 200}"); }
BENCHMARK(TabRepeated200Times);

// What the typing loop sends most: one short value, then a navigation key.
void OneGradeThenTab(benchmark::State& state) {
    tamvera::testing::FakePlatform fake;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tamvera::keys::buildLiteralText(fake, u"85").data());
        benchmark::DoNotOptimize(tamvera::keys::buildKeyString(fake, u"{TAB}").data());
    }
}
BENCHMARK(OneGradeThenTab);

}  // namespace

BENCHMARK_MAIN();
