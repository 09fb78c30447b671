#include "run/ChoiceEntry.h"

namespace tamvera::run {

namespace {
struct ChoiceRow {
    std::u16string_view value;
    std::u16string_view key;
    int presses;
};

// Entries beginning with "1" run 100, 19 ... 11, 10, 1; those beginning with "9" run
// 99 ... 90, 9; and so on for the other digits.
constexpr ChoiceRow kChoiceTable[] = {
    {u"1", u"1", 12},  {u"2", u"2", 11},  {u"3", u"3", 11},  {u"4", u"4", 11},  {u"5", u"5", 11},
    {u"6", u"6", 11},  {u"7", u"7", 11},  {u"8", u"8", 11},  {u"9", u"9", 11},  {u"10", u"1", 11},
    {u"11", u"1", 10}, {u"22", u"2", 8},  {u"33", u"3", 7},  {u"44", u"4", 6},  {u"55", u"5", 5},
    {u"66", u"6", 4},  {u"77", u"7", 3},  {u"88", u"8", 2},  {u"99", u"9", 1},
};
}  // namespace

std::vector<ChoiceKey> TulisNilaiPilihan(std::u16string_view value) {
    for (const ChoiceRow& row : kChoiceTable)
        if (row.value == value) return std::vector<ChoiceKey>(static_cast<std::size_t>(row.presses), {row.key});
    return {{value, true}};
}

}  // namespace tamvera::run
