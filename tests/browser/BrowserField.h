// The browser's focused field as the relay answers it to a screen reader (Active
// Accessibility): a snapshot of what reader.py read from the browser's accessibility
// tree when the reader asked for the relay's client object. The client object's focus is
// child 1, the field, with its role, value, screen rectangle and name; with no field
// found the focus is nowhere and the client object answers only for itself.
#pragma once

#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

#include <string>

namespace tamvera::browser {

// MinGW's IID_IAccessible is a data import that reads wrong without dllimport.
extern const IID kIidAccessible;

struct FocusedField {
    enum class Kind { None, Text, List, Other } kind = Kind::None;
    RECT screen{};
    std::wstring name, value;
};

// One line of reader.py ("KIND\tX\tY\tW\tH\tNAME\tVALUE", UTF-8); Kind::None when it is
// no such line.
FocusedField ParseFocusedField(const std::string& line);

// The line reader.py answers on 127.0.0.1:port, or "" when it does not answer within
// `timeoutMs`.
std::string AskReader(unsigned short port, int timeoutMs);

class BrowserField final : public IAccessible {
public:
    BrowserField(HWND window, FocusedField field);
    BrowserField(const BrowserField&) = delete;
    BrowserField& operator=(const BrowserField&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ~BrowserField() = default;
    enum class Element { Client, Field, Invalid };
    Element resolve(const VARIANT& child) const;

    LONG refs_ = 1;
    HWND window_;
    FocusedField field_;
};

}  // namespace tamvera::browser
