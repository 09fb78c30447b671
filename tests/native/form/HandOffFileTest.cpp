// Writing the hand-off file and reading it back in rows and cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/HandOffFile.h"
#include "platform/Failure.h"
#include "platform/Text.h"
#include "support/FakePlatform.h"

using namespace tamvera;

namespace {

class HandOffTest : public ::testing::Test {
protected:
    tamvera::testing::FakePlatform fake;
    const std::u16string path = u"C:\\Tamvera\\Engine.dll";

    std::vector<std::string> rows(std::string bytes) {
        fake.files[path] = std::move(bytes);
        form::HandOffReader reader(fake, path);
        std::vector<std::string> out;
        std::u16string row;
        while (reader.ReadRow(row)) out.push_back(utf8(row));
        return out;
    }
    using Rows = std::vector<std::string>;
};

TEST_F(HandOffTest, RowsEndAtCrOrCrLf) {
    EXPECT_EQ(rows(""), Rows{});
    EXPECT_EQ(rows("\r\n"), Rows{""});
    EXPECT_EQ(rows("80\r\n90\r\n"), (Rows{"80", "90"}));
    EXPECT_EQ(rows("80\r\n90\r\n\r\n"), (Rows{"80", "90", ""}));
    EXPECT_EQ(rows("80\r90\r\n"), (Rows{"80", "90"}));
    EXPECT_EQ(rows("80\n90\r\n"), (Rows{"80\n90"}));
    EXPECT_EQ(rows("80\r\r\n"), (Rows{"80", ""}));
    EXPECT_EQ(rows("80"), (Rows{"80"}));
    EXPECT_EQ(rows("\xE9\x80\r\n"), (Rows{"\u00e9\u20ac"}));
    EXPECT_EQ(fake.openFiles, 0);
}

TEST_F(HandOffTest, ACrLfAcrossTheReadBufferIsOneTerminator) {
    for (std::size_t cut : {65535u, 65536u, 65537u}) {
        const std::string first(cut - 1, '7');
        EXPECT_EQ(rows(first + "\r\n8\r\n"), (Rows{first, "8"})) << cut;
    }
}

TEST_F(HandOffTest, MissingFileAndReadErrorsFail) {
    EXPECT_THROW(form::HandOffReader(fake, u"C:\\elsewhere\\Engine.dll"), Failure);
    fake.failReadAfter = 3;
    EXPECT_THROW(rows("80\r\n90\r\n"), Failure);
    EXPECT_EQ(fake.openFiles, 0);
}

TEST_F(HandOffTest, CellsSplitAtEveryTab) {
    const auto split = [](std::u16string_view row) {
        std::vector<std::string> out;
        for (auto cell : form::SplitCells(row)) out.push_back(utf8(cell));
        return out;
    };
    EXPECT_EQ(split(u""), Rows{});
    EXPECT_EQ(split(u"85"), Rows{"85"});
    EXPECT_EQ(split(u"85\t\t90"), (Rows{"85", "", "90"}));
    EXPECT_EQ(split(u"\t\t"), (Rows{"", "", ""}));
    EXPECT_EQ(split(u" 85 \t"), (Rows{" 85 ", ""}));
}

TEST_F(HandOffTest, WritesTheListAsAnsiPlusOneLineBreak) {
    EXPECT_EQ(form::WriteHandOffFile(fake, u"80\t75\r\n90"), path);
    EXPECT_EQ(fake.files[path], "80\t75\r\n90\r\n");
    // Rewritten, not appended.
    form::WriteHandOffFile(fake, u"");
    EXPECT_EQ(fake.files[path], "\r\n");
}

}  // namespace
