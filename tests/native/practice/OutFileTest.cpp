#include <gtest/gtest.h>

#include "core/OutFile.h"

using namespace tamvera::practice;

TEST(OutFile, OneLinePerRowFieldsSeparatedByTabInUtf8) {
    GradeGrid grid(2, 3);
    grid.set(0, 0, u"85");
    grid.set(0, 2, u"\u00E9\u20AC");
    grid.set(1, 1, u"B+ (A) {TAB}");
    grid.set(1, 2, u"\U0001F600");
    EXPECT_EQ(formatOutFile(grid), "85\t\t\xC3\xA9\xE2\x82\xAC\n\tB+ (A) {TAB}\t\xF0\x9F\x98\x80\n");
}

TEST(OutFile, EmptyFieldsStillGiveEveryRowAndSeparator) {
    EXPECT_EQ(formatOutFile(GradeGrid(3, 2)), "\t\n\t\n\t\n");
    EXPECT_EQ(formatOutFile(GradeGrid(1, 1)), "\n");
}

TEST(OutFile, IsWrittenUnderATemporaryNameInTheSameFolder) {
    EXPECT_EQ(temporaryOutPath(u"C:\\hasil\\nilai.txt"), u"C:\\hasil\\nilai.txt.tmp");
}
