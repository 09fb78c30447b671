// The practice window's drawing helpers over the shared GDI owners.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/GdiHandles.h"

namespace tamvera::practice {

using tamvera::win32::GdiObject;
using tamvera::win32::MemoryDC;
using tamvera::win32::PaintDC;
using tamvera::win32::Selection;
using tamvera::win32::WindowDC;
using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

inline std::wstring wide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }
inline std::u16string u16text(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }

inline void fillRect(HDC dc, const RECT& r, COLORREF colour) {
    Brush brush(CreateSolidBrush(colour));
    FillRect(dc, &r, brush.get());
}

inline void frameRect(HDC dc, const RECT& r, COLORREF colour, int thickness) {
    fillRect(dc, {r.left, r.top, r.right, r.top + thickness}, colour);
    fillRect(dc, {r.left, r.bottom - thickness, r.right, r.bottom}, colour);
    fillRect(dc, {r.left, r.top, r.left + thickness, r.bottom}, colour);
    fillRect(dc, {r.right - thickness, r.top, r.right, r.bottom}, colour);
}

inline void drawText(HDC dc, RECT r, const std::u16string& text, COLORREF colour, UINT format) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    const std::wstring w = wide(text);
    DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &r, format | DT_NOPREFIX);
}

inline int textWidth(HDC dc, const std::u16string& text) {
    const std::wstring w = wide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
    return size.cx;
}

}  // namespace tamvera::practice
