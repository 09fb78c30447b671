// Key strings and literal text sent with the real SendInput into a window of EDIT
// controls, read back with GetWindowTextW.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "keys/SendKeys.h"
#include "platform/win32/Win32Platform.h"

using namespace tamvera;

namespace {

constexpr int kEdits = 4;

// A top-level window with a column of EDIT controls; TAB moves between them because the
// test's message pump passes every message through IsDialogMessage first.
class EditsWindow {
public:
    EditsWindow() {
        static const ATOM cls = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            wc.lpszClassName = L"TamveraKeysTestWindow";
            return RegisterClassW(&wc);
        }();
        (void)cls;
        hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, L"TamveraKeysTestWindow", L"Tamvera keys test",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 60 + kEdits * 28, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        for (int i = 0; i < kEdits; ++i)
            edits_[i] = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 8, 8 + i * 28, 280, 22,
                                        hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~EditsWindow() { DestroyWindow(hwnd_); }
    EditsWindow(const EditsWindow&) = delete;
    EditsWindow& operator=(const EditsWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    HWND edit(int i) const { return edits_[static_cast<std::size_t>(i)]; }
    std::wstring text(int i) const {
        wchar_t buffer[256] = {};
        const int n = GetWindowTextW(edit(i), buffer, 256);
        return std::wstring(buffer, static_cast<std::size_t>(n));
    }
    void clear() const {
        for (HWND e : edits_) SetWindowTextW(e, L"");
    }

private:
    HWND hwnd_ = nullptr;
    std::array<HWND, kEdits> edits_{};
};

class SendKeysWine : public ::testing::Test {
protected:
    void SetUp() override {
        platform.setMessageFilter([this](MSG& msg) { return IsDialogMessageW(window.hwnd(), &msg) != 0; });
        SetForegroundWindow(window.hwnd());
        SetFocus(window.edit(0));
        ASSERT_TRUE(pumpUntil([&] { return GetForegroundWindow() == window.hwnd() && GetFocus() == window.edit(0); }))
            << "the test window did not get the keyboard focus";
    }
    void TearDown() override { setCapsLock(false); }

    // Processes messages until `done` holds; false after five seconds without it.
    bool pumpUntil(const std::function<bool()>& done) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 5000) {
            platform.processMessages();
            if (done()) return true;
            Sleep(1);
        }
        return false;
    }
    // Sends and waits until `edit` shows `expected`.
    void typeInto(int edit, const std::function<void()>& send, const std::wstring& expected) {
        send();
        pumpUntil([&] { return window.text(edit) == expected; });
        EXPECT_EQ(window.text(edit), expected);
    }
    void tabTo(int edit) {
        keys::SendKeyString(platform, u"{Tab}");
        EXPECT_TRUE(pumpUntil([&] { return GetFocus() == window.edit(edit); })) << "TAB did not reach edit " << edit;
    }
    bool capsLockOn() { return (GetKeyState(VK_CAPITAL) & 1) != 0; }
    void setCapsLock(bool on) {
        platform.processMessages();
        if (capsLockOn() == on) return;
        const unsigned scan = platform.mapVirtualKey(VK_CAPITAL, platform.keyboardLayout());
        platform.sendInput({{VK_CAPITAL, 0, 0}, {VK_CAPITAL, static_cast<std::uint16_t>(scan), KeyFlag::Up}});
        pumpUntil([&] { return capsLockOn() == on; });
    }

    // The same strings give the same texts whatever the Caps Lock state.
    void typeEveryKind() {
        typeInto(0, [&] { keys::SendKeyString(platform, u"85"); }, L"85");
        tabTo(1);
        typeInto(1, [&] { keys::SendKeyString(platform, u"aA"); }, L"aA");
        typeInto(1, [&] { keys::SendKeyString(platform, u"\u00E9"); }, L"aA\u00E9");
        typeInto(1, [&] { keys::SendKeyString(platform, u"\u20AC"); }, L"aA\u00E9\u20AC");
        tabTo(2);
        typeInto(2, [&] { keys::SendKeyString(platform, u"(a{b})"); }, L"a{b}");
        tabTo(3);
        typeInto(3, [&] { keys::SendLiteralText(platform, u"+^%~(){}"); }, L"+^%~(){}");
    }

    EditsWindow window;
    Win32Platform platform;
};

TEST_F(SendKeysWine, EveryKindOfTokenArrivesAsWritten) {
    ASSERT_FALSE(capsLockOn());
    typeEveryKind();
    typeInto(3, [&] { keys::SendKeyString(platform, u"+a"); }, L"+^%~(){}A");
}

TEST_F(SendKeysWine, CapsLockDoesNotChangeWhatIsTyped) {
    setCapsLock(true);
    ASSERT_TRUE(capsLockOn());
    typeEveryKind();
    // Shift held by "+" is not corrected for Caps Lock: Shift with Caps Lock gives lower case.
    typeInto(3, [&] { keys::SendKeyString(platform, u"+a"); }, L"+^%~(){}a");
    setCapsLock(false);
    EXPECT_FALSE(capsLockOn());
}

TEST_F(SendKeysWine, OneCallWithATabInsideTypesIntoBothFields) {
    keys::SendKeyString(platform, u"85{Tab}B");
    pumpUntil([&] { return window.text(1) == L"B"; });
    EXPECT_EQ(window.text(0), L"85");
    EXPECT_EQ(window.text(1), L"B");
}

}  // namespace
