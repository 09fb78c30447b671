// Windows the run engine is tried against under Wine: a stand-in for a report
// application (a row-major grid of EDIT controls behind a leading anchor field), a plain
// foreign window, and a hidden window whose timer ticks the foreground guard.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "form/FormModel.h"
#include "platform/win32/Win32Platform.h"
#include "run/RunEngine.h"

namespace tamvera::winetest {

// Owns one top-level window; destroyed with the object.
class OwnedWindow {
public:
    OwnedWindow() = default;
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;
    ~OwnedWindow();
    HWND hwnd() const { return hwnd_; }

protected:
    HWND hwnd_ = nullptr;
};

struct GridArgs {
    std::wstring title;
    int rows = 3;
    int columns = 3;
};

// The focus starts in the anchor field; the run's entry key (TAB) moves it to the first
// cell, and every later TAB to the next cell, row after row. TAB moves focus because
// the platform's message filter runs IsDialogMessage for this window.
class GridWindow : public OwnedWindow {
public:
    explicit GridWindow(const GridArgs& args);
    // Brings the window to the front with the focus in the anchor field.
    void focusAnchor() const;
    std::wstring cellText(int row, int column) const;
    bool handleDialogMessage(MSG& msg) const { return IsDialogMessageW(hwnd_, &msg) != 0; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND anchor_ = nullptr;
    std::vector<HWND> cells_;
    int columns_;
};

// A plain window with a title and nothing in it ("Catatan").
class PlainWindow : public OwnedWindow {
public:
    explicit PlainWindow(const wchar_t* title);
};

// Calls `tick` every second (a real window timer) for as long as the object lives.
class GuardTicker : public OwnedWindow {
public:
    explicit GuardTicker(std::function<void()> tick);

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    std::function<void()> tick_;
};

// The real platform, except that message boxes answer OK at once and are recorded, and
// a hook may run after each pass of message processing.
class TestPlatform : public Win32Platform {
public:
    std::vector<std::u16string> shownMessages;
    std::function<void()> afterMessages;

    MessageAnswer messageBox(std::u16string_view text, std::u16string_view, MessageButtons, MessageIcon) override {
        shownMessages.emplace_back(text);
        return MessageAnswer::Ok;
    }
    void processMessages() override {
        Win32Platform::processMessages();
        if (afterMessages) afterMessages();
    }
};

// Handles messages for up to `ms` milliseconds or until `done` holds.
void pumpUntil(Win32Platform& platform, int ms, const std::function<bool()>& done);

// "v<row>.<column>"-style grade lists, rows joined by CR LF and cells by TAB.
std::u16string gradeList(const std::vector<std::vector<std::u16string>>& rows);

}  // namespace tamvera::winetest
