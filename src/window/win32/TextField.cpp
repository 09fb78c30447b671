#include "window/win32/TextField.h"

#include <cwchar>
#include <optional>

#include "platform/win32/Win32Platform.h"
#include "window/PastedText.h"

namespace tamvera::window::win32 {

namespace {

DWORD styleFor(Kind kind) {
    const DWORD common = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT;
    if (kind == Kind::GradeBox)
        return common | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL;
    return common | ES_READONLY | ES_AUTOHSCROLL;
}

// The clipboard, open for as long as this lives.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool isOpen() const { return open_; }

private:
    bool open_;
};

// The clipboard's text up to its first NUL; nothing when it holds no text.
std::optional<std::wstring> clipboardText(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
    const OpenedClipboard clipboard(owner);
    if (!clipboard.isOpen()) return std::nullopt;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* chars = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (!chars) return std::nullopt;
    std::wstring text(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
    GlobalUnlock(data);
    return text;
}

}  // namespace

TextField::TextField(TextFieldArgs args) : entry_(args.entry), onClick_(std::move(args.onClick)) {}

std::unique_ptr<TextField> TextField::create(TextFieldArgs args) {
    if (!args.entry) return nullptr;
    const PixelRect r = toPixels(args.entry->rect, args.tpp);
    const std::wstring text = wide(args.text);
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(*args.entry)));
    HWND window = CreateWindowExW(0, L"EDIT", text.c_str(), styleFor(args.entry->kind), r.left, r.top, r.width,
                                  r.height, args.parent, id, GetModuleHandleW(nullptr), nullptr);
    if (!window) return nullptr;
    const HWND after = args.insertAfter;
    const HFONT font = args.font;
    const Kind kind = args.entry->kind;
    std::unique_ptr<TextField> field(new TextField(std::move(args)));
    field->hwnd_ = window;
    if (after) SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (font) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // No limit: a whole pasted class list must fit (the default stops at 32,767).
    SendMessageW(window, EM_SETLIMITTEXT, 0, 0);
    // Both scroll bars from the start, greyed while there is nothing to scroll (the box
    // itself only shows them once its text first changes).
    if (kind == Kind::GradeBox) ShowScrollBar(window, SB_BOTH, TRUE);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(field.get()));
    field->editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextField::subclassProc)));
    return field;
}

TextField::~TextField() {
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc_));
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
}

LRESULT CALLBACK TextField::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TextField*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC editProc = self->editProc_;
    if (message == WM_NCDESTROY) {
        // The parent went first: the field outlives its window.
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc));
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return CallWindowProcW(editProc, window, message, wParam, lParam);
    }
    // A multi-line box under the dialog keyboard interface answers ESC by closing its
    // parent window, which here would end the program and lose the grade list.
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE && (GetWindowLongPtrW(window, GWL_STYLE) & ES_MULTILINE))
        return 0;
    if (message == WM_PASTE && self->entry_->kind == Kind::GradeBox && self->pasteWithCrLfLineEnds()) return 0;
    const LRESULT result = CallWindowProcW(editProc, window, message, wParam, lParam);
    // After the box's own handling (focus, caret, end of a selection): the click.
    if (message == WM_LBUTTONUP && self->onClick_) self->onClick_();
    return result;
}

bool TextField::pasteWithCrLfLineEnds() {
    const std::optional<std::wstring> pasted = clipboardText(hwnd_);
    if (!pasted) return false;
    const std::u16string text = WithCrLfLineEnds(narrow16(*pasted));
    if (text.size() == pasted->size()) return false;  // CR LF already: the box pastes it itself
    // As the box's own paste does: replaces the selection, can be undone, notifies the change.
    SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide(text).c_str()));
    return true;
}

void TextField::setText(const std::u16string& text) {
    if (!hwnd_) return;
    settingText_ = true;
    SetWindowTextW(hwnd_, wide(text).c_str());
    settingText_ = false;
}

std::u16string TextField::text() const {
    if (!hwnd_) return {};
    const int length = GetWindowTextLengthW(hwnd_);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    buffer.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, buffer.data(), length + 1)));
    return narrow16(buffer);
}

}  // namespace tamvera::window::win32
