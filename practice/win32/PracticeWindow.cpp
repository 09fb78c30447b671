#include "win32/PracticeWindow.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/FieldReads.h"
#include "core/OutFile.h"
#include "win32/OutFileWriter.h"

namespace tamvera::practice {

namespace {

constexpr wchar_t kClassName[] = L"TamveraLatihanWindow";
constexpr int kMargin = 8;
constexpr COLORREF kInstructionColour = RGB(30, 30, 30);
constexpr COLORREF kStatusColour = RGB(0, 70, 140);
constexpr COLORREF kProblemColour = RGB(180, 0, 0);

Font messageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return Font(CreateFontIndirectW(&metrics.lfMessageFont));
}

std::optional<Key> keyFor(WPARAM vk) {
    switch (vk) {
    case VK_TAB: return Key::Tab;
    case VK_RETURN: return Key::Enter;
    case VK_LEFT: return Key::Left;
    case VK_RIGHT: return Key::Right;
    case VK_UP: return Key::Up;
    case VK_DOWN: return Key::Down;
    case VK_ESCAPE: return Key::Escape;
    case VK_BACK: return Key::Backspace;
    case VK_HOME: return Key::Home;
    case VK_END: return Key::End;
    default: return std::nullopt;
    }
}

// When the key was pressed, on the 64-bit tick clock: the typed-search timeout counts
// from the input itself, not from when this window got round to it.
Millis messageTime() {
    const ULONGLONG now = GetTickCount64();
    DWORD age = static_cast<DWORD>(now) - static_cast<DWORD>(GetMessageTime());
    if (age > 60000) age = 0;  // no usable time on the message
    return Millis(static_cast<long long>(now - age));
}

}  // namespace

PracticeWindow::PracticeWindow(const PracticeWindowArgs& args)
    : form_(args.launch.form),
      outPath_(args.launch.outPath),
      font_(messageFont()),
      answerReads_(args.launch.answerReads) {
    static const ATOM registered = [] {
        WNDCLASSEXW wc = windowClass(kClassName);
        wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        return RegisterClassExW(&wc);
    }();
    (void)registered;
    const std::wstring title = wide(windowTitle(form_.options().target));
    CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                    900, 700, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) return;
    grid_ = std::make_unique<GridView>(GridViewArgs{hwnd_, &form_, font_.get()});
    fitToScreen();
    // The out-file exists from the start, holding the empty fields.
    saveOutFile();
    ShowWindow(hwnd_, args.showCommand);
    SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
}

PracticeWindow::~PracticeWindow() {
    grid_.reset();
    if (hwnd_) DestroyWindow(hwnd_);
}


LRESULT PracticeWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_KEYDOWN:
        if (onKeyDown(wp)) return 0;
        break;
    case WM_CHAR: onChar(wp); return 0;
    case kCellClicked:
        form_.click(static_cast<int>(wp), static_cast<int>(lp), messageTime());
        afterInput();
        return 0;
    case WM_GETOBJECT: return onGetObject(wp, lp);
    case WM_SETFOCUS:
        announcedChild_ = -1;
        announceFocus();
        return 0;
    case WM_PAINT: onPaint(); return 0;
    case WM_SIZE: layout(); return 0;
    case WM_MOUSEWHEEL:
        if (grid_) grid_->scrollRowsBy(-3 * GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA);
        return 0;
    case WM_ENDSESSION:
        if (wp) saveOutFile();
        return 0;
    case WM_DESTROY: onDestroy(); return 0;
    default: break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

// Only the client object is the form's own; every other object is the system's.
LRESULT PracticeWindow::onGetObject(WPARAM wp, LPARAM lp) {
    if (!answerReads_ || static_cast<LONG>(static_cast<DWORD>(lp)) != OBJID_CLIENT) {
        return DefWindowProcW(hwnd_, WM_GETOBJECT, wp, lp);
    }
    if (!accessible_) {
        accessible_ = new AccessibleForm(AccessibleFormArgs{
            hwnd_, &form_, [this](FieldPlace field) {
                return grid_ ? grid_->screenRect(field.row, form_.shownColumn(field.col)) : RECT{};
            }});
    }
    ++reads_;
    return LresultFromObject(kIidAccessible, wp, accessible_);
}

bool PracticeWindow::onKeyDown(WPARAM vk) {
    const std::optional<Key> key = keyFor(vk);
    if (!key) return false;
    form_.press(*key, GetKeyState(VK_SHIFT) < 0, messageTime());
    afterInput();
    return true;
}

// One UTF-16 unit at a time; a character outside the BMP arrives as two.
void PracticeWindow::onChar(WPARAM ch) {
    form_.type(static_cast<char16_t>(ch), messageTime());
    afterInput();
}

void PracticeWindow::afterInput() {
    if (form_.changes() != savedChanges_)
        saveOutFile();
    else if (form_.charactersLost() != countedLost_)
        saveCharacterCounts();
    if (grid_) grid_->showFocus();
    RECT client{};
    GetClientRect(hwnd_, &client);
    client.bottom = bandHeight(client.right);
    InvalidateRect(hwnd_, &client, TRUE);
    announceFocus();
    // Asked to hang: this thread answers nothing meanwhile, and the keys queue up.
    if (const std::optional<Millis> stall = form_.stallDue()) Sleep(static_cast<DWORD>(stall->count()));
}

// Screen readers follow the focus by this event, as they do in real applications.
void PracticeWindow::announceFocus() {
    const long child = focusedChild(form_);
    if (child == announcedChild_ || GetFocus() != hwnd_) return;
    announcedChild_ = child;
    NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd_, OBJID_CLIENT, child);
}

bool PracticeWindow::saveOutFile() {
    savedChanges_ = form_.changes();
    if (outPath_.empty()) return true;
    saveCharacterCounts();
    const bool saved = replaceFileContents(outPath_, formatOutFile(form_.grades()));
    saveProblem_ = saved ? u"" : u"Berkas hasil tidak dapat ditulis: " + outPath_;
    return saved;
}

// Beside the out-file: the characters typed into grade fields and those lost, a line each.
void PracticeWindow::saveCharacterCounts() {
    countedLost_ = form_.charactersLost();
    if (outPath_.empty()) return;
    replaceFileContents(outPath_ + u".huruf", "diketik " + std::to_string(form_.charactersTyped()) + "\nhilang " +
                                                  std::to_string(countedLost_) + "\ndibaca " +
                                                  std::to_string(reads_) + "\n");
}

void PracticeWindow::onDestroy() {
    if (accessible_) {  // a reader may still hold it: it answers no more
        accessible_->detach();
        CoDisconnectObject(accessible_, 0);
        accessible_->Release();
        accessible_ = nullptr;
    }
    // The program's exit code tells whether the last state reached the out-file.
    const bool saved = saveOutFile();
    PostQuitMessage(saved ? 0 : 1);
}

// The explanation and the status line above the grid.
int PracticeWindow::bandHeight(int width) const {
    WindowDC dc(hwnd_);
    Selection font(dc.get(), font_.get());
    RECT r{0, 0, std::max(width - 2 * kMargin, 100), 0};
    const std::wstring text = wide(form_.instructionText());
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.get(), &tm);
    return kMargin + static_cast<int>(r.bottom) + kMargin / 2 + 2 * tm.tmHeight + kMargin;
}

void PracticeWindow::layout() {
    if (!grid_) return;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int top = bandHeight(client.right);
    grid_->place({0, top, client.right, std::max(top, static_cast<int>(client.bottom))});
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// As large as the whole grid, within the screen's work area; larger grids scroll.
void PracticeWindow::fitToScreen() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const SIZE grid = grid_->preferredSize();
    const int workWidth = work.right - work.left;
    const int workHeight = work.bottom - work.top;
    RECT frame{0, 0, std::clamp(static_cast<int>(grid.cx), 640, workWidth), 0};
    frame.bottom = bandHeight(frame.right) + grid.cy;
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const int width = std::min(static_cast<int>(frame.right - frame.left), workWidth);
    const int height = std::min(static_cast<int>(frame.bottom - frame.top), workHeight);
    SetWindowPos(hwnd_, nullptr, work.left, work.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    layout();
}

void PracticeWindow::onPaint() {
    PaintDC paint(hwnd_);
    RECT client{};
    GetClientRect(hwnd_, &client);
    Selection font(paint.get(), font_.get());
    TEXTMETRICW tm{};
    GetTextMetricsW(paint.get(), &tm);
    RECT text{kMargin, kMargin, client.right - kMargin, client.bottom};
    const std::wstring instruction = wide(form_.instructionText());
    RECT measured = text;
    DrawTextW(paint.get(), instruction.c_str(), static_cast<int>(instruction.size()), &measured,
              DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
    drawText(paint.get(), text, form_.instructionText(), kInstructionColour, DT_WORDBREAK);
    RECT status{kMargin, measured.bottom + kMargin / 2, client.right - kMargin, measured.bottom + kMargin / 2 + tm.tmHeight};
    drawText(paint.get(), status, form_.statusText(), kStatusColour, DT_SINGLELINE | DT_END_ELLIPSIS);
    if (!saveProblem_.empty()) {
        RECT problem{status.left, status.bottom, status.right, status.bottom + tm.tmHeight};
        drawText(paint.get(), problem, saveProblem_, kProblemColour, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    }
}

}  // namespace tamvera::practice
