// Picture1: the child window that shows the artwork and, as the container of the
// windowless labels and lines, draws them and hands its mouse input to the chrome,
// which decides which label it belongs to.
#pragma once

#include <windows.h>

#include <memory>

#include "controls/ButtonPaint.h"
#include "window/Chrome.h"
#include "window/Layout.h"
#include "window/win32/Gdi.h"
#include "platform/win32/WindowObject.h"

namespace tamvera::window::win32 {

struct PictureBoxArgs {
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;  // holds the artwork resource
    Form1Chrome* chrome = nullptr;
    TwipsPerPixel tpp;
};

class PictureBox : public tamvera::win32::WindowObject<PictureBox> {
    friend class tamvera::win32::WindowObject<PictureBox>;

public:
    // Null when the window cannot be created. A missing artwork leaves the picture
    // empty; labels and lines are drawn all the same.
    static std::unique_ptr<PictureBox> create(const PictureBoxArgs& args);
    ~PictureBox();
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    // Draws the close label again (its look changed).
    void invalidateCloseLabel();
    void captureMouse(bool captured);

private:
    explicit PictureBox(const PictureBoxArgs& args);
    static ATOM registerClass();
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void paint();
    void drawArtwork(HDC dc) const;
    void drawLine(HDC dc, const ControlEntry& line) const;
    void drawLabel(HDC dc, const ControlEntry& label) const;
    void pressed(std::int16_t button, LPARAM lParam);
    void released(std::int16_t button, LPARAM lParam);

    Form1Chrome& chrome_;
    TwipsPerPixel tpp_;
    controls::PictureRef artwork_;
    Font labelFont_, labelBoldFont_, versionFont_;
    bool capturing_ = false;
};

}  // namespace tamvera::window::win32
