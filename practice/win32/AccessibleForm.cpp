#include "win32/AccessibleForm.h"

#include <utility>

#include "core/FieldReads.h"
#include "win32/Gdi.h"

namespace tamvera::practice {

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
    case Element::Form: return answerText(wide(windowTitle(args_.form->options().target)), name);
    case Element::Field: return answerText(wide(fieldName(field)), name);
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
    case Element::Field: return answerText(wide(fieldValue(*args_.form, field)), value);
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
    switch (resolve(child, &field)) {
    case Element::Form: return answerRect(clientOnScreen(args_.window), left, top, width, height);
    case Element::Field: return answerRect(args_.fieldScreenRect(field), left, top, width, height);
    case Element::Invalid: break;
    }
    return E_INVALIDARG;
}

}  // namespace tamvera::practice
