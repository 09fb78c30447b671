// A text box of the main window: an EDIT control showing one text box of the form's
// model. The grade box forwards the user's edits and clicks; the display boxes are
// read-only and only show what the model assigns.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "window/Layout.h"

namespace tamvera::window::win32 {

struct TextFieldArgs {
    HWND parent = nullptr;
    const ControlEntry* entry = nullptr;  // GradeBox or DisplayBox
    TwipsPerPixel tpp;
    HFONT font = nullptr;
    std::u16string text;
    HWND insertAfter = nullptr;  // the previous control in tab order; null: creation order
    // Every left click (press and release) on the box.
    std::function<void()> onClick;
};

class TextField {
public:
    // Null when the window cannot be created.
    static std::unique_ptr<TextField> create(TextFieldArgs args);
    ~TextField();
    TextField(const TextField&) = delete;
    TextField& operator=(const TextField&) = delete;

    HWND hwnd() const { return hwnd_; }
    const ControlEntry& entry() const { return *entry_; }
    Colour textColour() const { return entry_->foreColour.value_or(rgb(0, 0, 0)); }

    // Shows a text the program assigned; the change notice it causes is not the user's.
    void setText(const std::u16string& text);
    std::u16string text() const;
    // True while setText runs: an EN_CHANGE then is the program's own.
    bool settingText() const { return settingText_; }

private:
    explicit TextField(TextFieldArgs args);
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The grade box pastes a text with LF-only or CR-only line ends with CR LF instead;
    // false when the clipboard holds no such text and the box's own paste should run.
    bool pasteWithCrLfLineEnds();

    const ControlEntry* entry_;
    std::function<void()> onClick_;
    HWND hwnd_ = nullptr;
    WNDPROC editProc_ = nullptr;
    bool settingText_ = false;
};

}  // namespace tamvera::window::win32
