#include "controls/win32/FlatButton.h"

#include <windowsx.h>

#include "controls/ButtonPaint.h"

namespace tamvera::controls::win32 {

namespace {

constexpr wchar_t ClassName[] = L"TamveraFlatButton";
constexpr UINT_PTR Timer1Id = 1;

int logPixels(int index) {
    WindowDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), index);
    return dpi > 0 ? dpi : 96;
}

std::int16_t shiftMask(WPARAM wParam) {
    std::int16_t mask = 0;
    if (wParam & MK_SHIFT) mask |= mouse::Shift;
    if (wParam & MK_CONTROL) mask |= mouse::Ctrl;
    if (GetKeyState(VK_MENU) < 0) mask |= mouse::Alt;
    return mask;
}

std::int16_t heldButtons(WPARAM wParam) {
    std::int16_t mask = 0;
    if (wParam & MK_LBUTTON) mask |= mouse::Left;
    if (wParam & MK_RBUTTON) mask |= mouse::Right;
    if (wParam & MK_MBUTTON) mask |= mouse::Middle;
    return mask;
}

}  // namespace

double screenTwipsPerPixelX() { return 1440.0 / logPixels(LOGPIXELSX); }
double screenTwipsPerPixelY() { return 1440.0 / logPixels(LOGPIXELSY); }

// --- Creation and lifetime -----------------------------------------------------------

ATOM FlatButton::registerClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW wc = windowClass(ClassName);
        // Double clicks arrive as such (press, release, double click, release).
        wc.style = CS_DBLCLKS;
        wc.hCursor = nullptr;  // the pointer is the control's to set (or to leave alone)
        return RegisterClassExW(&wc);
    }();
    return atom;
}

FlatButton::FlatButton(ucBtnFacebook& model)
    : model_(&model), twipsPerPixelX_(screenTwipsPerPixelX()), twipsPerPixelY_(screenTwipsPerPixelY()) {}

std::unique_ptr<FlatButton> FlatButton::create(const FlatButtonArgs& args) {
    if (!args.model || !registerClass()) return nullptr;
    std::unique_ptr<FlatButton> button(new FlatButton(*args.model));
    const int x = roundHalfEven(args.left / button->twipsPerPixelX_);
    const int y = roundHalfEven(args.top / button->twipsPerPixelY_);
    const int w = roundHalfEven(args.width / button->twipsPerPixelX_);
    const int h = roundHalfEven(args.height / button->twipsPerPixelY_);
    HWND window = CreateWindowExW(0, ClassName, L"", WS_CHILD | WS_TABSTOP, x, y, w, h, args.parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), GetModuleHandleW(nullptr),
                                  button.get());
    if (!window) return nullptr;
    if (args.insertAfter)
        SetWindowPos(window, args.insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    button->surface_.resize(w, h);

    // create → show; the model already holds its properties.
    button->model_->attachHost(button.get());
    button->ready_ = true;
    button->model_->onCreate();
    if (args.visible) ShowWindow(window, SW_SHOWNA);
    return button;
}

FlatButton::~FlatButton() {
    if (hwnd_) DestroyWindow(hwnd_);
}

FlatButton* FlatButton::fromWindow(HWND window) {
    if (!window || GetClassLongPtrW(window, GCW_ATOM) != registerClass()) return nullptr;
    return reinterpret_cast<FlatButton*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void FlatButton::destroyed() {
    KillTimer(hwnd_, Timer1Id);
    releasing_ = true;
    capture_.reset();
    releasing_ = false;
    if (ready_) {
        model_->onTerminate();
        model_->detachHost();
    }
    ready_ = false;
}

// --- Messages ------------------------------------------------------------------------


LRESULT FlatButton::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN: pressed(mouse::Left, wParam, lParam); return 0;
    case WM_RBUTTONDOWN: pressed(mouse::Right, wParam, lParam); return 0;
    case WM_MBUTTONDOWN: pressed(mouse::Middle, wParam, lParam); return 0;
    case WM_LBUTTONDBLCLK: doubleClicked(); return 0;
    // Only the left button double-clicks; the others press again.
    case WM_RBUTTONDBLCLK: pressed(mouse::Right, wParam, lParam); return 0;
    case WM_MBUTTONDBLCLK: pressed(mouse::Middle, wParam, lParam); return 0;
    case WM_LBUTTONUP: released(mouse::Left, wParam, lParam); return 0;
    case WM_RBUTTONUP: released(mouse::Right, wParam, lParam); return 0;
    case WM_MBUTTONUP: released(mouse::Middle, wParam, lParam); return 0;
    case WM_MOUSEMOVE: moved(wParam, lParam); return 0;
    case WM_CAPTURECHANGED: captureChanged(); return 0;
    case WM_SETCURSOR:
        if (setCursorMessage(lParam)) return TRUE;
        break;
    case WM_TIMER:
        if (wParam == Timer1Id && ready_) model_->onTimer1Tick();
        return 0;
    case WM_SETFOCUS:
        if (ready_) model_->onGotFocus();
        return 0;
    case WM_KILLFOCUS:
        if (ready_) model_->onExitFocus();
        return 0;
    case WM_SYSCHAR: {
        // Alt + a key while this button has the focus.
        MSG msg{hwnd_, message, wParam, lParam, 0, {}};
        if (translateAccessKey(msg)) return 0;
        break;
    }
    case WM_SIZE: resized(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_SHOWWINDOW:
        if (wParam && ready_) model_->onShow();
        break;
    case WM_ERASEBKGND: return 1;  // the surface covers everything
    case WM_PAINT: painted(); return 0;
    case WM_DESTROY: destroyed(); return 0;
    default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

float FlatButton::twipsX(LPARAM lParam) const { return static_cast<float>(GET_X_LPARAM(lParam) * twipsPerPixelX_); }
float FlatButton::twipsY(LPARAM lParam) const { return static_cast<float>(GET_Y_LPARAM(lParam) * twipsPerPixelY_); }

void FlatButton::takeFocusAndCapture() {
    // As any push button: a press takes the keyboard focus, and the release comes back
    // here wherever the pointer is by then.
    if (GetFocus() != hwnd_) SetFocus(hwnd_);
    if (!capture_) capture_.emplace(hwnd_);
}

void FlatButton::pressed(std::int16_t button, WPARAM wParam, LPARAM lParam) {
    if (!ready_) return;
    takeFocusAndCapture();
    model_->onMouseDown(button, shiftMask(wParam), twipsX(lParam), twipsY(lParam));
}

void FlatButton::doubleClicked() {
    if (!ready_) return;
    takeFocusAndCapture();
    model_->onDoubleClick();
}

void FlatButton::released(std::int16_t button, WPARAM wParam, LPARAM lParam) {
    if (!ready_) return;
    releasing_ = true;
    capture_.reset();
    releasing_ = false;
    // Last: Click may run a whole entry run or destroy this window.
    model_->onMouseUp(button, shiftMask(wParam), twipsX(lParam), twipsY(lParam));
}

void FlatButton::moved(WPARAM wParam, LPARAM lParam) {
    if (ready_) model_->onMouseMove(heldButtons(wParam), shiftMask(wParam), twipsX(lParam), twipsY(lParam));
}

void FlatButton::captureChanged() {
    if (releasing_ || !capture_) return;
    capture_.reset();
    if (ready_) model_->onPressCancelled();
}

bool FlatButton::setCursorMessage(LPARAM lParam) {
    // The hand over the client area between mouse moves too; with no hand pointer the
    // system's default handling decides.
    if (!ready_ || LOWORD(lParam) != HTCLIENT || model_->handCursor() == 0) return false;
    setCursor(model_->handCursor());
    return true;
}

void FlatButton::resized(int width, int height) {
    surface_.resize(width, height);
    if (ready_) model_->onResize();
}

void FlatButton::painted() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (dc) surface_.copyTo(dc);
    EndPaint(hwnd_, &ps);
}

// --- ButtonHost ----------------------------------------------------------------------

ClientMetrics FlatButton::metrics() {
    RECT r{};
    if (hwnd_) GetClientRect(hwnd_, &r);
    return {r.right * twipsPerPixelX_, r.bottom * twipsPerPixelY_, twipsPerPixelX_, twipsPerPixelY_};
}

void FlatButton::setWindowEnabled(bool enabled) {
    if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void FlatButton::paint(const PaintList& ops) {
    surface_.execute(ops, hwnd_);
    ++paints_;
}

CursorHandle FlatButton::loadHandCursor() {
    // A shared system cursor: never destroyed.
    return reinterpret_cast<CursorHandle>(LoadCursorW(nullptr, IDC_HAND));
}

void FlatButton::setCursor(CursorHandle cursor) { SetCursor(reinterpret_cast<HCURSOR>(cursor)); }

void FlatButton::setTimer1Interval(int milliseconds) {
    if (!hwnd_) return;
    if (milliseconds > 0)
        SetTimer(hwnd_, Timer1Id, static_cast<UINT>(milliseconds), nullptr);
    else
        KillTimer(hwnd_, Timer1Id);
}

bool FlatButton::pointerWindowIsControl() {
    POINT p;
    return hwnd_ && GetCursorPos(&p) && WindowFromPoint(p) == hwnd_;
}

// --- Access keys ---------------------------------------------------------------------

namespace {

struct AccessKeySearch {
    char16_t key;
    FlatButton* found = nullptr;
};

BOOL CALLBACK findAccessKeyOwner(HWND window, LPARAM lp) {
    auto& search = *reinterpret_cast<AccessKeySearch*>(lp);
    FlatButton* b = FlatButton::fromWindow(window);
    if (b && IsWindowVisible(window) && IsWindowEnabled(window) && b->model().answersAccessKey(search.key)) {
        search.found = b;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool translateAccessKey(const MSG& msg) {
    if (msg.message != WM_SYSCHAR || !msg.hwnd) return false;
    AccessKeySearch search{static_cast<char16_t>(msg.wParam)};
    EnumChildWindows(GetAncestor(msg.hwnd, GA_ROOT), findAccessKeyOwner, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return false;
    // After the enumeration: Click may change or destroy windows.
    search.found->model().onAccessKey();
    return true;
}

}  // namespace tamvera::controls::win32
