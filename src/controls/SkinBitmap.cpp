#include "controls/SkinBitmap.h"

#include <array>
#include <cmath>

namespace tamvera::controls {

namespace {

// The light frame of slices 0, 1 and 6: a top row, sides blending from the top colour
// to the bottom-corner colour over the 26 rows, and a darker bottom row.
constexpr Colour LightTop = rgb(203, 216, 236);
constexpr Colour LightBottomCorner = rgb(195, 206, 224);
constexpr Colour LightBottom = rgb(189, 201, 220);

struct Slice {
    Colour face;
    Colour frame;   // all four sides; unused for the light frame
    bool light;
};

constexpr std::array<Slice, 7> Slices{{
    {rgb(245, 245, 245), 0, true},                   // style 0, up
    {rgb(243, 243, 243), 0, true},                   // style 0, pressed
    {rgb(65, 170, 249), rgb(36, 141, 222), false},   // style 1, up
    {rgb(24, 153, 248), rgb(36, 141, 222), false},   // style 1, pressed
    {rgb(123, 204, 28), rgb(106, 180, 29), false},   // style 2, up
    {rgb(124, 203, 29), rgb(106, 180, 29), false},   // style 2, pressed
    {rgb(230, 235, 242), 0, true},                   // disabled
}};

unsigned blend(unsigned from, unsigned to, int step, int steps) {
    const double f = from, t = to;
    return static_cast<unsigned>(std::lround(f + (t - f) * step / steps));
}

Colour lightSide(int y) {
    const int last = SkinHeight - 1;
    return rgb(blend(red(LightTop), red(LightBottomCorner), y, last),
               blend(green(LightTop), green(LightBottomCorner), y, last),
               blend(blue(LightTop), blue(LightBottomCorner), y, last));
}

Colour lightFrame(int column, int y) {
    const bool corner = column == 0 || column == SkinSliceWidth - 1;
    if (y == 0) return LightTop;
    if (y == SkinHeight - 1) return corner ? LightBottomCorner : LightBottom;
    return lightSide(y);
}

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

Colour skinPixel(int x, int y) {
    const Slice& slice = Slices.at(static_cast<std::size_t>(x / SkinSliceWidth));
    const int column = x % SkinSliceWidth;
    const bool frame = column == 0 || column == SkinSliceWidth - 1 || y == 0 || y == SkinHeight - 1;
    if (!frame) return slice.face;
    return slice.light ? lightFrame(column, y) : slice.frame;
}

std::vector<std::uint8_t> bitmapFile24(int width, int height, const std::function<Colour(int x, int y)>& pixel) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out;
    out.reserve(54 + imageBytes);
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageBytes);
    put32(out, 0);
    put32(out, 54);
    // BITMAPINFOHEADER: positive height = bottom-up rows, BI_RGB, no colour table.
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, imageBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Colour c = pixel(x, y);
            out.push_back(static_cast<std::uint8_t>(blue(c)));
            out.push_back(static_cast<std::uint8_t>(green(c)));
            out.push_back(static_cast<std::uint8_t>(red(c)));
        }
        out.resize(out.size() + (rowBytes - static_cast<std::uint32_t>(width) * 3), 0);
    }
    return out;
}

std::vector<std::uint8_t> skinBitmapFile() { return bitmapFile24(SkinWidth, SkinHeight, skinPixel); }

}  // namespace tamvera::controls
