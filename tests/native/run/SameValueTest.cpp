// Which reads are the pasted value shown another way, and which differ.
#include <gtest/gtest.h>

#include "run/SameValue.h"

using tamvera::run::Sameness;
using tamvera::run::sameValue;

namespace {

struct Pair {
    const char16_t* pasted;
    const char16_t* shown;
    Sameness expected;
};

constexpr Pair kPairs[] = {
    {u"85", u"85", Sameness::Exact},
    {u"", u"", Sameness::Exact},
    // Numbers under either separator and trailing zeros.
    {u"85", u"85,00", Sameness::Number},
    {u"85", u"85.00", Sameness::Number},
    {u"85,00", u"85.0", Sameness::Number},
    {u"8,5", u"8.5", Sameness::Number},
    {u"8,5", u"8,50", Sameness::Number},
    {u"085", u"85", Sameness::Number},
    {u"-5", u"-5,00", Sameness::Number},
    {u"85", u" 85,00 ", Sameness::Number},
    // Case and outer spaces.
    {u"b", u"B", Sameness::Letters},
    {u"lulus", u"LULUS", Sameness::Letters},
    {u"éa", u"ÉA", Sameness::Letters},
    {u" 85", u"85", Sameness::Letters},
    {u"Baik", u"baik\u00A0", Sameness::Letters},
    // A list entry that carries a label after the value.
    {u"A", u"A - Sangat Baik", Sameness::ListEntry},
    {u"a", u"A - Sangat Baik", Sameness::ListEntry},
    {u"B", u"B (Baik)", Sameness::ListEntry},
    {u"3", u"3. Cukup", Sameness::ListEntry},
    {u"C", u"C: Cukup", Sameness::ListEntry},
    // A prefix that goes on with a letter or digit is another value.
    {u"8", u"85", Sameness::Differs},
    {u"8", u"85 - Baik", Sameness::Differs},
    {u"A", u"AB - Baik", Sameness::Differs},
    {u"8", u"8.5", Sameness::Differs},
    {u"B", u"Baik", Sameness::Differs},
    // The entry must carry the value, not the other way round, and the label needs its separator.
    {u"A - Sangat Baik", u"A", Sameness::Differs},
    {u"A", u"A-Sangat Baik", Sameness::Differs},
    {u"", u"A - Sangat Baik", Sameness::Differs},
    // Numbers: other values, signs, and separators that may group thousands.
    {u"85", u"86,00", Sameness::Differs},
    {u"8,5", u"85", Sameness::Differs},
    {u"-5", u"5", Sameness::Differs},
    {u"+5", u"5", Sameness::Differs},
    {u"1000", u"1.000", Sameness::Differs},
    {u"1.000", u"1,000", Sameness::Differs},
    {u"1.000", u"1", Sameness::Differs},
    {u"1000", u"1.000,00", Sameness::Differs},
    {u"85", u"85,", Sameness::Differs},
    {u"5", u",5", Sameness::Differs},
    {u"", u"0,00", Sameness::Differs},
    // Inner spaces are part of the text.
    {u"Sangat Baik", u"Sangat  Baik", Sameness::Differs},
};

TEST(SameValue, TellsTheFormsOfOneValueFromOtherValues) {
    for (std::size_t i = 0; i < std::size(kPairs); ++i) {
        EXPECT_EQ(sameValue(kPairs[i].pasted, kPairs[i].shown), kPairs[i].expected) << "pair " << i;
    }
}

}  // namespace
