// The main window's drawing helpers: fonts from the layout's font styles, rectangles.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/GdiHandles.h"
#include "window/Layout.h"

namespace tamvera::window::win32 {

using tamvera::win32::GdiObject;
using Font = GdiObject<HFONT>;

// A font of the given face, size and weight for a screen of `twipsPerPixelY`.
inline Font makeFont(const FontStyle& style, double twipsPerPixelY, bool bold) {
    const std::wstring face(style.face.begin(), style.face.end());
    return Font(CreateFontW(-fontHeightPixels(style.points, twipsPerPixelY), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL,
                            style.italic ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

inline Font makeFont(const FontStyle& style, double twipsPerPixelY) {
    return makeFont(style, twipsPerPixelY, style.bold);
}

using tamvera::win32::PaintDC;

inline RECT toRect(const PixelRect& r) { return RECT{r.left, r.top, r.right(), r.bottom()}; }

}  // namespace tamvera::window::win32
