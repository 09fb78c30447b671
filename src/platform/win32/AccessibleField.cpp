#include "platform/win32/AccessibleField.h"

#include <oleacc.h>

#include "platform/win32/GdiHandles.h"
#include "platform/win32/StandardField.h"

namespace tamvera {

namespace {

// MinGW's IID_IAccessible is a data import that reads the wrong bytes unless declared
// dllimport: the interface's identity is written out here.
constexpr GUID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// A target that does not answer this fast is taken as busy: the read says nothing.
constexpr DWORD kAnswerMs = 250;
constexpr int kFocusDepth = 8;

class Variant {
public:
    Variant() { VariantInit(&v_); }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* put() {
        VariantClear(&v_);
        return &v_;
    }
    const VARIANT& get() const { return v_; }

private:
    VARIANT v_;
};

class Bstr {
public:
    ~Bstr() { SysFreeString(s_); }
    BSTR* put() { return &s_; }
    std::u16string text() const { return s_ ? std::u16string(s_, s_ + SysStringLen(s_)) : std::u16string(); }

private:
    BSTR s_ = nullptr;
};

FieldKind kindOfRole(long role) {
    switch (role) {
    case ROLE_SYSTEM_TEXT: return FieldKind::Text;
    case ROLE_SYSTEM_COMBOBOX:
    case ROLE_SYSTEM_LIST:
    case ROLE_SYSTEM_DROPLIST: return FieldKind::List;
    default: return FieldKind::Other;
    }
}

VARIANT self() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

// The focused window of the foreground program: where the keys go.
HWND focusedWindow() {
    HWND front = GetForegroundWindow();
    if (!front) return nullptr;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(front, nullptr), &info) && info.hwndFocus) return info.hwndFocus;
    return front;
}

// Follows the focus down from a window's client object to the focused element: the
// object that holds it and the child it names (CHILDID_SELF for the object itself). True
// when it went below the window's own object.
bool followFocus(win32::ComRef<IAccessible>& object, VARIANT& child) {
    bool below = false;
    for (int depth = 0; depth < kFocusDepth; ++depth) {
        Variant focus;
        if (object->get_accFocus(focus.put()) != S_OK) return below;
        const VARIANT& f = focus.get();
        if (f.vt == VT_I4) {
            child.lVal = f.lVal;
            return below || f.lVal != CHILDID_SELF;
        }
        if (f.vt != VT_DISPATCH || !f.pdispVal) return below;
        win32::ComRef<IAccessible> next;
        if (FAILED(f.pdispVal->QueryInterface(kIidAccessible, reinterpret_cast<void**>(next.put()))) || !next)
            return below;
        if (next.get() == object.get()) return below;
        object = next;
        below = true;
    }
    return below;
}

}  // namespace

FieldReading readFocusedField() {
    FieldReading r;
    HWND window = focusedWindow();
    if (!window) return r;
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerMs, &ignored)) {
        r.busy = true;
        return r;
    }
    if (auto standard = readStandardField(window, kAnswerMs)) return *standard;
    win32::ComRef<IAccessible> object;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                          reinterpret_cast<void**>(object.put()))) ||
        !object)
        return r;
    r.answered = true;
    VARIANT child = self();
    r.element = followFocus(object, child);

    Variant role;
    r.kind = object->get_accRole(child, role.put()) == S_OK && role.get().vt == VT_I4 ? kindOfRole(role.get().lVal)
                                                                                        : FieldKind::Other;
    Bstr value;
    if (object->get_accValue(child, value.put()) == S_OK) {
        r.hasValue = true;
        r.value = value.text();
    }
    long left = 0, top = 0, width = 0, height = 0;
    if (object->accLocation(&left, &top, &width, &height, child) == S_OK && (width > 0 || height > 0)) {
        r.field.known = true;
        r.field.left = left;
        r.field.top = top;
        r.field.width = width;
        r.field.height = height;
    }
    Bstr name;
    if (object->get_accName(child, name.put()) == S_OK) r.field.name = name.text();
    r.field.window = reinterpret_cast<std::uintptr_t>(window);
    return r;
}

}  // namespace tamvera
