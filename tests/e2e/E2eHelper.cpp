// e2e_helper.exe: what the end-to-end scripts need from inside Wine that xdotool and
// window_probe.exe do not give. Exit code 0 on success, 1 when it failed or the thing
// asked for is not there, 2 on bad usage.
//
//   e2e_helper foreground [--class] the title of the foreground window (UTF-8); with
//                                   --class its window class too ("#32770" for a
//                                   message box), after a TAB
//   e2e_helper clipboard FILE       puts the UTF-8 text of FILE on the Windows clipboard
//                                   exactly as it is: no line-end conversion on the way,
//                                   unlike text that comes from the X clipboard
//   e2e_helper window TITLE [AFTER] a plain window of another program, titled TITLE, at
//                                   (0, 760) 600 x 200, brought to the front; with AFTER,
//                                   only once a window titled AFTER is in front (checked
//                                   every 5 ms). Stays until the process is ended, and
//                                   prints "key <message> <code>" for every key message
//                                   it receives.
//   e2e_helper window TITLE --cell FILE N TEXT
//                                   the same window, brought to the front the moment the
//                                   practice target's out-file FILE (a Windows path) holds
//                                   TEXT in its Nth cell, counted row by row from 1
//                                   (checked every 2 ms)
//   e2e_helper field TITLE CHILD    the screen point at the middle of the practice
//                                   window's grade field CHILD (its Active Accessibility
//                                   child: 1 + row x columns + column, from 0), "X Y"
//   e2e_helper move TITLE X Y       moves the window titled TITLE to (X, Y) once it is
//                                   there (waits up to 60 s), without activating it: a
//                                   move Wine knows of, unlike an X client's move of
//                                   one of Wine's unmanaged windows
#include <windows.h>
#include <oleacc.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring fromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), n);
    return out;
}

std::wstring titleOf(HWND window) {
    if (!window) return {};
    wchar_t title[512] = {};
    GetWindowTextW(window, title, 512);
    return title;
}

int printForeground(bool withClass) {
    const HWND window = GetForegroundWindow();
    if (!window) return 1;
    // Title and class of the one window asked for once: the front may change between them.
    std::printf("%s", utf8(titleOf(window)).c_str());
    char name[256] = {};
    if (withClass && GetClassNameA(window, name, sizeof name)) std::printf("\t%s", name);
    std::printf("\n");
    return 0;
}

// The clipboard may be held for a moment by the program that reads it: retry.
bool openClipboard() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(100);
    }
    return false;
}

int putOnClipboard(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "e2e_helper: cannot read %s\n", path);
        return 1;
    }
    const std::wstring text = fromUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return 1;
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!openClipboard()) {
        GlobalFree(memory);
        return 1;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!placed) GlobalFree(memory);  // once placed, the clipboard owns it
    CloseClipboard();
    return placed ? 0 : 1;
}

// The whole file, read without blocking its writer's rename; empty when it cannot be read.
std::string readShared(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// The Nth cell (from 1) of an out-file: rows end in LF, cells are separated by TAB.
std::string cellOf(const std::string& outFile, long n) {
    long index = 1;
    std::string cell;
    for (char c : outFile) {
        if (c == '\t' || c == '\n') {
            if (index == n) return cell;
            ++index;
            cell.clear();
        } else {
            cell += c;
        }
    }
    return {};
}

// What the window waits for before it takes the front.
struct Trigger {
    const char* afterTitle = nullptr;  // a window with this title in front
    const char* outFile = nullptr;     // or this out-file holding `text` in cell `cell`
    long cell = 0;
    const char* text = nullptr;
};

void handleMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Waits with the window alive (its messages handled every pass).
void waitFor(const Trigger& trigger) {
    const std::wstring awaited = trigger.afterTitle ? fromUtf8(trigger.afterTitle) : L"";
    const std::wstring outFile = trigger.outFile ? fromUtf8(trigger.outFile) : L"";
    for (;;) {
        handleMessages();
        if (trigger.afterTitle && titleOf(GetForegroundWindow()) == awaited) return;
        if (trigger.outFile && cellOf(readShared(outFile), trigger.cell) == trigger.text) return;
        if (!trigger.afterTitle && !trigger.outFile) return;
        Sleep(2);
    }
}

const char* keyMessageName(UINT message) {
    switch (message) {
        case WM_KEYDOWN: return "WM_KEYDOWN";
        case WM_KEYUP: return "WM_KEYUP";
        case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
        case WM_SYSKEYUP: return "WM_SYSKEYUP";
        case WM_CHAR: return "WM_CHAR";
        case WM_SYSCHAR: return "WM_SYSCHAR";
        default: return nullptr;
    }
}

LRESULT CALLBACK plainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    // Every key that reaches this window is one that went astray.
    if (const char* name = keyMessageName(message)) {
        std::printf("key %s %u\n", name, static_cast<unsigned>(wParam));
        std::fflush(stdout);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int showPlainWindow(const char* title, const Trigger& trigger) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = plainWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = L"TamveraE2ePlainWindow";
    if (!RegisterClassW(&wc)) return 1;
    const HWND window = CreateWindowExW(0, wc.lpszClassName, fromUtf8(title).c_str(), WS_OVERLAPPEDWINDOW, 0, 760,
                                        600, 200, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) return 1;
    // Open behind the others from the start, as a chat window is: taking the front is
    // then only the activation, which happens at once.
    ShowWindow(window, SW_SHOWNOACTIVATE);
    waitFor(trigger);
    SetForegroundWindow(window);
    std::printf("shown\n");
    std::fflush(stdout);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

int moveWindow(const char* title, int x, int y) {
    const std::wstring wanted = fromUtf8(title);
    for (int tries = 0; tries < 600; ++tries) {
        if (HWND window = FindWindowW(nullptr, wanted.c_str()))
            return SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
        Sleep(100);
    }
    return 1;
}

// IID_IAccessible, defined here: MinGW's is a data import read wrongly without dllimport.
const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

int printFieldCentre(const char* title, long child) {
    const HWND window = FindWindowW(nullptr, fromUtf8(title).c_str());
    if (!window || FAILED(CoInitialize(nullptr))) return 1;
    IAccessible* form = nullptr;
    long left = 0, top = 0, width = 0, height = 0;
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    const bool found =
        SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                             reinterpret_cast<void**>(&form))) &&
        SUCCEEDED(form->accLocation(&left, &top, &width, &height, id)) && width > 0;
    if (form) form->Release();
    CoUninitialize();
    if (!found) return 1;
    std::printf("%ld %ld\n", left + width / 2, top + height / 2);
    return 0;
}

int usage() {
    std::fprintf(stderr,
                 "usage: e2e_helper foreground [--class] | clipboard FILE | window TITLE [AFTER] |"
                 " window TITLE --cell FILE N TEXT | field TITLE CHILD | move TITLE X Y\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    _setmode(_fileno(stdout), _O_BINARY);
    const std::string_view command = argv[1];
    if (command == "foreground" && argc == 2) return printForeground(false);
    if (command == "foreground" && argc == 3 && std::string_view(argv[2]) == "--class") return printForeground(true);
    if (command == "clipboard" && argc == 3) return putOnClipboard(argv[2]);
    if (command == "window" && (argc == 3 || argc == 4))
        return showPlainWindow(argv[2], {.afterTitle = argc == 4 ? argv[3] : nullptr});
    if (command == "window" && argc == 7 && std::string_view(argv[3]) == "--cell" && std::atol(argv[5]) > 0)
        return showPlainWindow(argv[2], {.outFile = argv[4], .cell = std::atol(argv[5]), .text = argv[6]});
    if (command == "field" && argc == 4) return printFieldCentre(argv[2], std::atol(argv[3]));
    if (command == "move" && argc == 5) return moveWindow(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    return usage();
}
