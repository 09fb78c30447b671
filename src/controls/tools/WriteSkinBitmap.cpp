// Writes the flat button's skin bitmap file (src/controls/skin.bmp) from the code that
// defines it. Run by scripts/generate-skin-bitmap.sh.
#include <cstdio>

#include "controls/SkinBitmap.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_skin_bitmap OUTPUT.bmp\n");
        return 2;
    }
    const auto bytes = tamvera::controls::skinBitmapFile();
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) != 0 || !written) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
