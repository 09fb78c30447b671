// The real window-system calls behind Platform.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/Platform.h"
#include "platform/win32/FieldReader.h"

namespace tamvera {

class Win32Platform : public Platform {
public:
    // The main window owns message boxes and takes the focus back after a run;
    // 0 until the window exists.
    void setMainWindow(HWND window) { mainWindow_ = window; }
    // Lets the main window see each message first (keyboard navigation); true means
    // the message was handled and is not dispatched.
    void setMessageFilter(std::function<bool(MSG&)> filter) { filter_ = std::move(filter); }

    std::uintptr_t keyboardLayout() override;
    std::int16_t vkKeyScan(unsigned char ansiChar) override;
    unsigned mapVirtualKey(unsigned vk, std::uintptr_t layout) override;
    bool capsLockOn() override;
    std::size_t sendInput(const std::vector<KeyRecord>& records) override;

    AnsiText toAnsi(std::u16string_view text) override;
    std::u16string fromAnsi(std::string_view bytes) override;
    char16_t decimalSeparator() override;

    float secondsSinceMidnight() override;
    void waitForMessages(unsigned milliseconds) override;
    void processMessages() override;
    void beginFineTiming() override;
    void endFineTiming() override;

    MessageAnswer messageBox(std::u16string_view text, std::u16string_view title, MessageButtons buttons,
                             MessageIcon icon) override;
    std::string foregroundWindowTitle() override;
    bool activateWindowByTitle(std::u16string_view title) override;
    bool beginFieldRead(double giveUpSeconds) override { return reader_.begin(giveUpSeconds); }
    bool readsFields() const override { return true; }
    std::optional<FieldReading> fieldReadResult() override { return reader_.result(); }
    void abandonFieldRead() override { reader_.abandon(); }
    void focusMainWindow() override;
    void setCursorPos(int x, int y) override;
    bool mouseButtonHeld() override;
    void beep(unsigned frequencyHz, unsigned durationMs) override;
    [[noreturn]] void exitProcess() override;

    std::u16string programFolder() override;
    std::u16string localAppDataFolder() override;
    bool ensureFolder(std::u16string_view path) override;
    bool writeFile(std::u16string_view path, std::string_view bytes) override;
    std::unique_ptr<InputFile> openForReading(std::u16string_view path) override;

private:
    HWND mainWindow_ = nullptr;
    std::function<bool(MSG&)> filter_;
    FieldReader reader_;
};

// Wide-string views of the core's UTF-16 text (wchar_t is 16 bits on Windows).
inline std::wstring wide(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }
inline std::u16string narrow16(std::wstring_view s) { return std::u16string(s.begin(), s.end()); }

}  // namespace tamvera
