#include "TestWindows.h"

namespace tamvera::winetest {

namespace {

constexpr int kCellWidth = 60;
constexpr int kCellHeight = 20;
constexpr UINT_PTR kGuardTimerId = 1;

ATOM registerClass(const wchar_t* name, WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    return RegisterClassW(&wc);
}

HWND createEdit(HWND parent, int x, int y) {
    return CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, x, y,
                           kCellWidth, kCellHeight, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

OwnedWindow::~OwnedWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

GridWindow::GridWindow(const GridArgs& args) : columns_(args.columns) {
    static const ATOM cls = registerClass(L"TamveraRunTestGrid", windowProc);
    (void)cls;
    const int width = 20 + args.columns * (kCellWidth + 4);
    const int height = 80 + (args.rows + 1) * (kCellHeight + 2);
    hwnd_ = CreateWindowExW(0, L"TamveraRunTestGrid", args.title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                            width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    anchor_ = createEdit(hwnd_, 4, 4);
    for (int r = 0; r < args.rows; ++r)
        for (int c = 0; c < args.columns; ++c)
            cells_.push_back(createEdit(hwnd_, 4 + c * (kCellWidth + 4), 4 + (r + 1) * (kCellHeight + 2)));
}

void GridWindow::focusAnchor() const {
    SetForegroundWindow(hwnd_);
    SetFocus(anchor_);
}

std::wstring GridWindow::cellText(int row, int column) const {
    HWND cell = cells_.at(static_cast<std::size_t>(row * columns_ + column));
    wchar_t buffer[256] = {};
    const int n = GetWindowTextW(cell, buffer, 256);
    return std::wstring(buffer, static_cast<std::size_t>(n));
}

LRESULT CALLBACK GridWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<GridWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    // Like a dialog: activation keeps the focus in a field (the anchor at first) instead
    // of giving it to the frame.
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && self) {
        HWND focus = GetFocus();
        if (!focus || GetParent(focus) != hwnd) SetFocus(self->anchor_);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

PlainWindow::PlainWindow(const wchar_t* title) {
    static const ATOM cls = registerClass(L"TamveraRunTestPlain", DefWindowProcW);
    (void)cls;
    hwnd_ = CreateWindowExW(0, L"TamveraRunTestPlain", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300, 300, 200,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

GuardTicker::GuardTicker(std::function<void()> tick) : tick_(std::move(tick)) {
    static const ATOM cls = registerClass(L"TamveraRunTestTicker", windowProc);
    (void)cls;
    hwnd_ = CreateWindowExW(0, L"TamveraRunTestTicker", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetTimer(hwnd_, kGuardTimerId, form::FormModel::kGuardIntervalMs, nullptr);
}

LRESULT CALLBACK GuardTicker::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<GuardTicker*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_TIMER && wParam == kGuardTimerId && self) {
        self->tick_();
        return 0;
    }
    if (message == WM_DESTROY) KillTimer(hwnd, kGuardTimerId);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void pumpUntil(Win32Platform& platform, int ms, const std::function<bool()>& done) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    while (GetTickCount64() < end) {
        platform.processMessages();
        if (done && done()) return;
        Sleep(1);
    }
}

std::u16string gradeList(const std::vector<std::vector<std::u16string>>& rows) {
    std::u16string list;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r) list += u"\r\n";
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            if (c) list += u'\t';
            list += rows[r][c];
        }
    }
    return list;
}

}  // namespace tamvera::winetest
