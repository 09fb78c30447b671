// The flat button's window: an owner-drawn child window that shows a ucBtnFacebook
// model and forwards its input to it. It decides nothing: the model paints (as a list of
// drawing operations, executed here on a persistent surface) and raises Click.
//
// Use: the model lives elsewhere (the form's model) and must outlive the control.
//
//     auto button = FlatButton::create({.parent = window, .model = &form.Btn_Mulai,
//                                       .left = 2400, .top = 5160, .width = 2175, .height = 375});
//     form.Btn_Mulai.setCaption(u"Mulai");   // the control redraws itself
//
// Executables that create flat buttons must link the object library
// tamvera_controls_res (the skin bitmap resource).
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>

#include "controls/ButtonHost.h"
#include "controls/ucBtnFacebook.h"
#include "controls/win32/ButtonSurface.h"
#include "platform/win32/GdiHandles.h"
#include "platform/win32/WindowObject.h"

namespace tamvera::controls::win32 {

using tamvera::win32::MouseCapture;

struct FlatButtonArgs {
    HWND parent = nullptr;
    ucBtnFacebook* model = nullptr;
    // Position and size in twips, in the parent's client area (converted with the
    // screen's twips per pixel, halves to even).
    int left = 0, top = 0, width = 2565, height = 390;
    // The sibling this control follows in the Z order, which is the tab order of the
    // dialog keyboard interface; null keeps the creation order (created later = later).
    HWND insertAfter = nullptr;
    int id = 0;            // the child window id
    bool visible = true;
};

class FlatButton final : public ButtonHost, public tamvera::win32::WindowObject<FlatButton> {
    friend class tamvera::win32::WindowObject<FlatButton>;

public:
    // Creates the window, attaches the model and shows it; null when the window cannot
    // be created or no model is given.
    static std::unique_ptr<FlatButton> create(const FlatButtonArgs& args);
    ~FlatButton() override;
    FlatButton(const FlatButton&) = delete;
    FlatButton& operator=(const FlatButton&) = delete;

    ucBtnFacebook& model() const { return *model_; }
    // Paints executed on the surface so far (WM_PAINT copies the surface and adds none).
    std::size_t paintsExecuted() const { return paints_; }

    // The flat button shown in `window`, or null when it is not one.
    static FlatButton* fromWindow(HWND window);

    // --- ButtonHost ---
    ClientMetrics metrics() override;
    void setWindowEnabled(bool enabled) override;
    void paint(const PaintList& ops) override;
    CursorHandle loadHandCursor() override;
    void setCursor(CursorHandle cursor) override;
    void setTimer1Interval(int milliseconds) override;
    bool pointerWindowIsControl() override;

private:
    explicit FlatButton(ucBtnFacebook& model);
    static ATOM registerClass();
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void pressed(std::int16_t button, WPARAM wParam, LPARAM lParam);
    void doubleClicked();
    void released(std::int16_t button, WPARAM wParam, LPARAM lParam);
    void moved(WPARAM wParam, LPARAM lParam);
    void captureChanged();
    bool setCursorMessage(LPARAM lParam);
    void resized(int width, int height);
    void painted();
    void destroyed();
    void takeFocusAndCapture();
    float twipsX(LPARAM lParam) const;
    float twipsY(LPARAM lParam) const;

    ucBtnFacebook* model_;
    bool ready_ = false;      // the model is attached; messages reach it
    bool releasing_ = false;  // our own ReleaseCapture is in progress
    double twipsPerPixelX_ = 15, twipsPerPixelY_ = 15;
    ButtonSurface surface_;
    std::optional<MouseCapture> capture_;
    std::size_t paints_ = 0;
};

// Alt + a character typed anywhere in the top-level window of `msg`: clicks the first
// visible, enabled flat button of that window whose caption marks the character with
// '&' (the main window's captions mark none). Call it in the message loop before
// translating and dispatching; true when the message was used up.
bool translateAccessKey(const MSG& msg);

// The twips per pixel of the screen, horizontally and vertically (1440 ÷ dpi).
double screenTwipsPerPixelX();
double screenTwipsPerPixelY();

}  // namespace tamvera::controls::win32
