// The real platform against the real (Wine) window system.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/Win32Platform.h"

using namespace tamvera;

namespace {

// A plain top-level window with a title, for activation and foreground tests.
class TestWindow {
public:
    explicit TestWindow(const wchar_t* title) {
        static const ATOM cls = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"TamveraPlatformTestWindow";
            return RegisterClassW(&wc);
        }();
        (void)cls;
        hwnd_ = CreateWindowExW(0, L"TamveraPlatformTestWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                                200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~TestWindow() { DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_;
};

void pump(Win32Platform& p, int ms) {
    for (int i = 0; i < ms; ++i) {
        p.processMessages();
        Sleep(1);
    }
}

}  // namespace

TEST(Win32Platform, ActivatesByExactTitleBeforePrefixAndReadsTheForegroundTitle) {
    Win32Platform p;
    TestWindow prefixed(L"RAPOR Online - Kelas 7A");
    TestWindow other(L"Catatan");
    TestWindow exact(L"e-Rapor");
    TestWindow longer(L"e-Rapor SMP");
    pump(p, 50);

    ASSERT_TRUE(p.activateWindowByTitle(u"RAPOR Online"));
    pump(p, 50);
    EXPECT_EQ(GetForegroundWindow(), prefixed.hwnd());
    EXPECT_EQ(p.foregroundWindowTitle(), "RAPOR Online - Kelas 7A");

    ASSERT_TRUE(p.activateWindowByTitle(u"e-Rapor"));
    pump(p, 50);
    EXPECT_EQ(GetForegroundWindow(), exact.hwnd());

    EXPECT_FALSE(p.activateWindowByTitle(u"Aplikasi Dapodik"));
}

TEST(Win32Platform, ActivationRestoresAMinimizedWindow) {
    Win32Platform p;
    TestWindow target(L"RAPOR Online - Latihan");
    ShowWindow(target.hwnd(), SW_MINIMIZE);
    pump(p, 50);
    ASSERT_TRUE(IsIconic(target.hwnd()));

    ASSERT_TRUE(p.activateWindowByTitle(u"RAPOR Online"));
    pump(p, 50);
    EXPECT_FALSE(IsIconic(target.hwnd()));
    EXPECT_TRUE(IsWindowVisible(target.hwnd()));
    EXPECT_EQ(GetForegroundWindow(), target.hwnd());
}

TEST(Win32Platform, WritesAndReadsFilesByteForByte) {
    Win32Platform p;
    const std::u16string folder = p.programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), u'\\');
    const std::u16string path = folder + u"\\platform-test.tmp";
    const std::string bytes = std::string("80\t\r\n\xE9\x80\0x", 9);
    ASSERT_TRUE(p.writeFile(path, bytes));
    auto file = p.openForReading(path);
    ASSERT_TRUE(file);
    std::string back(32, '\0');
    back.resize(file->read(back.data(), back.size()));
    EXPECT_EQ(back, bytes);
    file.reset();
    EXPECT_TRUE(DeleteFileW(wide(path).c_str()));
    EXPECT_EQ(p.openForReading(path), nullptr);
    EXPECT_FALSE(p.writeFile(folder + u"\\no-such-folder\\x.tmp", "x"));
}

TEST(Win32Platform, ConvertsToTheAnsiCodePageAndReportsLoss) {
    Win32Platform p;
    ASSERT_EQ(GetACP(), 1252u);
    AnsiText a = p.toAnsi(u"85 \u00E9 \u20AC");
    EXPECT_EQ(a.bytes, "85 \xE9 \x80");
    EXPECT_TRUE(a.exact);
    a = p.toAnsi(u"\u0101");  // ā: no best-fit 'a', the default character instead
    EXPECT_EQ(a.bytes, "?");
    EXPECT_FALSE(a.exact);
    EXPECT_EQ(p.fromAnsi("\x80\xE9"), u"\u20AC\u00E9");
}

TEST(Win32Platform, KeyboardQueriesMatchAUsLayout) {
    Win32Platform p;
    EXPECT_EQ(p.vkKeyScan('8'), 0x38);
    EXPECT_EQ(p.vkKeyScan('A'), 0x141);
    EXPECT_EQ(p.vkKeyScan(0xE9), -1);
    EXPECT_EQ(p.mapVirtualKey(VK_TAB, p.keyboardLayout()), 0x0Fu);
}

TEST(Win32Platform, ClockIsSecondsSinceMidnightAndWaitingAdvancesIt) {
    Win32Platform p;
    p.beginFineTiming();
    const float a = p.secondsSinceMidnight();
    // A wait ends early when a message arrives (the earlier tests' windows leave some),
    // so wait until the clock moves rather than expecting one wait to last its time.
    float b = a;
    for (int i = 0; i < 200 && b == a; ++i) {
        p.processMessages();
        p.waitForMessages(30);
        b = p.secondsSinceMidnight();
    }
    p.endFineTiming();
    EXPECT_GE(a, 0.0f);
    EXPECT_LT(a, 86400.0f);
    EXPECT_NE(b, a) << "the clock never moved";
}
