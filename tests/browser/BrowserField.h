// The browser's focused element as the relay answers it to a screen reader (Active
// Accessibility): a snapshot of what reader.py read from the browser's accessibility
// tree when the reader asked for the relay's client object. A field alone is the client
// object's child 1, with its role, value, screen rectangle and name; an open list's
// option comes with its list and the choice field above it, each an object of its own
// (accFocus hands out the option, accParent goes up), in their own roles, as a browser
// on Windows shows them. With nothing found the focus is nowhere and the client object
// answers only for itself.
#pragma once

#include <string>
#include <vector>

#include "win32/AccessibleObject.h"

namespace tamvera::browser {

using practice::kIidAccessible;

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

class BrowserField final : public practice::AccessibleObject {
public:
    // The client object of the window; `at` >= 0 makes the object of that element.
    BrowserField(HWND window, FocusedChain chain, int at = -1);



    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;

private:
    ~BrowserField() override = default;
    enum class Element { Client, Field, Invalid };
    Element resolve(const VARIANT& child) const;
    const FocusedField& field() const { return chain_[at_ < 0 ? 0 : static_cast<size_t>(at_)]; }
    bool focusIsChild() const { return chain_.size() == 1 && chain_[0].kind != FocusedField::Kind::None; }
    IDispatch* objectOf(int at) const;

    HWND window_;
    FocusedChain chain_;
    int at_;
};

}  // namespace tamvera::browser
