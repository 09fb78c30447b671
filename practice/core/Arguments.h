// The practice window's command line:
//   TamveraLatihan.exe [--target rapor|erapor|dapodik] [--mode isian|pilihan]
//                      [--rows N] [--cols N] [--out PATH]
// Each option also takes the form --name=value.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/PracticeForm.h"

namespace tamvera::practice {

constexpr int kMaxRows = 10000;
constexpr int kMaxCols = 200;

struct LaunchOptions {
    FormOptions form;
    std::u16string outPath;  // empty: nothing is written
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
