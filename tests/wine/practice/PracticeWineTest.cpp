// TamveraLatihan.exe under Wine: started for each target and mode, driven by SendInput
// exactly as Tamvera drives a report application, then judged by its out-file.
#include <gtest/gtest.h>

#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "TamveraSequences.h"
#include "platform/Text.h"
#include "platform/win32/UniqueHandle.h"

using namespace tamvera;
using namespace tamvera::practice;
using namespace tamvera::practice::sequences;

namespace {

constexpr DWORD kPauseMs = 30;          // between key strings; a burst has none
constexpr DWORD kDeadlineMs = 60000;    // generous: the machine is shared

std::wstring windowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char ch : unixPath) path.push_back(ch == '/' ? L'\\' : static_cast<wchar_t>(ch));
    return path;
}

template <class Condition>
bool waitFor(Condition done) {
    const ULONGLONG end = GetTickCount64() + kDeadlineMs;
    while (!done()) {
        if (GetTickCount64() > end) return false;
        Sleep(50);
    }
    return true;
}

std::optional<std::string> readFile(const std::wstring& path) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// What the out-file must hold once the rows are typed into a rows x cols grid.
std::string expectedOutFile(const GradeRows& typed, int rows, int cols) {
    std::string text;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            if (c > 0) text.push_back('\t');
            if (r < static_cast<int>(typed.size()) && c < static_cast<int>(typed[r].size())) text += utf8(typed[r][c]);
        }
        text.push_back('\n');
    }
    return text;
}

// --- keyboard input --------------------------------------------------------------

INPUT keyRecord(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN || vk == VK_HOME || vk == VK_END) {
        in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    }
    return in;
}

INPUT unicodeRecord(wchar_t unit, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = unit;
    in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return in;
}

// Characters the keyboard has are typed on their keys (with SHIFT when needed), the
// others as Unicode packets, as Tamvera types them.
std::vector<INPUT> textRecords(const std::u16string& text) {
    std::vector<INPUT> records;
    for (char16_t unit : text) {
        const SHORT scan = VkKeyScanW(static_cast<wchar_t>(unit));
        const bool onKeyboard = unit < 0x80 && scan != -1 && (HIBYTE(scan) & ~1) == 0;
        if (!onKeyboard) {
            records.push_back(unicodeRecord(static_cast<wchar_t>(unit), false));
            records.push_back(unicodeRecord(static_cast<wchar_t>(unit), true));
            continue;
        }
        const bool shift = HIBYTE(scan) & 1;
        if (shift) records.push_back(keyRecord(VK_SHIFT, false));
        records.push_back(keyRecord(LOBYTE(scan), false));
        records.push_back(keyRecord(LOBYTE(scan), true));
        if (shift) records.push_back(keyRecord(VK_SHIFT, true));
    }
    return records;
}

WORD virtualKey(Key key) {
    switch (key) {
    case Key::Tab: return VK_TAB;
    case Key::Enter: return VK_RETURN;
    case Key::Right: return VK_RIGHT;
    case Key::Left: return VK_LEFT;
    case Key::Up: return VK_UP;
    case Key::Down: return VK_DOWN;
    case Key::Escape: return VK_ESCAPE;
    case Key::Backspace: return VK_BACK;
    case Key::Home: return VK_HOME;
    case Key::End: return VK_END;
    }
    return 0;
}

// One SendInput call per key string, as Tamvera makes them.
void send(const Step& step) {
    std::vector<INPUT> records = step.isKey ? std::vector<INPUT>{keyRecord(virtualKey(step.key), false),
                                                                 keyRecord(virtualKey(step.key), true)}
                                            : textRecords(step.text);
    const UINT sent = SendInput(static_cast<UINT>(records.size()), records.data(), sizeof(INPUT));
    ASSERT_EQ(sent, records.size());
}

// --- the practice window's process ------------------------------------------------

class PracticeProcess {
public:
    PracticeProcess(const std::wstring& arguments, const std::wstring& outPath) : outPath_(outPath) {
        if (!outPath_.empty()) {
            DeleteFileW(outPath_.c_str());
            DeleteFileW((outPath_ + L".tmp").c_str());
        }
        std::wstring commandLine = L"\"" + windowsPath(TAMVERA_LATIHAN_EXE) + L"\" " + arguments;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            process_ = UniqueHandle(pi.hProcess);
            UniqueHandle thread(pi.hThread);
            id_ = pi.dwProcessId;
        }
    }
    ~PracticeProcess() {
        if (process_.valid() && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.get(), 99);
            WaitForSingleObject(process_.get(), 10000);
        }
        if (!outPath_.empty()) DeleteFileW(outPath_.c_str());
    }

    bool started() const { return process_.valid(); }

    // The process's visible top-level window with the given title.
    HWND waitForWindow(const std::wstring& title) {
        WindowSearch search{id_, &title, nullptr};
        waitFor([&] {
            EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        });
        return search.found;
    }

    // Closes the window as a user would and returns the exit code.
    std::optional<DWORD> close(HWND hwnd) {
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
        return exitCode();
    }

    std::optional<DWORD> exitCode() {
        if (WaitForSingleObject(process_.get(), kDeadlineMs) != WAIT_OBJECT_0) return std::nullopt;
        DWORD code = 0;
        GetExitCodeProcess(process_.get(), &code);
        return code;
    }

private:
    struct WindowSearch {
        DWORD processId;
        const std::wstring* title;
        HWND found;
    };

    // A named callback: on 32-bit Windows EnumWindows needs the stdcall convention.
    static BOOL CALLBACK matchWindow(HWND hwnd, LPARAM lp) {
        auto* search = reinterpret_cast<WindowSearch*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        wchar_t text[256] = {};
        GetWindowTextW(hwnd, text, 256);
        if (owner == search->processId && IsWindowVisible(hwnd) && *search->title == text) {
            search->found = hwnd;
            return FALSE;
        }
        return TRUE;
    }

    std::wstring outPath_;
    UniqueHandle process_;
    DWORD id_ = 0;
};

std::wstring tempOutPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"tamvera-latihan-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name + L".txt";
}

struct Run {
    std::wstring arguments;  // without --out
    std::wstring title;
    GradeRows typed;
    std::vector<Step> steps;
    int rows = 40;
    int cols = 10;
};

// Starts the window, types the steps into it, and checks the out-file while it runs
// and after it has closed.
void typeAndCheck(const Run& run, const wchar_t* name) {
    const std::wstring out = tempOutPath(name);
    PracticeProcess practice(run.arguments + L" --out \"" + out + L"\"", out);
    ASSERT_TRUE(practice.started());
    const HWND hwnd = practice.waitForWindow(run.title);
    ASSERT_NE(hwnd, nullptr) << "no window titled " << utf8(std::u16string(run.title.begin(), run.title.end()));
    const std::string empty = expectedOutFile({}, run.rows, run.cols);
    ASSERT_TRUE(waitFor([&] { return readFile(out) == empty; })) << "the out-file of the empty form did not appear";
    SetForegroundWindow(hwnd);
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == hwnd; }));

    const auto started = std::chrono::steady_clock::now();
    for (const Step& step : run.steps) {
        send(step);
        if (step.pauseAfter) Sleep(kPauseMs);
        // Every editor opens inside the window: the foreground never changes.
        ASSERT_EQ(GetForegroundWindow(), hwnd);
    }
    const auto typed = std::chrono::steady_clock::now();
    const std::string expected = expectedOutFile(run.typed, run.rows, run.cols);
    const bool landed = waitFor([&] { return readFile(out) == expected; });
    using Seconds = std::chrono::duration<double>;
    std::printf("[ figures  ] %zu key strings sent in %.2f s; out-file complete %.3f s after the last one\n",
                run.steps.size(), Seconds(typed - started).count(),
                Seconds(std::chrono::steady_clock::now() - typed).count());
    EXPECT_TRUE(landed) << "while running, the out-file holds:\n" << readFile(out).value_or("(none)");

    EXPECT_EQ(practice.close(hwnd), std::optional<DWORD>(0));
    EXPECT_EQ(readFile(out), expected);
    EXPECT_FALSE(exists(out + L".tmp"));
}

// Values that must arrive exactly as typed, whatever they mean to a key-string syntax.
const GradeRows kFillInRows = {
    {u"85", u"B+", u"85%", u"(A)", u"~", u"{TAB}", u"\u00E9", u"\u20AC", u"", u"90"},
    {u"", u"", u"", u"", u"", u"", u"", u"", u"", u""},
    {u"7,5", u" 85", u"A-", u"100", u"", u"^", u"+", u"%", u"\U0001F600", u"Baik"},
    {u"", u"60", u"", u"", u"70", u"", u"", u"", u"", u"{ENTER}"},
};

}  // namespace

TEST(PracticeWindowUnderWine, OnlineReportFillInFieldsTakeEveryValueExactly) {
    typeAndCheck({L"--target rapor --mode isian", L"RAPOR Online - Latihan", kFillInRows, fillInSteps(kFillInRows)},
                 L"rapor-isian");
}

TEST(PracticeWindowUnderWine, ERaporFillInFieldsOnALargerGrid) {
    GradeRows rows = {
        {u"80", u"", u"B+", u"\u00E9\u20AC", u"(A)", u"~", u"85%", u"", u"1", u"2", u"3", u"A"},
        {u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"99"},
    };
    typeAndCheck({L"--target erapor --rows 45 --cols 12", L"e-Rapor - Latihan", rows, fillInSteps(rows), 45, 12},
                 L"erapor");
}

TEST(PracticeWindowUnderWine, OnlineReportChoiceFieldsLandOnEveryChoiceValue) {
    const GradeRows rows = {
        {u"1", u"9", u"10", u"11", u"22", u"99", u"100", u"85", u"", u"12"},
        {u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"33", u"44", u"55"},
        {u"66", u"77", u"88", u"", u"", u"50", u"19", u"", u"", u"1"},
    };
    typeAndCheck({L"--target rapor --mode pilihan", L"RAPOR Online - Latihan", rows, choiceSteps(rows)},
                 L"rapor-pilihan");
}

TEST(PracticeWindowUnderWine, DapodikGridPutsEveryValueInItsRowAndColumn) {
    typeAndCheck({L"--target dapodik", L"Aplikasi Dapodik - Latihan", kFillInRows, dapodikSteps(kFillInRows)},
                 L"dapodik");
}

TEST(PracticeWindowUnderWine, AnOutFileThatCannotBeWrittenEndsWithExitCodeOne) {
    const std::wstring out = L"Z:\\no-such-folder-for-tamvera\\hasil.txt";
    PracticeProcess practice(L"--target erapor --out \"" + out + L"\"", L"");
    ASSERT_TRUE(practice.started());
    const HWND hwnd = practice.waitForWindow(L"e-Rapor - Latihan");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(practice.close(hwnd), std::optional<DWORD>(1));
}

TEST(PracticeWindowUnderWine, BadArgumentsAreExplainedAndEndWithExitCodeTwo) {
    PracticeProcess practice(L"--target erapor --mode pilihan", L"");
    ASSERT_TRUE(practice.started());
    const HWND box = practice.waitForWindow(L"Tamvera Latihan");
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_CLOSE, 0, 0);
    EXPECT_EQ(practice.exitCode(), std::optional<DWORD>(2));
}

// --- reading the focused field back, as a screen reader in another program does -----

namespace {

const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct ComApartment {
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

struct FieldRead {
    VARTYPE focusType = VT_EMPTY;
    long child = -1;  // the focus's child id; CHILDID_SELF when it named no child
    long role = 0;
    std::wstring value;
    bool hasValue = false;
    RECT screen{};
};

std::wstring takeText(BSTR text) {
    std::wstring s = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return s;
}

// GetGUIThreadInfo's focus window, its client object, then the focused element's
// role, value and place; nothing when the window gave no object.
std::optional<FieldRead> readFocusedField(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) return std::nullopt;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(info.hwndFocus, OBJID_CLIENT, kIidAccessible,
                                          reinterpret_cast<void**>(&object))) || !object) {
        return std::nullopt;
    }
    FieldRead read;
    VARIANT focus;
    VariantInit(&focus);
    object->get_accFocus(&focus);
    read.focusType = focus.vt;
    read.child = focus.vt == VT_I4 ? focus.lVal : CHILDID_SELF;
    VariantClear(&focus);
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = read.child;
    VARIANT role;
    VariantInit(&role);
    if (SUCCEEDED(object->get_accRole(child, &role)) && role.vt == VT_I4) read.role = role.lVal;
    VariantClear(&role);
    BSTR value = nullptr;
    read.hasValue = object->get_accValue(child, &value) == S_OK;
    read.value = takeText(value);
    long left = 0, top = 0, width = 0, height = 0;
    if (SUCCEEDED(object->accLocation(&left, &top, &width, &height, child))) {
        read.screen = {left, top, left + width, top + height};
    }
    object->Release();
    return read;
}

// The practice window titled `title` once it is the foreground window; nullptr if never.
HWND inFront(PracticeProcess& practice, const std::wstring& title) {
    const HWND hwnd = practice.waitForWindow(title);
    if (!hwnd) return nullptr;
    SetForegroundWindow(hwnd);
    return waitFor([&] { return GetForegroundWindow() == hwnd; }) ? hwnd : nullptr;
}

// Types the steps into the window and waits until its focus reads as `child` holding `value`.
std::optional<FieldRead> readAfter(PracticeProcess& practice, const std::wstring& title,
                                   const std::vector<Step>& steps, long child, const std::wstring& value) {
    const HWND hwnd = inFront(practice, title);
    if (!hwnd) return std::nullopt;
    for (const Step& step : steps) {
        send(step);
        if (step.pauseAfter) Sleep(kPauseMs);
    }
    std::optional<FieldRead> read;
    waitFor([&] {
        read = readFocusedField(hwnd);
        return read && read->child == child && read->value == value;
    });
    return read;
}

void sendShifted(WORD vk) {
    std::vector<INPUT> records = {keyRecord(VK_SHIFT, false), keyRecord(vk, false), keyRecord(vk, true),
                                  keyRecord(VK_SHIFT, true)};
    ASSERT_EQ(SendInput(static_cast<UINT>(records.size()), records.data(), sizeof(INPUT)), records.size());
}

bool onScreen(const RECT& r) { return r.right > r.left && r.bottom > r.top && r.left >= 0 && r.top >= 0; }

}  // namespace

TEST(PracticeWindowUnderWine, ReaderFindsTheFocusedFillInFieldItsValueAndPlace) {
    const ComApartment com;
    PracticeProcess practice(L"--target erapor --rows 2 --cols 3", L"");
    ASSERT_TRUE(practice.started());
    const std::wstring title = L"e-Rapor - Latihan";
    const std::optional<FieldRead> start = readAfter(practice, title, {}, CHILDID_SELF, L"");
    ASSERT_TRUE(start);
    EXPECT_EQ(start->focusType, VT_I4);  // "Awal": the form itself, no field
    EXPECT_EQ(start->role, ROLE_SYSTEM_CLIENT);

    // Four TABs reach row 2, column 1; HOME and Shift+END select "70" so "85" replaces it.
    const long child = 1 + 1 * 3 + 0;
    const std::vector<Step> steps = {keyStep(Key::Tab), keyStep(Key::Tab), keyStep(Key::Tab), keyStep(Key::Tab),
                                     textStep(u"70"), keyStep(Key::Home)};
    ASSERT_TRUE(readAfter(practice, title, steps, child, L"70"));
    sendShifted(VK_END);
    const std::optional<FieldRead> read = readAfter(practice, title, {textStep(u"85")}, child, L"85");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->child, child);
    EXPECT_EQ(read->role, ROLE_SYSTEM_TEXT);
    EXPECT_EQ(read->value, L"85");
    EXPECT_TRUE(onScreen(read->screen));
}

TEST(PracticeWindowUnderWine, ReaderSeesAChoiceFieldsStoredValueAndDapodiksCells) {
    const ComApartment com;
    {
        PracticeProcess practice(L"--target rapor --mode pilihan --rows 2 --cols 3", L"");
        ASSERT_TRUE(practice.started());
        const std::wstring title = L"RAPOR Online - Latihan";
        // After the last TAB the focus is on the third field; back on the second it reads "99".
        const std::optional<FieldRead> next = readAfter(practice, title, choiceSteps({{u"", u"99"}}), 3, L"");
        ASSERT_TRUE(next);
        EXPECT_EQ(next->role, ROLE_SYSTEM_COMBOBOX);
        sendShifted(VK_TAB);
        const std::optional<FieldRead> stored = readAfter(practice, title, {}, 2, L"99");
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->value, L"99");
        EXPECT_TRUE(onScreen(stored->screen));
    }
    PracticeProcess grid(L"--target dapodik --rows 2 --cols 3", L"");
    ASSERT_TRUE(grid.started());
    const std::wstring title = L"Aplikasi Dapodik - Latihan";
    const std::optional<FieldRead> onNo = readAfter(grid, title, {}, CHILDID_SELF, L"");
    ASSERT_TRUE(onNo);
    EXPECT_EQ(onNo->role, ROLE_SYSTEM_CLIENT);
    const std::optional<FieldRead> editing = readAfter(
        grid, title, {keyStep(Key::Right), keyStep(Key::Right), keyStep(Key::Right), keyStep(Key::Enter), textStep(u"7")},
        2, L"7");
    ASSERT_TRUE(editing);
    EXPECT_EQ(editing->role, ROLE_SYSTEM_TEXT);
}

TEST(PracticeWindowUnderWine, WithoutReadsTheReaderGetsOnlyTheSystemsClientObject) {
    const ComApartment com;
    const std::wstring out = tempOutPath(L"tanpa-baca");
    PracticeProcess practice(L"--target erapor --rows 1 --cols 2 --tanpa-baca --out \"" + out + L"\"", out);
    ASSERT_TRUE(practice.started());
    const HWND hwnd = inFront(practice, L"e-Rapor - Latihan");
    ASSERT_NE(hwnd, nullptr);
    send(keyStep(Key::Tab));
    send(textStep(u"85"));
    ASSERT_TRUE(waitFor([&] { return readFile(out) == std::optional<std::string>("85\t\n"); }));
    const std::optional<FieldRead> read = readFocusedField(hwnd);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->child, CHILDID_SELF);
    EXPECT_EQ(read->role, ROLE_SYSTEM_CLIENT);
    EXPECT_NE(read->value, L"85");
}

TEST(PracticeWindowUnderWine, AStallAnswersNothingAndThenTakesTheQueuedKeys) {
    const std::wstring out = tempOutPath(L"macet");
    PracticeProcess practice(L"--target erapor --rows 1 --cols 2 --macet 5 --macet-setelah 1 --out \"" + out + L"\"", out);
    ASSERT_TRUE(practice.started());
    const HWND hwnd = inFront(practice, L"e-Rapor - Latihan");
    ASSERT_NE(hwnd, nullptr);
    send(keyStep(Key::Tab));
    send(textStep(u"8"));
    ASSERT_TRUE(waitFor([&] { return readFile(out) == std::optional<std::string>("8\t\n"); }));
    send(textStep(u"5"));
    // The first change starts five seconds of silence: not even a null message is answered.
    DWORD_PTR answer = 0;
    EXPECT_EQ(SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_BLOCK, 500, &answer), 0);
    EXPECT_TRUE(waitFor([&] { return readFile(out) == std::optional<std::string>("85\t\n"); }));
    EXPECT_EQ(practice.close(hwnd), std::optional<DWORD>(0));
}
