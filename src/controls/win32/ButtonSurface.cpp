#include "controls/win32/ButtonSurface.h"

#include <algorithm>
#include <string>
#include <variant>

#include "controls/win32/OlePicture.h"

namespace tamvera::controls::win32 {

namespace {

// The caption in the system's ANSI code page, for DrawTextA.
std::string toAnsi(const std::u16string& text) {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(std::max(bytes, 0)), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), bytes, nullptr, nullptr);
    return out;
}

RECT toRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

ButtonSurface::ButtonSurface()
    : skin_(static_cast<HBITMAP>(
          LoadImageW(GetModuleHandleW(nullptr), SkinResourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
    WindowDC screen(nullptr);
    logPixelsY_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
    SetBkMode(dc_.get(), TRANSPARENT);
    resize(1, 1);
}

void ButtonSurface::resize(int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    WindowDC screen(nullptr);
    GdiObject<HBITMAP> fresh(CreateCompatibleBitmap(screen.get(), width_, height_));
    bitmapSelection_.reset();
    bitmap_ = std::move(fresh);
    bitmapSelection_.emplace(dc_.get(), bitmap_.get());
}

void ButtonSurface::execute(const PaintList& ops, HWND window) {
    window_ = window;
    for (const PaintOp& op : ops) std::visit([this](const auto& o) { run(o); }, op);
}

void ButtonSurface::copyTo(HDC target) const { BitBlt(target, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY); }

void ButtonSurface::run(const paint::SetTextColour& op) { SetTextColor(dc_.get(), op.colour); }

void ButtonSurface::run(const paint::SelectFont& op) {
    if (fontKey_ == op) return;
    GdiObject<HFONT> fresh(CreateFontW(-MulDiv(op.points, logPixelsY_, 72), 0, 0, 0, FW_NORMAL, FALSE,
                                       op.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                       reinterpret_cast<const wchar_t*>(FontFace)));
    if (!fresh) return;
    fontSelection_.reset();
    font_ = std::move(fresh);
    fontSelection_.emplace(dc_.get(), font_.get());
    fontKey_ = op;
}

void ButtonSurface::run(const paint::DrawSkin& op) {
    if (!skin_) return;
    // A memory context per paint, compatible with the screen, holding the skin.
    MemoryDC source;
    if (!source) return;
    Selection skin(source.get(), skin_.get());
    SetStretchBltMode(dc_.get(), HALFTONE);
    for (const Blit& b : op.pieces) {
        if (b.stretch)
            StretchBlt(dc_.get(), b.x, b.y, b.width, b.height, source.get(), b.srcX, b.srcY, b.srcWidth, b.srcHeight,
                       SRCCOPY);
        else
            BitBlt(dc_.get(), b.x, b.y, b.width, b.height, source.get(), b.srcX, b.srcY, SRCCOPY);
    }
}

void ButtonSurface::run(const paint::DrawBox& op) {
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, op.frame));
    GdiObject<HBRUSH> brush(CreateSolidBrush(op.fill));
    Selection usePen(dc_.get(), pen.get());
    Selection useBrush(dc_.get(), brush.get());
    Rectangle(dc_.get(), op.rect.left, op.rect.top, op.rect.right, op.rect.bottom);
}

void ButtonSurface::run(const paint::RenderPicture& op) { renderPicture(dc_.get(), op); }

void ButtonSurface::run(const paint::DrawCaption& op) {
    const std::string text = toAnsi(op.text);
    RECT r = toRECT(op.rect);
    DrawTextA(dc_.get(), text.c_str(), -1, &r, op.format);
}

void ButtonSurface::run(const paint::DrawFocusRect& op) {
    const RECT r = toRECT(op.rect);
    DrawFocusRect(dc_.get(), &r);
}

void ButtonSurface::run(const paint::Refresh&) {
    if (!window_) return;
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
}

}  // namespace tamvera::controls::win32
