// Line ends of a pasted grade list: whatever the clipboard brings, the box gets CR LF,
// so that the hand-off file's reader sees one row per line.
#include <gtest/gtest.h>

#include "window/PastedText.h"

using tamvera::window::WithCrLfLineEnds;

TEST(PastedTextTest, EveryKindOfLineEndBecomesCrLf) {
    EXPECT_EQ(WithCrLfLineEnds(u"85\t90\n7\t100\n"), u"85\t90\r\n7\t100\r\n");  // LF only
    EXPECT_EQ(WithCrLfLineEnds(u"85\r90\r"), u"85\r\n90\r\n");                   // CR only
    EXPECT_EQ(WithCrLfLineEnds(u"1\r\n2\n3\r4"), u"1\r\n2\r\n3\r\n4");            // mixed
    // LF CR is two line ends (an empty row between), as CR LF CR LF would be.
    EXPECT_EQ(WithCrLfLineEnds(u"1\n\r2"), u"1\r\n\r\n2");
    EXPECT_EQ(WithCrLfLineEnds(u"\n\n"), u"\r\n\r\n");
}

TEST(PastedTextTest, TextWithCrLfOrNoLineEndsIsUnchanged) {
    for (const std::u16string text : {u"", u"85", u"85\t\t90", u"a\r\nb\r\n", u"\r\n\r\n", u"\u00e9\u20ac \t~{TAB}"})
        EXPECT_EQ(WithCrLfLineEnds(text), text);
}
