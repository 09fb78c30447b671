// Form1: the program's one window. Borderless and of fixed size, it holds Picture1 (the
// artwork, labels and lines), the three visible text boxes and the eleven flat buttons
// from the layout table, shows the form's model and forwards events to the run engine
// and the chrome. It decides nothing itself.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "controls/win32/FlatButton.h"
#include "form/FormModel.h"
#include "platform/Platform.h"
#include "platform/win32/WindowObject.h"
#include "run/RunEngine.h"
#include "window/Chrome.h"
#include "window/win32/Gdi.h"
#include "window/win32/PictureBox.h"
#include "window/win32/TextField.h"

namespace tamvera::window::win32 {

struct Form1Args {
    HINSTANCE instance = nullptr;  // holds the icon and the artwork
    form::FormModel* form = nullptr;
    run::RunEngine* engine = nullptr;
    Platform* platform = nullptr;
};

class Form1 final : public form::FormObserver, public ChromeView, public tamvera::win32::WindowObject<Form1> {
    friend class tamvera::win32::WindowObject<Form1>;

public:
    // Creates the window, hidden, with every control in its initial state; null when a
    // window cannot be created. The form, engine and platform must outlive it.
    static std::unique_ptr<Form1> create(const Form1Args& args);
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Runs the load handler, then shows the window.
    void show(int showCommand);
    // Sees every message of the thread first: the flat buttons' access keys and the
    // dialog keyboard interface (TAB). True when the message was used up.
    bool filterMessage(MSG& msg);

    // --- FormObserver ---
    void textChanged(form::TextId which) override;
    void gradeTextChanged() override;
    void guardTimerChanged(bool enabled) override;

    // --- ChromeView ---
    void dragWindow() override;
    void closeLookChanged() override;
    void captureMouse(bool captured) override;

    // --- Handlers ---
    // Drop shadow, then the run engine's load (the error flag).
    void Form_Load();

private:
    explicit Form1(const Form1Args& args);
    static ATOM registerClass(HINSTANCE instance);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    bool createWindow(HINSTANCE instance);
    bool createControls(HINSTANCE instance);
    void applyDropShadow();
    void commanded(WPARAM wParam, LPARAM lParam);
    LRESULT textColours(UINT message, HDC dc, HWND control);
    void activated(WPARAM wParam);
    void focused();

    form::FormModel& form_;
    run::RunEngine& engine_;
    Platform& platform_;
    TwipsPerPixel tpp_;
    Form1Chrome chrome_;
    HWND lastFocus_ = nullptr;  // the control that had the focus when the window was left
    Font textFont_;
    std::unique_ptr<PictureBox> picture_;
    std::unique_ptr<TextField> nilai_, waktu_, perkembangan_;
    std::vector<std::unique_ptr<controls::win32::FlatButton>> buttons_;
};

}  // namespace tamvera::window::win32
