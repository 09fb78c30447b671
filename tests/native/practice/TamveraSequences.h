// The keys Tamvera sends to a report application for a grade list, as data: the native
// tests replay them on the practice form, the Wine tests as real keyboard input.
#pragma once

#include <string>
#include <vector>

#include "core/PracticeForm.h"

namespace tamvera::practice::sequences {

using GradeRows = std::vector<std::vector<std::u16string>>;

struct Step {
    bool isKey = true;
    Key key = Key::Tab;
    std::u16string text;       // the characters of one key string when !isKey
    bool pauseAfter = true;    // the presses of one choice value follow each other at once
};

inline Step keyStep(Key key) { return Step{true, key, {}, true}; }
inline Step textStep(std::u16string text, bool pauseAfter = true) {
    return Step{false, Key::Tab, std::move(text), pauseAfter};
}

// How many presses of which character put a choice list (100 down to 1) on a value.
struct ChoicePresses {
    std::u16string value;
    char16_t key;
    int times;
};

inline const std::vector<ChoicePresses>& choiceTable() {
    static const std::vector<ChoicePresses> table = {
        {u"1", u'1', 12}, {u"2", u'2', 11}, {u"3", u'3', 11}, {u"4", u'4', 11}, {u"5", u'5', 11},
        {u"6", u'6', 11}, {u"7", u'7', 11}, {u"8", u'8', 11}, {u"9", u'9', 11}, {u"10", u'1', 11},
        {u"11", u'1', 10}, {u"22", u'2', 8}, {u"33", u'3', 7}, {u"44", u'4', 6}, {u"55", u'5', 5},
        {u"66", u'6', 4}, {u"77", u'7', 3}, {u"88", u'8', 2}, {u"99", u'9', 1},
    };
    return table;
}

inline void appendChoiceKeys(std::vector<Step>& steps, const std::u16string& value) {
    for (const ChoicePresses& row : choiceTable()) {
        if (row.value != value) continue;
        for (int i = 0; i < row.times; ++i) steps.push_back(textStep(std::u16string(1, row.key), i + 1 == row.times));
        return;
    }
    steps.push_back(textStep(value));  // any other value is typed as it is
}

// Online report or e-Rapor, fill-in fields.
inline std::vector<Step> fillInSteps(const GradeRows& rows) {
    std::vector<Step> steps{keyStep(Key::Tab)};
    for (const auto& row : rows) {
        for (const auto& cell : row) {
            if (!cell.empty()) steps.push_back(textStep(cell));
            steps.push_back(keyStep(Key::Tab));
        }
    }
    return steps;
}

// Online report, choice fields.
inline std::vector<Step> choiceSteps(const GradeRows& rows) {
    std::vector<Step> steps{keyStep(Key::Tab)};
    for (const auto& row : rows) {
        for (const auto& cell : row) {
            if (!cell.empty()) {
                steps.push_back(keyStep(Key::Enter));
                steps.push_back(keyStep(Key::Tab));
                steps.push_back(keyStep(Key::Enter));
                appendChoiceKeys(steps, cell);
                steps.push_back(keyStep(Key::Enter));
            }
            steps.push_back(keyStep(Key::Tab));
        }
    }
    return steps;
}

// Aplikasi Dapodik: RIGHT over an empty cell, RIGHT RIGHT at the end of every row.
inline std::vector<Step> dapodikSteps(const GradeRows& rows) {
    std::vector<Step> steps{keyStep(Key::Right)};
    for (const auto& row : rows) {
        for (const auto& cell : row) {
            steps.push_back(keyStep(Key::Right));
            if (!cell.empty()) {
                steps.push_back(keyStep(Key::Enter));
                steps.push_back(textStep(cell));
                steps.push_back(keyStep(Key::Enter));
            }
        }
        steps.push_back(keyStep(Key::Right));
        steps.push_back(keyStep(Key::Right));
    }
    return steps;
}

}  // namespace tamvera::practice::sequences
