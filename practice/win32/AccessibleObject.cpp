#include "win32/AccessibleObject.h"

namespace tamvera::practice {

const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

namespace {

const IID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace

HRESULT AccessibleObject::answerText(const std::wstring& text, BSTR* out) {
    *out = SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void AccessibleObject::answerLong(VARIANT* out, long value) {
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = value;
}

HRESULT AccessibleObject::answerRect(const RECT& r, long* left, long* top, long* width, long* height) {
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

RECT AccessibleObject::clientOnScreen(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// --- IUnknown ---------------------------------------------------------------------

HRESULT AccessibleObject::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, kIidUnknown) || IsEqualIID(riid, kIidDispatch) || IsEqualIID(riid, kIidAccessible)) {
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG AccessibleObject::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// --- IDispatch --------------------------------------------------------------------

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT AccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT AccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return DISP_E_MEMBERNOTFOUND;
}

// --- IAccessible: what is not offered ---------------------------------------------------

HRESULT AccessibleObject::get_accParent(IDispatch** parent) {
    if (parent) *parent = nullptr;
    return E_NOTIMPL;
}

HRESULT AccessibleObject::get_accDescription(VARIANT, BSTR* description) {
    if (description) *description = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleObject::get_accHelp(VARIANT, BSTR* help) {
    if (help) *help = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
    if (shortcut) *shortcut = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleObject::get_accSelection(VARIANT* selection) {
    if (selection) VariantInit(selection);
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleObject::get_accDefaultAction(VARIANT, BSTR* action) {
    if (action) *action = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleObject::accSelect(long, VARIANT) { return DISP_E_MEMBERNOTFOUND; }

HRESULT AccessibleObject::accNavigate(long, VARIANT, VARIANT* end) {
    if (end) VariantInit(end);
    return E_NOTIMPL;
}

HRESULT AccessibleObject::accHitTest(long, long, VARIANT* child) {
    if (child) VariantInit(child);
    return E_NOTIMPL;
}

HRESULT AccessibleObject::accDoDefaultAction(VARIANT) { return DISP_E_MEMBERNOTFOUND; }

HRESULT AccessibleObject::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }

HRESULT AccessibleObject::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

}  // namespace tamvera::practice
