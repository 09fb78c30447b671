#include "platform/win32/StandardField.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace tamvera {

namespace {

enum class StandardKind { None, Edit, ComboBox };

StandardKind kindOfClass(HWND window) {
    wchar_t name[32] = {};
    if (!GetClassNameW(window, name, static_cast<int>(std::size(name)))) return StandardKind::None;
    if (lstrcmpiW(name, L"Edit") == 0) return StandardKind::Edit;
    if (lstrcmpiW(name, L"ComboBox") == 0) return StandardKind::ComboBox;
    return StandardKind::None;
}

// A message to the other program that gives up after `answerMs`; false when it did.
bool ask(HWND window, UINT message, WPARAM wp, LPARAM lp, UINT answerMs, DWORD_PTR& result) {
    return SendMessageTimeoutW(window, message, wp, lp, SMTO_ABORTIFHUNG | SMTO_BLOCK, answerMs, &result) != 0;
}

std::optional<std::u16string> editText(HWND window, UINT answerMs) {
    DWORD_PTR length = 0;
    if (!ask(window, WM_GETTEXTLENGTH, 0, 0, answerMs, length)) return std::nullopt;
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    if (!ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), answerMs, got))
        return std::nullopt;
    text.resize(std::min<std::size_t>(got, length));
    return std::u16string(text.begin(), text.end());
}

// A combo box's value is its chosen item's text; none chosen reads as empty.
std::optional<std::u16string> chosenItem(HWND window, UINT answerMs) {
    DWORD_PTR chosen = 0;
    if (!ask(window, CB_GETCURSEL, 0, 0, answerMs, chosen)) return std::nullopt;
    if (static_cast<LRESULT>(chosen) == CB_ERR) return std::u16string();
    DWORD_PTR length = 0;
    if (!ask(window, CB_GETLBTEXTLEN, chosen, 0, answerMs, length) || static_cast<LRESULT>(length) == CB_ERR)
        return std::nullopt;
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    if (!ask(window, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(text.data()), answerMs, got) ||
        static_cast<LRESULT>(got) == CB_ERR)
        return std::nullopt;
    text.resize(std::min<std::size_t>(got, length));
    return std::u16string(text.begin(), text.end());
}

}  // namespace

std::optional<FieldReading> readStandardField(HWND window, UINT answerMs) {
    const StandardKind kind = kindOfClass(window);
    if (kind == StandardKind::None) return std::nullopt;
    FieldReading r;
    const auto value = kind == StandardKind::Edit ? editText(window, answerMs) : chosenItem(window, answerMs);
    if (!value) {
        r.busy = true;
        return r;
    }
    r.answered = true;
    r.kind = kind == StandardKind::Edit ? FieldKind::Text : FieldKind::List;
    r.hasValue = true;
    r.value = *value;
    RECT place{};
    if (GetWindowRect(window, &place)) {
        r.field.known = true;
        r.field.left = place.left;
        r.field.top = place.top;
        r.field.width = place.right - place.left;
        r.field.height = place.bottom - place.top;
    }
    r.field.window = reinterpret_cast<std::uintptr_t>(window);
    return r;
}

}  // namespace tamvera
