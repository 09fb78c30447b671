// browser_relay.exe: a window under Wine that stands in for the report application's
// browser window. Tamvera finds it by its title, brings it to the front and types into
// it; every key message it receives goes to stdout at once, one line each, for the
// native replayer (tests/browser/replay.py) to press in the real browser with XTest:
//
//   D <vk> <ext>   WM_KEYDOWN / WM_SYSKEYDOWN (not VK_PACKET), hex virtual key, extended flag
//   U <vk> <ext>   WM_KEYUP / WM_SYSKEYUP (not VK_PACKET)
//   P <code>       the UTF-16 unit of the WM_CHAR that follows a VK_PACKET key down
//
//   browser_relay TITLE [X Y WIDTH HEIGHT] [--reads PORT]
//
// With --reads it answers a screen reader's request for its client object (WM_GETOBJECT)
// with the browser's focused element (an open list's option as a list item) as reader.py
// reads it, at that moment, from the
// browser's accessibility tree (BrowserField.h): Tamvera's read-back then sees what the
// page holds, never what the relay passed on.
//
// Its X window must be a managed one (scripts/wine-window-settings.sh sets Managed=Y
// for this program alone): Wine then leaves the X input focus where it is when Tamvera
// activates the relay, and the replayer can hand it to the browser without Wine noticing
// that its foreground window lost the focus (it would make the desktop the foreground).
// WS_EX_NOACTIVATE for the same reason on a display with a window manager: Wine then
// declines the manager's offer of the X focus (WM_TAKE_FOCUS) for it, while Tamvera can
// still make it the foreground window.
#include <winsock2.h>
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "BrowserField.h"
#include "platform/win32/WindowObject.h"

namespace {

// A reader waits at most this long for the relay's answer; the field's reader answers in
// 20-100 ms.
constexpr int kAskReaderMs = 300;

class RelayWindow : public tamvera::win32::WindowObject<RelayWindow> {
public:
    explicit RelayWindow(unsigned short readsPort) : readsPort_(readsPort) {}

    bool create(const wchar_t* title, int x, int y, int width, int height) {
        WNDCLASSEXW wc = windowClass(L"TamveraBrowserRelay");
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        if (!RegisterClassExW(&wc)) return false;
        return CreateWindowExW(WS_EX_NOACTIVATE, wc.lpszClassName, title, WS_OVERLAPPED | WS_CAPTION | WS_MINIMIZEBOX,
                               x, y, width, height, nullptr, nullptr, wc.hInstance, this) != nullptr;
    }

private:
    friend class tamvera::win32::WindowObject<RelayWindow>;

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) {
        const unsigned vk = static_cast<unsigned>(wParam);
        switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (vk == VK_PACKET)
                packetDown_ = true;
            else
                writeLine('D', vk, extendedFlag(lParam));
            InvalidateRect(hwnd(), nullptr, TRUE);
            return 0;  // never to DefWindowProc: Alt or F10 would open the system menu
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (vk != VK_PACKET) writeLine('U', vk, extendedFlag(lParam));
            return 0;
        case WM_CHAR:
            if (packetDown_) writeLine('P', vk);
            packetDown_ = false;
            return 0;
        case WM_SYSCHAR:
            return 0;
        case WM_GETOBJECT:
            if (readsPort_ && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT) return answerRead(wParam);
            return DefWindowProcW(hwnd(), message, wParam, lParam);
        case WM_PAINT:
            paintCount();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd(), message, wParam, lParam);
        }
    }

    // A fresh snapshot for each request: the reader reads it right after asking.
    LRESULT answerRead(WPARAM wParam) {
        using namespace tamvera::browser;
        const DWORD asked = GetTickCount();
        auto* field = new BrowserField(hwnd(), ParseFocusedChain(AskReader(readsPort_, kAskReaderMs)));
        const DWORD answered = GetTickCount();
        const LRESULT answer = LresultFromObject(kIidAccessible, wParam, field);
        field->Release();
        // How long each read took, for a look when reads come late (stderr: the relay's log).
        std::fprintf(stderr, "read: reader %lu ms, object %lu ms\n", answered - asked, GetTickCount() - answered);
        std::fflush(stderr);
        return answer;
    }

    static int extendedFlag(LPARAM lParam) { return (lParam >> 24) & 1; }

    void writeLine(char kind, unsigned value, int extended = -1) {
        if (extended < 0)
            std::printf("%c %x\n", kind, value);
        else
            std::printf("%c %02x %d\n", kind, value, extended);
        std::fflush(stdout);
        ++lines_;
    }

    void paintCount() {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd(), &paint);
        RECT area;
        GetClientRect(hwnd(), &area);
        const std::wstring text = L"Ke browser: " + std::to_wstring(lines_) + L" tombol";
        DrawTextW(dc, text.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(hwnd(), &paint);
    }

    unsigned short readsPort_;
    bool packetDown_ = false;  // a VK_PACKET key down came; its WM_CHAR holds the character
    unsigned long lines_ = 0;
};

}  // namespace

// Sockets and COM for the life of the relay.
struct Services {
    bool ok = false;
    Services() {
        WSADATA wsa;
        ok = WSAStartup(MAKEWORD(2, 2), &wsa) == 0 && SUCCEEDED(OleInitialize(nullptr));
    }
    ~Services() {
        OleUninitialize();
        WSACleanup();
    }
};

int wmain(int argc, wchar_t** argv) {
    unsigned short readsPort = 0;
    if (argc >= 4 && std::wcscmp(argv[argc - 2], L"--reads") == 0) {
        readsPort = static_cast<unsigned short>(_wtoi(argv[argc - 1]));
        argc -= 2;
    }
    if (argc != 2 && argc != 6) {
        std::fprintf(stderr, "usage: browser_relay TITLE [X Y WIDTH HEIGHT] [--reads PORT]\n");
        return 2;
    }
    _setmode(_fileno(stdout), _O_BINARY);
    Services services;
    if (!services.ok) return 1;
    // By default below Tamvera at the test display's right edge, clear of the browser.
    const bool placed = argc == 6;
    RelayWindow relay(readsPort);
    if (!relay.create(argv[1], placed ? _wtoi(argv[2]) : 958, placed ? _wtoi(argv[3]) : 600,
                      placed ? _wtoi(argv[4]) : 320, placed ? _wtoi(argv[5]) : 64))
        return 1;
    // Shown without activation: the focus stays where it is until Tamvera brings it up.
    ShowWindow(relay.hwnd(), SW_SHOWNOACTIVATE);

    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
