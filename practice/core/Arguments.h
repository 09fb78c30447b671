// The practice window's command line:
//   TamveraLatihan.exe [--target rapor|erapor|dapodik] [--mode isian|pilihan]
//                      [--rows N] [--cols N] [--out PATH] [--bentuk biasa|predikat|desimal|kapital]
//                      [--tunda-fokus MS|MIN-MAX] [--tunda-simpan MS|MIN-MAX] [--benih N] [--tolak R,K]...
//                      [--hilang-navigasi N] [--tanpa-baca] [--macet S [--macet-setelah K]]
// Each option with a value also takes the form --name=value.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/PracticeForm.h"

namespace tamvera::practice {

constexpr int kMaxRows = 10000;
constexpr int kMaxCols = 200;
constexpr int kMaxDelayMs = 60000;
constexpr long long kMaxSeed = 4294967295;
constexpr int kMaxStallSeconds = 60;

struct LaunchOptions {
    FormOptions form;
    std::u16string outPath;  // empty: nothing is written
    bool answerReads = true;  // false: a screen reader gets only the system's default answer
};

struct ParsedArguments {
    std::optional<LaunchOptions> options;  // set when the window can open
    bool helpAsked = false;
    std::u16string problem;  // Indonesian, for the user; empty when all is well
};

// The arguments after the program's name.
ParsedArguments parseArguments(const std::vector<std::u16string>& args);
std::u16string usageText();

}  // namespace tamvera::practice
