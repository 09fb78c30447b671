// The committed skin bitmap file: the same bytes as the code that defines it, and the
// colours the button relies on, read back from the file itself.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "controls/SkinBitmap.h"

using namespace tamvera::controls;

namespace {

std::vector<std::uint8_t> committedSkin() {
    std::ifstream in(TAMVERA_SKIN_FILE, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) | (b.at(at + 1) << 8) | (b.at(at + 2) << 16) | (std::uint32_t(b.at(at + 3)) << 24);
}

// A pixel of a bottom-up 24-bit bitmap file, y counted from the top.
Colour pixelAt(const std::vector<std::uint8_t>& file, int x, int y) {
    const int height = static_cast<int>(le32(file, 22));
    const std::size_t row = (le32(file, 18) * 3 + 3) & ~3u;
    const std::size_t at = le32(file, 10) + row * static_cast<std::size_t>(height - 1 - y) + 3 * x;
    return rgb(file.at(at + 2), file.at(at + 1), file.at(at));
}

class SkinFile : public ::testing::Test {
protected:
    const std::vector<std::uint8_t> file = committedSkin();
};

TEST_F(SkinFile, IsExactlyWhatTheCodeGenerates) {
    ASSERT_EQ(file.size(), 2862u) << "missing or wrong size: " << TAMVERA_SKIN_FILE;
    EXPECT_TRUE(file == skinBitmapFile()) << "run scripts/generate-skin-bitmap.sh";
}

TEST_F(SkinFile, HasThePlainBitmapHeader) {
    ASSERT_EQ(file.size(), 2862u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(le32(file, 2), 2862u);
    EXPECT_EQ(le32(file, 10), 54u);   // no colour table
    EXPECT_EQ(le32(file, 14), 40u);
    EXPECT_EQ(le32(file, 18), 35u);
    EXPECT_EQ(le32(file, 22), 26u);   // positive: bottom-up
    EXPECT_EQ(file[28] | (file[29] << 8), 24);
    EXPECT_EQ(le32(file, 30), 0u);    // uncompressed
    EXPECT_EQ(le32(file, 38), 0u);    // resolution
    EXPECT_EQ(le32(file, 42), 0u);
    for (int row = 0; row < 26; ++row)
        for (int pad = 105; pad < 108; ++pad) EXPECT_EQ(file[54 + row * 108 + pad], 0) << "row " << row;
}

TEST_F(SkinFile, EverySliceHasItsFaceColour) {
    ASSERT_EQ(file.size(), 2862u);
    const Colour faces[] = {rgb(245, 245, 245), rgb(243, 243, 243), rgb(65, 170, 249), rgb(24, 153, 248),
                            rgb(123, 204, 28),  rgb(124, 203, 29),  rgb(230, 235, 242)};
    for (int slice = 0; slice < 7; ++slice)
        for (int x = slice * 5 + 1; x <= slice * 5 + 3; ++x)
            for (int y = 1; y <= 24; ++y)
                ASSERT_EQ(pixelAt(file, x, y), faces[slice]) << "slice " << slice << " at " << x << "," << y;
}

TEST_F(SkinFile, ColouredSlicesAreFramedOnAllFourSides) {
    ASSERT_EQ(file.size(), 2862u);
    const std::pair<int, Colour> framed[] = {{10, rgb(36, 141, 222)}, {15, rgb(36, 141, 222)},
                                             {20, rgb(106, 180, 29)}, {25, rgb(106, 180, 29)}};
    for (const auto& [left, frame] : framed) {
        for (int x = left; x < left + 5; ++x) {
            EXPECT_EQ(pixelAt(file, x, 0), frame);
            EXPECT_EQ(pixelAt(file, x, 25), frame);
        }
        for (int y = 0; y < 26; ++y) {
            EXPECT_EQ(pixelAt(file, left, y), frame);
            EXPECT_EQ(pixelAt(file, left + 4, y), frame);
        }
    }
}

TEST_F(SkinFile, LightSlicesHaveTheBlueGreyFrame) {
    ASSERT_EQ(file.size(), 2862u);
    for (int left : {0, 5, 30}) {
        for (int x = left; x < left + 5; ++x) EXPECT_EQ(pixelAt(file, x, 0), rgb(203, 216, 236));
        for (int x = left + 1; x < left + 4; ++x) EXPECT_EQ(pixelAt(file, x, 25), rgb(189, 201, 220));
        for (int side : {left, left + 4}) {
            EXPECT_EQ(pixelAt(file, side, 25), rgb(195, 206, 224));
            // The side darkens steadily and passes close to RGB(199, 212, 230) mid-way.
            for (int y = 1; y < 26; ++y) {
                const Colour above = pixelAt(file, side, y - 1), here = pixelAt(file, side, y);
                EXPECT_LE(red(here), red(above));
                EXPECT_LE(green(here), green(above));
                EXPECT_LE(blue(here), blue(above));
            }
            const Colour middle = pixelAt(file, side, 13);
            EXPECT_NEAR(red(middle), 199, 1);
            EXPECT_NEAR(green(middle), 212, 1);
            EXPECT_NEAR(blue(middle), 230, 1);
        }
    }
}

}  // namespace
