// window_probe.exe: looks at a running Tamvera.exe from outside, for the Wine test
// scripts. Prints one fact per line; exit code 0 on success, 1 when the thing asked for
// is not there, 2 on bad usage.
//
//   window_probe geometry          window and client rectangles on screen, styles
//   window_probe children          every child window: name (from the layout), class, rect
//   window_probe text NAME         the text of the control NAME (UTF-8, CR LF as is)
//   window_probe length NAME       the length of that text in characters
//   window_probe enabled NAME      1 or 0
//   window_probe focus             the name of the child window that has the focus
//   window_probe dialog            the text of an open message box titled "Tamvera"
//   window_probe resources         what Tamvera's process holds: handles, GDI and USER
//                                  objects, private bytes, working set, threads
#define PSAPI_VERSION 2
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/win32/StandardField.h"
#include "window/Layout.h"

using namespace tamvera::window;

namespace {

HWND mainWindow() { return FindWindowW(L"TamveraForm1", L"Tamvera"); }

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

// WM_GETTEXT works across processes for every window class; the text is read whole even
// while Tamvera changes it (the progress line grows from "9 dari" to "10 dari").
std::wstring textOf(HWND window) { return tamvera::windowText(window, 5000).value_or(std::wstring()); }

std::string classOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return utf8(name);
}

std::string nameOf(HWND child) {
    const int id = GetDlgCtrlID(child);
    for (const ControlEntry& c : kControls)
        if (c.tabIndex >= 0 && controlId(c) == id && c.kind != Kind::PictureBox) return std::string(c.name);
    return classOf(child) == "TamveraPicture" ? "Picture1" : "?";
}

HWND childNamed(HWND form, std::string_view name) {
    const ControlEntry* entry = findControl(name);
    return entry ? GetDlgItem(form, controlId(*entry)) : nullptr;
}

RECT clientRectOf(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

BOOL CALLBACK printChild(HWND child, LPARAM param) {
    const HWND form = reinterpret_cast<HWND>(param);
    if (GetParent(child) != form) return TRUE;
    const RECT r = clientRectOf(form, child);
    std::printf("%s %s %ld %ld %ld %ld %d %d\n", nameOf(child).c_str(), classOf(child).c_str(), r.left, r.top,
                r.right - r.left, r.bottom - r.top, IsWindowVisible(child) ? 1 : 0, IsWindowEnabled(child) ? 1 : 0);
    return TRUE;
}

struct DialogSearch {
    DWORD process = 0;
    HWND found = nullptr;
};

BOOL CALLBACK findDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window) || classOf(window) != "#32770") return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK printStatic(HWND child, LPARAM) {
    if (classOf(child) == "Static" && GetWindowTextLengthW(child) > 0) std::printf("%s\n", utf8(textOf(child)).c_str());
    return TRUE;
}

int usage() {
    std::fprintf(stderr, "usage: window_probe geometry|children|text NAME|length NAME|enabled NAME|focus|dialog\n");
    return 2;
}

int threadsOf(DWORD process) {
    int n = 0;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        n += entry.th32OwnerProcessID == process;
    CloseHandle(snapshot);
    return n;
}

// Handles the process holds, from the system's handle list (GetProcessHandleCount of
// another process answers 0 under Wine).
long handlesOf(DWORD process) {
    using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    const auto query =
        reinterpret_cast<Query>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    struct Entry {
        ULONG owner;
        BYTE type, flags;
        USHORT handle;
        void* object;
        ACCESS_MASK access;
    };
    std::string buffer(1 << 16, '\0');
    ULONG needed = 0;
    LONG status;
    while ((status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
           static_cast<LONG>(0xC0000004))  // STATUS_INFO_LENGTH_MISMATCH
        buffer.resize(buffer.size() * 2);
    if (status < 0) return -1;
    const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(void*));
    long n = 0;
    for (ULONG i = 0; i < count; ++i) n += entries[i].owner == process;
    return n;
}

// Windows (USER objects) the process owns: its top-level windows and their children.
BOOL CALLBACK countChild(HWND, LPARAM counter) {
    ++*reinterpret_cast<long*>(counter);
    return TRUE;
}
struct WindowCount {
    DWORD process;
    long n;
};
BOOL CALLBACK countWindow(HWND window, LPARAM param) {
    auto& count = *reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != count.process) return TRUE;
    ++count.n;
    EnumChildWindows(window, countChild, reinterpret_cast<LPARAM>(&count.n));
    return TRUE;
}
long windowsOf(DWORD process) {
    WindowCount count{process, 0};
    EnumWindows(countWindow, reinterpret_cast<LPARAM>(&count));
    return count.n;
}

int printResources(HWND form) {
    DWORD id = 0;
    GetWindowThreadProcessId(form, &id);
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
    if (!process) return 1;
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    std::printf("handles %lu\nsystemhandles %ld\ngdi %lu\nuser %lu\nwindows %ld\nprivate %lu\nworkingset %lu\n"
                "threads %d\n",
                handles, handlesOf(id), GetGuiResources(process, GR_GDIOBJECTS),
                GetGuiResources(process, GR_USEROBJECTS), windowsOf(id),
                static_cast<unsigned long>(memory.PrivateUsage), static_cast<unsigned long>(memory.WorkingSetSize),
                threadsOf(id));
    CloseHandle(process);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    _setmode(_fileno(stdout), _O_BINARY);  // texts go out byte for byte, CR LF as they are
    const std::string_view command = argv[1];
    const HWND form = mainWindow();
    if (!form) {
        std::fprintf(stderr, "window_probe: Tamvera's window is not open\n");
        return 1;
    }
    if (command == "geometry") {
        RECT w{}, c{};
        GetWindowRect(form, &w);
        GetClientRect(form, &c);
        POINT origin{0, 0};
        ClientToScreen(form, &origin);
        const LONG_PTR style = GetWindowLongPtrW(form, GWL_STYLE);
        std::printf("window %ld %ld %ld %ld\n", w.left, w.top, w.right - w.left, w.bottom - w.top);
        std::printf("client %ld %ld %ld %ld\n", origin.x, origin.y, c.right, c.bottom);
        std::printf("caption %d border %d sizable %d\n", (style & WS_CAPTION) == WS_CAPTION ? 1 : 0,
                    (style & WS_BORDER) ? 1 : 0, (style & WS_THICKFRAME) ? 1 : 0);
        std::printf("dropshadow %d\n", (GetClassLongPtrW(form, GCL_STYLE) & CS_DROPSHADOW) ? 1 : 0);
        return 0;
    }
    if (command == "children") {
        EnumChildWindows(form, printChild, reinterpret_cast<LPARAM>(form));
        return 0;
    }
    if (command == "focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &info) || !info.hwndFocus) return 1;
        std::printf("%s\n", info.hwndFocus == form ? "Form1" : nameOf(info.hwndFocus).c_str());
        return 0;
    }
    if (command == "resources") return printResources(form);
    if (command == "dialog") {
        DialogSearch search;
        GetWindowThreadProcessId(form, &search.process);
        EnumWindows(findDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.found) return 1;
        std::printf("title %s\n", utf8(textOf(search.found)).c_str());
        EnumChildWindows(search.found, printStatic, 0);
        return 0;
    }
    if (argc < 3) return usage();
    const HWND child = childNamed(form, argv[2]);
    if (!child) {
        std::fprintf(stderr, "window_probe: no window for %s\n", argv[2]);
        return 1;
    }
    if (command == "text") {
        const std::string text = utf8(textOf(child));
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    if (command == "length") {
        std::printf("%zu\n", textOf(child).size());
        return 0;
    }
    if (command == "enabled") {
        std::printf("%d\n", IsWindowEnabled(child) ? 1 : 0);
        return 0;
    }
    return usage();
}
