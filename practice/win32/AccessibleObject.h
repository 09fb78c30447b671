// What every object that answers a screen reader (Active Accessibility) here has in
// common: the COM plumbing (IUnknown, an IDispatch without type information), the
// IAccessible members no reader of ours asks for, and the small answers (a text, a
// number, a rectangle). The practice window's form and the browser relay's field derive
// from it and answer only what tells their fields apart.
#pragma once

#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

#include <string>

namespace tamvera::practice {

// MinGW's import library holds IID_IAccessible as data that reads wrong without
// dllimport, so the identifier is spelled out here.
extern const IID kIidAccessible;

class AccessibleObject : public IAccessible {
public:
    AccessibleObject() = default;
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: no type information; readers call the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    // IAccessible members not offered (a derived object may answer its parent).
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

protected:
    // Deleted by its last Release only.
    virtual ~AccessibleObject() = default;

    // A BSTR the caller frees; E_OUTOFMEMORY when memory ran out.
    static HRESULT answerText(const std::wstring& text, BSTR* out);
    static void answerLong(VARIANT* out, long value);
    static HRESULT answerRect(const RECT& r, long* left, long* top, long* width, long* height);
    // The window's client area on the screen.
    static RECT clientOnScreen(HWND window);

private:
    LONG refs_ = 1;
};

}  // namespace tamvera::practice
