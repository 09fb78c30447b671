#include "platform/win32/AccessibleField.h"

#include <oleacc.h>

#include <optional>
#include <string>

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
// An open list's option sits below its list, the list below its choice field.
constexpr int kListDepth = 3;

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

// The roles of a choice field itself, as against the open list it shows.
bool isChoiceField(long role) { return role == ROLE_SYSTEM_COMBOBOX || role == ROLE_SYSTEM_DROPLIST; }

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

// One element of the tree: an object, or a simple child it names.
struct Element {
    win32::ComRef<IAccessible> object;
    VARIANT child;
};

long roleOf(const Element& e) {
    Variant role;
    if (e.object->get_accRole(e.child, role.put()) != S_OK || role.get().vt != VT_I4) return 0;
    return role.get().lVal;
}

std::optional<std::u16string> textOf(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), const Element& e) {
    Bstr text;
    if ((e.object.get()->*get)(e.child, text.put()) != S_OK) return std::nullopt;
    return text.text();
}

// The element one level up: a simple child's object, or the object's accParent.
std::optional<Element> parentOf(const Element& e) {
    if (e.child.lVal != CHILDID_SELF) return Element{e.object, self()};
    win32::ComRef<IDispatch> dispatch;
    if (e.object->get_accParent(dispatch.put()) != S_OK || !dispatch) return std::nullopt;
    win32::ComRef<IAccessible> parent;
    if (FAILED(dispatch->QueryInterface(kIidAccessible, reinterpret_cast<void**>(parent.put()))) || !parent)
        return std::nullopt;
    return Element{parent, self()};
}

// An open list has the focus (a browser moves it to the list's option, as screen readers
// on Windows find): the field is the choice field that shows the list, or the list
// itself when it stands alone, so a read of the open list names the same field as one of
// the closed field. Nothing when the element belongs to no list.
std::optional<Element> choiceFieldOf(const Element& focused, long role) {
    std::optional<Element> list = role == ROLE_SYSTEM_LIST ? std::optional<Element>(focused) : std::nullopt;
    std::optional<Element> at = focused;
    for (int level = 0; level < kListDepth && (at = parentOf(*at)); ++level) {
        const long up = roleOf(*at);
        if (isChoiceField(up)) return at;
        if (up == ROLE_SYSTEM_LIST && !list) list = at;
    }
    return list;
}

void readPlace(const Element& e, FieldReading& r) {
    long left = 0, top = 0, width = 0, height = 0;
    if (e.object->accLocation(&left, &top, &width, &height, e.child) == S_OK && (width > 0 || height > 0)) {
        r.field.known = true;
        r.field.left = left;
        r.field.top = top;
        r.field.width = width;
        r.field.height = height;
    }
    if (auto name = textOf(&IAccessible::get_accName, e)) r.field.name = *name;
}

// The open list's option is its choice: the option's text is the value (an option has a
// name, no value); the list itself holds its choice as its value, or leaves it to the
// choice field.
std::optional<std::u16string> choiceOf(const Element& focused, long role, const Element& field) {
    if (role == ROLE_SYSTEM_LISTITEM) return textOf(&IAccessible::get_accName, focused);
    if (auto value = textOf(&IAccessible::get_accValue, focused)) return value;
    return textOf(&IAccessible::get_accValue, field);
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
    const Element focused{object, child};

    const long role = roleOf(focused);
    std::optional<Element> field;
    if (role == ROLE_SYSTEM_LISTITEM || role == ROLE_SYSTEM_LIST) field = choiceFieldOf(focused, role);
    if (field) {
        r.kind = FieldKind::List;
        if (auto choice = choiceOf(focused, role, *field)) {
            r.hasValue = true;
            r.value = *choice;
        }
        readPlace(*field, r);
    } else {
        r.kind = kindOfRole(role);
        if (auto value = textOf(&IAccessible::get_accValue, focused)) {
            r.hasValue = true;
            r.value = *value;
        }
        readPlace(focused, r);
    }
    r.field.window = reinterpret_cast<std::uintptr_t>(window);
    return r;
}

}  // namespace tamvera
