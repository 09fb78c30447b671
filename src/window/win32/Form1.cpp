#include "window/win32/Form1.h"

#include "platform/win32/Win32Platform.h"

namespace tamvera::window::win32 {

namespace {

constexpr wchar_t ClassName[] = L"TamveraForm1";
constexpr UINT_PTR GuardTimerId = 1;
constexpr int AppIconId = 1;
// Borderless, no caption and no system buttons; minimizable from the taskbar.
constexpr DWORD FormStyle = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;

}  // namespace

Form1::Form1(const Form1Args& args)
    : form_(*args.form),
      engine_(*args.engine),
      platform_(*args.platform),
      tpp_{controls::win32::screenTwipsPerPixelX(), controls::win32::screenTwipsPerPixelY()},
      chrome_(*args.platform, *this, tpp_, *args.form),
      textFont_(makeFont(kSegoeUi825, tpp_.y)) {}

std::unique_ptr<Form1> Form1::create(const Form1Args& args) {
    if (!args.form || !args.engine || !args.platform) return nullptr;
    std::unique_ptr<Form1> form(new Form1(args));
    if (!form->createWindow(args.instance) || !form->createControls(args.instance)) return nullptr;
    form->form_.setObserver(form.get());
    return form;
}

Form1::~Form1() {
    form_.setObserver(nullptr);
    if (hwnd_) {
        KillTimer(hwnd_, GuardTimerId);
        DestroyWindow(hwnd_);  // the children go with it
    }
}

ATOM Form1::registerClass(HINSTANCE instance) {
    WNDCLASSEXW wc = windowClass(ClassName, instance);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(AppIconId));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(AppIconId), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_SHARED));
    const ATOM atom = RegisterClassExW(&wc);
    return atom ? atom : static_cast<ATOM>(GetClassInfoExW(instance, ClassName, &wc));
}

bool Form1::createWindow(HINSTANCE instance) {
    if (!registerClass(instance)) return false;
    // Created as an ordinary overlapped window, so the system gives it the position it
    // gives every new window; then made borderless at that place.
    const std::wstring title(kWindowTitle.begin(), kWindowTitle.end());
    HWND window = CreateWindowExW(0, ClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    if (!window) return false;
    RECT placed{};
    GetWindowRect(window, &placed);
    SetWindowLongPtrW(window, GWL_STYLE, FormStyle);
    const PixelRect client = clientRect(tpp_);
    RECT outer{0, 0, client.width, client.height};
    AdjustWindowRectEx(&outer, FormStyle, FALSE, 0);
    SetWindowPos(window, nullptr, placed.left, placed.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

bool Form1::createControls(HINSTANCE instance) {
    picture_ = PictureBox::create({.parent = hwnd_, .instance = instance, .chrome = &chrome_, .tpp = tpp_});
    if (!picture_) return false;
    // In tab-index order, each placed after the one before: TAB follows that order.
    HWND previous = nullptr;
    for (const ControlEntry* entry : windowedControlsInTabOrder()) {
        HWND created = nullptr;
        if (entry->kind == Kind::FlatButton) {
            const TwipsRect& r = entry->rect;
            auto button = controls::win32::FlatButton::create({.parent = hwnd_, .model = &(form_.*entry->button),
                                                                .left = r.left, .top = r.top, .width = r.width,
                                                                .height = r.height, .insertAfter = previous,
                                                                .id = controlId(*entry), .visible = true});
            if (!button) return false;
            created = button->hwnd();
            buttons_.push_back(std::move(button));
        } else {
            TextFieldArgs args{.parent = hwnd_, .entry = entry, .tpp = tpp_, .font = textFont_.get(),
                               .text = (form_.*entry->textBox).Text(), .insertAfter = previous, .onClick = nullptr};
            if (entry->kind == Kind::GradeBox) args.onClick = [this] { engine_.Txt_Nilai_Click(); };
            auto field = TextField::create(std::move(args));
            if (!field) return false;
            created = field->hwnd();
            if (entry->textBox == &form::FormModel::Txt_Nilai) nilai_ = std::move(field);
            else if (entry->textBox == &form::FormModel::Txt_Waktu) waktu_ = std::move(field);
            else perkembangan_ = std::move(field);
        }
        previous = created;
    }
    // Picture1 under all of them, whatever order the system gave the new windows.
    SetWindowPos(picture_->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return nilai_ && waktu_ && perkembangan_;
}

void Form1::show(int showCommand) {
    Form_Load();
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    // Picture1 first in the tab order: nothing shows the focus until TAB or a click.
    SetFocus(picture_->hwnd());
}

void Form1::Form_Load() {
    applyDropShadow();
    engine_.Form_Load();
}

void Form1::applyDropShadow() {
    // On the window's class: every window of it gets the system's shadow. A refusal
    // leaves the window without one.
    SetLastError(0);
    const ULONG_PTR style = GetClassLongPtrW(hwnd_, GCL_STYLE);
    if (style == 0 && GetLastError() != 0) return;
    SetClassLongPtrW(hwnd_, GCL_STYLE, static_cast<LONG_PTR>(style | CS_DROPSHADOW));
}

bool Form1::filterMessage(MSG& msg) {
    if (controls::win32::translateAccessKey(msg)) return true;
    return hwnd_ && IsDialogMessageW(hwnd_, &msg);
}

// --- The model's changes ---------------------------------------------------------------

void Form1::textChanged(form::TextId which) {
    // Shown at the next paint: during a run, in the typing loop's next pause. The value
    // holders are never shown.
    if (which == form::TextId::Txt_Waktu && waktu_) waktu_->setText(form_.Txt_Waktu.Text());
    if (which == form::TextId::Txt_Perkembangan && perkembangan_) perkembangan_->setText(form_.Txt_Perkembangan.Text());
}

void Form1::gradeTextChanged() {
    if (nilai_) nilai_->setText(form_.Txt_Nilai.Text());
}

void Form1::guardTimerChanged(bool enabled) {
    if (!hwnd_) return;
    if (enabled)
        SetTimer(hwnd_, GuardTimerId, form::FormModel::kGuardIntervalMs, nullptr);
    else
        KillTimer(hwnd_, GuardTimerId);
}

// --- Chrome ------------------------------------------------------------------------------

void Form1::dragWindow() {
    // The system's own move loop, as if the caption bar had been pressed; the loop takes
    // the position from the press itself.
    ReleaseCapture();
    SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void Form1::closeLookChanged() {
    if (picture_) picture_->invalidateCloseLabel();
}

void Form1::captureMouse(bool captured) {
    if (picture_) picture_->captureMouse(captured);
}

// --- Messages ------------------------------------------------------------------------------


LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;  // Picture1 covers the client area
    case WM_COMMAND: commanded(wParam, lParam); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return textColours(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_TIMER:
        if (wParam == GuardTimerId) engine_.Timer_CekKesalahan_Timer();
        return 0;
    case WM_NEXTDLGCTL: {
        // The grade box asks for the next control on TAB (the dialog keyboard interface).
        HWND next = lParam ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0);
        if (next) SetFocus(next);
        return 0;
    }
    case WM_ACTIVATE: activated(wParam); return 0;
    case WM_SETFOCUS: focused(); return 0;
    case WM_CLOSE:
        // Alt+F4 or the taskbar: the program ends at once, as with the close label.
        platform_.exitProcess();
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Form1::commanded(WPARAM wParam, LPARAM lParam) {
    // ENTER and ESC reach here as IDOK and IDCANCEL from the dialog keyboard interface:
    // nothing to do.
    if (!nilai_ || reinterpret_cast<HWND>(lParam) != nilai_->hwnd() || HIWORD(wParam) != EN_CHANGE) return;
    if (!nilai_->settingText()) form_.Txt_Nilai.setTextFromView(nilai_->text());
}

LRESULT Form1::textColours(UINT message, HDC dc, HWND control) {
    for (TextField* field : {nilai_.get(), waktu_.get(), perkembangan_.get()}) {
        if (!field || field->hwnd() != control) continue;
        SetTextColor(dc, field->textColour());
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    return DefWindowProcW(hwnd_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

void Form1::activated(WPARAM wParam) {
    // Remember the focused control when the window is left; give it back on return.
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
    } else if (HIWORD(wParam) == 0) {  // not while minimized
        focused();
    }
}

void Form1::focused() {
    HWND target = lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : (picture_ ? picture_->hwnd() : nullptr);
    if (target && GetFocus() != target) SetFocus(target);
}

}  // namespace tamvera::window::win32
