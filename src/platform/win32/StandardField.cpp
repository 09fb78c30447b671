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

// A text asked for in two steps, its length and then the text, may grow between the two
// (keys still arriving): a read that fills its buffer may be cut, so it is asked again
// with a larger one. The spare room also guards CB_GETLBTEXT, which is given no size.
constexpr std::size_t kSpareRoom = 32;
constexpr int kWholeReadTries = 4;

struct TextMessages {
    UINT length, text;
    WPARAM item;  // the list item asked for; WM_GETTEXT is given the buffer's size instead
};

std::optional<std::wstring> wholeText(HWND window, const TextMessages& m, UINT answerMs) {
    std::size_t room = 0;
    for (int attempt = 0; attempt < kWholeReadTries; ++attempt) {
        DWORD_PTR length = 0;
        if (!ask(window, m.length, m.item, 0, answerMs, length) || static_cast<LRESULT>(length) < 0) return std::nullopt;
        room = std::max<std::size_t>(room * 2, length + kSpareRoom);
        std::wstring text(room, L'\0');
        const WPARAM wp = m.text == WM_GETTEXT ? room : m.item;
        DWORD_PTR got = 0;
        if (!ask(window, m.text, wp, reinterpret_cast<LPARAM>(text.data()), answerMs, got) ||
            static_cast<LRESULT>(got) < 0)
            return std::nullopt;
        if (got + 1 < room) return text.substr(0, got);  // room to spare: nothing was cut
    }
    return std::nullopt;  // still growing: no settled text yet
}

std::optional<std::u16string> u16(const std::optional<std::wstring>& text) {
    if (!text) return std::nullopt;
    return std::u16string(text->begin(), text->end());
}

std::optional<std::u16string> editText(HWND window, UINT answerMs) { return u16(windowText(window, answerMs)); }

// A combo box's value is its chosen item's text; none chosen reads as empty.
std::optional<std::u16string> chosenItem(HWND window, UINT answerMs) {
    DWORD_PTR chosen = 0;
    if (!ask(window, CB_GETCURSEL, 0, 0, answerMs, chosen)) return std::nullopt;
    if (static_cast<LRESULT>(chosen) == CB_ERR) return std::u16string();
    return u16(wholeText(window, {CB_GETLBTEXTLEN, CB_GETLBTEXT, chosen}, answerMs));
}

}  // namespace

std::optional<std::wstring> windowText(HWND window, UINT answerMs) {
    return wholeText(window, {WM_GETTEXTLENGTH, WM_GETTEXT, 0}, answerMs);
}

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
