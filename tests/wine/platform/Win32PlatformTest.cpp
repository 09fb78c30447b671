// The real platform against the real (Wine) window system.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

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

// A standard EDIT field holding `text` in the window `parent`.
HWND editIn(HWND parent, const wchar_t* text) {
    return CreateWindowExW(0, L"EDIT", text, WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 24, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

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

namespace {

// Waits for the outstanding read's reading, handling messages meanwhile (the fields read
// here belong to this thread).
std::optional<FieldReading> awaitReading(Win32Platform& p) {
    for (int i = 0; i < 3000; ++i) {
        p.processMessages();
        if (auto r = p.fieldReadResult()) return r;
        Sleep(1);
    }
    return std::nullopt;
}

// A window on a thread of its own whose first screen-reader request is answered only
// after `hangMs`: the call that asks is held that long.
class HangingWindow {
public:
    explicit HangingWindow(DWORD hangMs) : hangMs_(hangMs) {
        ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
        WaitForSingleObject(ready_, 5000);
    }
    ~HangingWindow() {
        PostMessageW(hwnd_, WM_CLOSE, 0, 0);
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
        CloseHandle(ready_);
    }
    HWND hwnd() const { return hwnd_; }

private:
    static DWORD WINAPI run(void* param) {
        auto* self = static_cast<HangingWindow*>(param);
        WNDCLASSW wc{};
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TamveraHangingWindow";
        RegisterClassW(&wc);
        self->hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"Macet", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 200, 100,
                                      nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(self->hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        SetEvent(self->ready_);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        return 0;
    }
    static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<HangingWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message == WM_GETOBJECT && self && self->hangMs_) Sleep(std::exchange(self->hangMs_, 0));
        if (message == WM_CLOSE) DestroyWindow(hwnd);
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(hwnd, message, wp, lp);
    }
    DWORD hangMs_;
    HANDLE ready_ = nullptr, thread_ = nullptr;
    HWND hwnd_ = nullptr;
};

}  // namespace

// Standard fields are read with window messages: an EDIT's text, a drop-down list's
// chosen item.
TEST(Win32Platform, ReadsStandardFieldsWithoutAccessibilityObjects) {
    Win32Platform p;
    TestWindow window(L"Uji Baca");
    const HWND edit = editIn(window.hwnd(), L"85");
    const HWND list = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 220, 10, 80, 200,
                                      window.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    for (const wchar_t* item : {L"100", L"99", L"98"}) SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(list, CB_SETCURSEL, 1, 0);
    SetForegroundWindow(window.hwnd());
    pump(p, 100);
    for (const auto& [field, kind, value] :
         {std::tuple{edit, FieldKind::Text, u"85"}, std::tuple{list, FieldKind::List, u"99"}}) {
        SetFocus(field);
        ASSERT_TRUE(p.beginFieldRead(2.0));
        const auto r = awaitReading(p);
        ASSERT_TRUE(r);
        EXPECT_TRUE(r->answered);
        EXPECT_EQ(r->kind, kind);
        EXPECT_EQ(r->value, value);
        EXPECT_EQ(r->field.window, reinterpret_cast<std::uintptr_t>(field));
    }
}

namespace {

// An EDIT whose text grows while it is read, as a field's does while keys still arrive: it
// answers WM_GETTEXTLENGTH with GWLP_USERDATA characters less than WM_GETTEXT delivers.
WNDPROC editProc = nullptr;
LRESULT CALLBACK growingEditProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    const LRESULT r = CallWindowProcW(editProc, hwnd, message, wp, lp);
    if (message != WM_GETTEXTLENGTH) return r;
    return std::max<LRESULT>(0, r - GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace

// A text that grows between its length and its reading is read whole (asked again with
// more room), or, while it never fits, not at all: never cut.
TEST(Win32Platform, ReadsAGrowingTextWhole) {
    Win32Platform p;
    TestWindow window(L"Uji Baca");
    const HWND edit = editIn(window.hwnd(), L"");
    editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(growingEditProc)));
    SetForegroundWindow(window.hwnd());
    SetFocus(edit);
    pump(p, 100);
    const std::u16string progress = u"10 dari 6000 Nilai", longer(150, u'7'), endless(2000, u'8');
    for (const auto& [text, shortBy, whole] :
         {std::tuple{progress, 1, true}, std::tuple{longer, 140, true}, std::tuple{endless, 2000, false}}) {
        SetWindowTextW(edit, reinterpret_cast<const wchar_t*>(text.c_str()));
        SetWindowLongPtrW(edit, GWLP_USERDATA, shortBy);
        ASSERT_TRUE(p.beginFieldRead(2.0));
        const auto r = awaitReading(p);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->answered, whole);
        EXPECT_EQ(r->value, whole ? text : u"") << shortBy;
    }
}

// A call held by a target that does not answer keeps its thread: the next read waits for
// it (no two calls out at once) until it counts as hung, then gets another thread.
TEST(Win32Platform, AHeldReadNeverEndsReading) {
    Win32Platform p;
    HangingWindow target(6500);
    SetForegroundWindow(target.hwnd());
    pump(p, 100);
    const DWORD asked = GetTickCount();
    ASSERT_TRUE(p.beginFieldRead(0.1));
    const auto first = awaitReading(p);
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->answered);  // given up
    EXPECT_FALSE(p.beginFieldRead(0.1));

    TestWindow window(L"Uji Baca");
    const HWND edit = editIn(window.hwnd(), L"77");
    SetForegroundWindow(window.hwnd());
    SetFocus(edit);
    while (GetTickCount() - asked < 5200) pump(p, 50);
    ASSERT_TRUE(p.beginFieldRead(2.0));
    const auto later = awaitReading(p);
    ASSERT_TRUE(later);
    EXPECT_TRUE(later->answered);
    EXPECT_EQ(later->value, u"77");
}
