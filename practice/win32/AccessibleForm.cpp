#include "win32/AccessibleForm.h"

#include <utility>

#include "core/FieldReads.h"
#include "win32/Gdi.h"

namespace tamvera::practice {

const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

namespace {

const IID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// A BSTR the caller frees; null text when memory ran out.
HRESULT answerText(const std::u16string& text, BSTR* out) {
    const std::wstring w = wide(text);
    *out = SysAllocStringLen(w.c_str(), static_cast<UINT>(w.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void answerLong(VARIANT* out, long value) {
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = value;
}

}  // namespace

AccessibleForm::AccessibleForm(AccessibleFormArgs args) : args_(std::move(args)) {}

void AccessibleForm::detach() {
    args_.window = nullptr;
    args_.form = nullptr;
    args_.fieldScreenRect = nullptr;
}

AccessibleForm::Element AccessibleForm::resolve(const VARIANT& child, FieldPlace* field) const {
    if (!args_.form || child.vt != VT_I4) return Element::Invalid;
    if (child.lVal == CHILDID_SELF) return Element::Form;
    const std::optional<FieldPlace> place = fieldOfChild(*args_.form, child.lVal);
    if (!place) return Element::Invalid;
    *field = *place;
    return Element::Field;
}

// The keyboard focus is in this thread's practice window (calls arrive on its thread).
bool AccessibleForm::hasFocus() const { return args_.window && GetFocus() == args_.window; }

// --- IUnknown ---------------------------------------------------------------------

HRESULT AccessibleForm::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, kIidUnknown) || IsEqualIID(riid, kIidDispatch) || IsEqualIID(riid, kIidAccessible)) {
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleForm::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG AccessibleForm::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// --- IDispatch --------------------------------------------------------------------

HRESULT AccessibleForm::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT AccessibleForm::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT AccessibleForm::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT AccessibleForm::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return DISP_E_MEMBERNOTFOUND;
}

// --- IAccessible: what the form answers ----------------------------------------------

HRESULT AccessibleForm::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    if (!args_.form) return CO_E_OBJNOTCONNECTED;
    *count = static_cast<long>(args_.form->grades().rows()) * args_.form->grades().cols();
    return S_OK;
}

// The fields are simple elements: they are reached through their child ids.
HRESULT AccessibleForm::get_accChild(VARIANT child, IDispatch** dispatch) {
    if (!dispatch) return E_POINTER;
    *dispatch = nullptr;
    FieldPlace field;
    return resolve(child, &field) == Element::Field ? S_FALSE : E_INVALIDARG;
}

HRESULT AccessibleForm::get_accName(VARIANT child, BSTR* name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    FieldPlace field;
    switch (resolve(child, &field)) {
    case Element::Form: return answerText(windowTitle(args_.form->options().target), name);
    case Element::Field: return answerText(fieldName(field), name);
    case Element::Invalid: break;
    }
    return E_INVALIDARG;
}

HRESULT AccessibleForm::get_accValue(VARIANT child, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    FieldPlace field;
    switch (resolve(child, &field)) {
    case Element::Form: return DISP_E_MEMBERNOTFOUND;  // a client area has no value
    case Element::Field: return answerText(fieldValue(*args_.form, field), value);
    case Element::Invalid: break;
    }
    return E_INVALIDARG;
}

HRESULT AccessibleForm::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    VariantInit(role);
    FieldPlace field;
    switch (resolve(child, &field)) {
    case Element::Form: answerLong(role, ROLE_SYSTEM_CLIENT); return S_OK;
    case Element::Field:
        answerLong(role, fieldRole(*args_.form) == FieldRole::ComboBox ? ROLE_SYSTEM_COMBOBOX : ROLE_SYSTEM_TEXT);
        return S_OK;
    case Element::Invalid: break;
    }
    return E_INVALIDARG;
}

HRESULT AccessibleForm::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    VariantInit(state);
    FieldPlace field;
    const Element target = resolve(child, &field);
    if (target == Element::Invalid) return E_INVALIDARG;
    const long self = target == Element::Form ? kFormChild : childOf(*args_.form, field);
    const bool focused = hasFocus() && focusedChild(*args_.form) == self;
    answerLong(state, STATE_SYSTEM_FOCUSABLE | (focused ? STATE_SYSTEM_FOCUSED : 0));
    return S_OK;
}

// The focused field; the form itself when the focus is on none of them; nothing when
// the window does not have the keyboard focus.
HRESULT AccessibleForm::get_accFocus(VARIANT* focus) {
    if (!focus) return E_POINTER;
    VariantInit(focus);
    if (!args_.form) return CO_E_OBJNOTCONNECTED;
    if (!hasFocus()) return S_FALSE;
    answerLong(focus, focusedChild(*args_.form));
    return S_OK;
}

HRESULT AccessibleForm::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    FieldPlace field;
    RECT r{};
    switch (resolve(child, &field)) {
    case Element::Form:
        GetClientRect(args_.window, &r);
        MapWindowPoints(args_.window, nullptr, reinterpret_cast<POINT*>(&r), 2);
        break;
    case Element::Field: r = args_.fieldScreenRect(field); break;
    case Element::Invalid: return E_INVALIDARG;
    }
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

// --- IAccessible: what it does not offer ------------------------------------------------

HRESULT AccessibleForm::get_accParent(IDispatch** parent) {
    if (parent) *parent = nullptr;
    return E_NOTIMPL;
}

HRESULT AccessibleForm::get_accDescription(VARIANT, BSTR* description) {
    if (description) *description = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleForm::get_accHelp(VARIANT, BSTR* help) {
    if (help) *help = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleForm::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleForm::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
    if (shortcut) *shortcut = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleForm::get_accSelection(VARIANT* selection) {
    if (selection) VariantInit(selection);
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleForm::get_accDefaultAction(VARIANT, BSTR* action) {
    if (action) *action = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleForm::accSelect(long, VARIANT) { return DISP_E_MEMBERNOTFOUND; }

HRESULT AccessibleForm::accNavigate(long, VARIANT, VARIANT* end) {
    if (end) VariantInit(end);
    return E_NOTIMPL;
}

HRESULT AccessibleForm::accHitTest(long, long, VARIANT* child) {
    if (child) VariantInit(child);
    return E_NOTIMPL;
}

HRESULT AccessibleForm::accDoDefaultAction(VARIANT) { return DISP_E_MEMBERNOTFOUND; }

HRESULT AccessibleForm::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }

HRESULT AccessibleForm::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

}  // namespace tamvera::practice
