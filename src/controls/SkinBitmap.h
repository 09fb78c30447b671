// The skin bitmap of the flat button: seven 5 × 26 slices side by side, each a 1-pixel
// frame around a face of one colour. The committed file src/controls/skin.bmp is exactly
// skinBitmapFile(); a native test keeps the two equal, and scripts/generate-skin-bitmap.sh
// rewrites the file from this code.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "controls/ButtonPaint.h"

namespace tamvera::controls {

inline constexpr int SkinWidth = 35;
inline constexpr int SkinHeight = 26;
inline constexpr int SkinSliceWidth = 5;
inline constexpr int SkinCorner = 2;
inline constexpr int DisabledSliceX = 30;

// The colour of the skin at (x, y), y counted from the top.
Colour skinPixel(int x, int y);

// A 24-bit, uncompressed, bottom-up device-independent bitmap file: 54-byte header,
// rows padded to 4 bytes, resolution fields 0. pixel(x, y) is asked top-down.
std::vector<std::uint8_t> bitmapFile24(int width, int height, const std::function<Colour(int x, int y)>& pixel);

// The skin as a bitmap file of 2862 bytes.
std::vector<std::uint8_t> skinBitmapFile();

}  // namespace tamvera::controls
