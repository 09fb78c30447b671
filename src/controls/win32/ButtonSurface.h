// The flat button's persistent drawing surface: a memory bitmap the control keeps, with
// its text colour and font, that paints are executed on and that WM_PAINT only copies
// to the screen. A repaint by the system therefore never needs a new paint.
#pragma once

#include <windows.h>

#include <optional>

#include "controls/ButtonPaint.h"
#include "platform/win32/GdiHandles.h"

namespace tamvera::controls::win32 {

using tamvera::win32::GdiObject;
using tamvera::win32::MemoryDC;
using tamvera::win32::Selection;
using tamvera::win32::WindowDC;

// Name of the skin bitmap resource (src/controls/FlatButtonSkin.rc).
inline constexpr wchar_t SkinResourceName[] = L"FLATBUTTON_SKIN";

class ButtonSurface {
public:
    ButtonSurface();
    ButtonSurface(const ButtonSurface&) = delete;
    ButtonSurface& operator=(const ButtonSurface&) = delete;

    // A new bitmap of this size; its contents are undefined until the next paint.
    void resize(int width, int height);
    // Executes the operations in order; Refresh shows the surface in `window`.
    void execute(const PaintList& ops, HWND window);
    // Copies the surface to `target` (WM_PAINT).
    void copyTo(HDC target) const;

    void run(const paint::SetTextColour& op);
    void run(const paint::SelectFont& op);
    void run(const paint::DrawSkin& op);
    void run(const paint::DrawBox& op);
    void run(const paint::RenderPicture& op);
    void run(const paint::DrawCaption& op);
    void run(const paint::DrawFocusRect& op);
    void run(const paint::Refresh& op);

private:
    // Declared before the selections, so the selections are undone first.
    MemoryDC dc_;
    GdiObject<HBITMAP> bitmap_;
    GdiObject<HFONT> font_;
    GdiObject<HBITMAP> skin_;
    std::optional<Selection> bitmapSelection_;
    std::optional<Selection> fontSelection_;
    std::optional<paint::SelectFont> fontKey_;
    int width_ = 0, height_ = 0;
    int logPixelsY_ = 96;
    HWND window_ = nullptr;  // the window a Refresh shows the surface in
};

}  // namespace tamvera::controls::win32
