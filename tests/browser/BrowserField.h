// The browser's focused element as the relay answers it to a screen reader (Active
// Accessibility): a snapshot of what reader.py read from the browser's accessibility
// tree when the reader asked for the relay's client object. A field alone is the client
// object's child 1, with its role, value, screen rectangle and name; an open list's
// option comes with its list and the choice field above it, each an object of its own
// (accFocus hands out the option, accParent goes up), in their own roles, as a browser
// on Windows shows them. With nothing found the focus is nowhere and the client object
// answers only for itself.
#pragma once

#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

#include <string>
#include <vector>

namespace tamvera::browser {

// MinGW's IID_IAccessible is a data import that reads wrong without dllimport.
extern const IID kIidAccessible;

struct FocusedField {
    // List is a choice field (a combo box), Menu its open list, Item an option in it.
    enum class Kind { None, Text, List, Menu, Item, Other } kind = Kind::None;
    RECT screen{};
    std::wstring name, value;
};

// The focused element, then its ancestors up to its field.
using FocusedChain = std::vector<FocusedField>;

// One line of reader.py, UTF-8: per element "KIND\tX\tY\tW\tH\tNAME\tVALUE", the focused
// one first; empty when it is no such line or names nothing.
FocusedChain ParseFocusedChain(const std::string& line);

// The line reader.py answers on 127.0.0.1:port, or "" when it does not answer within
// `timeoutMs`.
std::string AskReader(unsigned short port, int timeoutMs);

class BrowserField final : public IAccessible {
public:
    // The client object of the window; `at` >= 0 makes the object of that element.
    BrowserField(HWND window, FocusedChain chain, int at = -1);
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
    const FocusedField& field() const { return chain_[at_ < 0 ? 0 : static_cast<size_t>(at_)]; }
    bool focusIsChild() const { return chain_.size() == 1 && chain_[0].kind != FocusedField::Kind::None; }
    IDispatch* objectOf(int at) const;

    LONG refs_ = 1;
    HWND window_;
    FocusedChain chain_;
    int at_;
};

}  // namespace tamvera::browser
