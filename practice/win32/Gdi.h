// Owners of GDI handles and drawing contexts: each is released exactly once, in the
// reverse order of its taking.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace tamvera::practice {

template <class Handle>
class GdiObject {
public:
    explicit GdiObject(Handle h = nullptr) : h_(h) {}
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { reset(); }

    Handle get() const { return h_; }

private:
    void reset() {
        if (h_) DeleteObject(h_);
        h_ = nullptr;
    }
    Handle h_;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

// BeginPaint .. EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~PaintDc() { EndPaint(hwnd_, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// GetDC .. ReleaseDC, for measuring text outside painting.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() { ReleaseDC(hwnd_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc() { DeleteDC(dc_); }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// An object selected into a context for a scope; the previous one comes back after it.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

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
