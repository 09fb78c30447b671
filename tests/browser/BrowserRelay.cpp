// browser_relay.exe: a window under Wine that stands in for the report application's
// browser window. Tamvera finds it by its title, brings it to the front and types into
// it; every key message it receives goes to stdout at once, one line each, for the
// native replayer (tests/browser/replay.py) to press in the real browser with XTest:
//
//   D <vk> <ext>   WM_KEYDOWN / WM_SYSKEYDOWN (not VK_PACKET), hex virtual key, extended flag
//   U <vk> <ext>   WM_KEYUP / WM_SYSKEYUP (not VK_PACKET)
//   P <code>       the UTF-16 unit of the WM_CHAR that follows a VK_PACKET key down
//   # ...          diagnostics
//
//   browser_relay TITLE [X Y WIDTH HEIGHT]
//
// Its X window must be a managed one (scripts/wine-env.sh sets Managed=Y for this
// program alone): Wine then leaves the X input focus where it is when Tamvera activates
// the relay, and the replayer can hand it to the browser without Wine noticing that its
// foreground window lost the focus (it would make the desktop the foreground).
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

namespace {

struct Relay {
    bool packetDown = false;  // a VK_PACKET key down came; its WM_CHAR holds the character
    unsigned long keys = 0;   // lines written
};
Relay relay;

void writeLine(char kind, unsigned value, int extended = -1) {
    if (extended < 0)
        std::printf("%c %x\n", kind, value);
    else
        std::printf("%c %02x %d\n", kind, value, extended);
    std::fflush(stdout);
    ++relay.keys;
}

int extendedFlag(LPARAM lParam) { return (lParam >> 24) & 1; }

void paintCount(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    const std::wstring text = L"Penerus tombol ke browser: " + std::to_wstring(relay.keys) + L" diteruskan";
    DrawTextW(dc, text.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(window, &paint);
}

LRESULT CALLBACK relayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const unsigned vk = static_cast<unsigned>(wParam);
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (vk == VK_PACKET)
            relay.packetDown = true;
        else
            writeLine('D', vk, extendedFlag(lParam));
        InvalidateRect(window, nullptr, TRUE);
        return 0;  // never to DefWindowProc: Alt or F10 would open the system menu
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (vk != VK_PACKET) writeLine('U', vk, extendedFlag(lParam));
        return 0;
    case WM_CHAR:
        if (relay.packetDown) writeLine('P', vk);
        relay.packetDown = false;
        return 0;
    case WM_SYSCHAR:
        return 0;
    case WM_PAINT:
        paintCount(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2 && argc != 6) {
        std::fprintf(stderr, "usage: browser_relay TITLE [X Y WIDTH HEIGHT]\n");
        return 2;
    }
    _setmode(_fileno(stdout), _O_BINARY);
    // By default below Tamvera at the test display's right edge, clear of the browser.
    const int x = argc == 6 ? _wtoi(argv[2]) : 958, y = argc == 6 ? _wtoi(argv[3]) : 600;
    const int width = argc == 6 ? _wtoi(argv[4]) : 320, height = argc == 6 ? _wtoi(argv[5]) : 64;

    WNDCLASSW wc{};
    wc.lpfnWndProc = relayProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = L"TamveraBrowserRelay";
    if (!RegisterClassW(&wc)) return 1;
    const HWND window = CreateWindowExW(0, wc.lpszClassName, argv[1],
                                        WS_OVERLAPPED | WS_CAPTION | WS_MINIMIZEBOX, x, y, width, height, nullptr,
                                        nullptr, wc.hInstance, nullptr);
    if (!window) return 1;
    // Shown without activation: the focus stays where it is until Tamvera brings it up.
    ShowWindow(window, SW_SHOWNOACTIVATE);
    std::printf("# relay ready\n");
    std::fflush(stdout);

    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
