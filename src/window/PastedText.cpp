#include "window/PastedText.h"

namespace tamvera::window {

std::u16string WithCrLfLineEnds(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            out += u"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace tamvera::window
