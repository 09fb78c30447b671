// The practice window's answer to a screen reader (Active Accessibility): the window's
// client object, whose children are the grade fields. It only translates what
// core/FieldReads.h says into IAccessible; the window hands it out on WM_GETOBJECT.
// A reader in another program may keep it after the window has gone: detach() cuts it
// from the window, and every call then fails politely.
#pragma once

#include <functional>

#include "core/FieldFaults.h"
#include "core/PracticeForm.h"
#include "win32/AccessibleObject.h"

namespace tamvera::practice {

struct AccessibleFormArgs {
    HWND window = nullptr;
    const PracticeForm* form = nullptr;
    // A grade field's rectangle on the screen.
    std::function<RECT(FieldPlace)> fieldScreenRect;
};

class AccessibleForm final : public AccessibleObject {
public:
    explicit AccessibleForm(AccessibleFormArgs args);

    void detach();

    // IAccessible: what the form answers
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;

private:
    ~AccessibleForm() override = default;

    // What a child id names: the form itself, a grade field, or nothing known.
    enum class Element { Form, Field, Invalid };
    Element resolve(const VARIANT& child, FieldPlace* field) const;
    bool hasFocus() const;

    AccessibleFormArgs args_;
};

}  // namespace tamvera::practice
