#include <winsock2.h>  // before windows.h, which BrowserField.h brings

#include "BrowserField.h"

#include <sstream>
#include <utility>
#include <vector>

namespace tamvera::browser {

namespace {

constexpr long kFieldChild = 1;

std::wstring fromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

long roleOf(FocusedField::Kind kind) {
    switch (kind) {
    case FocusedField::Kind::Text: return ROLE_SYSTEM_TEXT;
    case FocusedField::Kind::List: return ROLE_SYSTEM_COMBOBOX;
    case FocusedField::Kind::Menu: return ROLE_SYSTEM_LIST;
    case FocusedField::Kind::Item: return ROLE_SYSTEM_LISTITEM;
    default: return ROLE_SYSTEM_CLIENT;
    }
}

class Socket {
public:
    Socket() : s_(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {}
    ~Socket() {
        if (s_ != INVALID_SOCKET) closesocket(s_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    SOCKET get() const { return s_; }

private:
    SOCKET s_;
};

FocusedField::Kind kindNamed(const std::string& kind) {
    using Kind = FocusedField::Kind;
    return kind == "text"    ? Kind::Text
           : kind == "list"  ? Kind::List
           : kind == "menu"  ? Kind::Menu
           : kind == "item"  ? Kind::Item
           : kind == "other" ? Kind::Other
                             : Kind::None;
}

}  // namespace

FocusedChain ParseFocusedChain(const std::string& line) {
    constexpr size_t kFields = 7;
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(line);
    while (std::getline(in, part, '\t')) parts.push_back(part);
    if (!line.empty() && line.back() == '\t') parts.emplace_back();
    FocusedChain chain;
    for (size_t at = 0; at + kFields <= parts.size(); at += kFields) {
        FocusedField f;
        f.kind = kindNamed(parts[at]);
        if (f.kind == FocusedField::Kind::None) break;
        const long x = std::atol(parts[at + 1].c_str()), y = std::atol(parts[at + 2].c_str());
        f.screen = RECT{x, y, x + std::atol(parts[at + 3].c_str()), y + std::atol(parts[at + 4].c_str())};
        f.name = fromUtf8(parts[at + 5]);
        f.value = fromUtf8(parts[at + 6]);
        chain.push_back(std::move(f));
    }
    if (chain.empty()) chain.emplace_back();
    return chain;
}

std::string AskReader(unsigned short port, int timeoutMs) {
    Socket s;
    if (s.get() == INVALID_SOCKET) return {};
    DWORD timeout = static_cast<DWORD>(timeoutMs);
    setsockopt(s.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    setsockopt(s.get(), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s.get(), reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0) return {};
    if (send(s.get(), "?\n", 2, 0) != 2) return {};
    std::string line;
    const DWORD started = GetTickCount();
    char buffer[512];
    while (GetTickCount() - started < timeout) {
        const int n = recv(s.get(), buffer, sizeof buffer, 0);
        if (n <= 0) break;
        line.append(buffer, static_cast<size_t>(n));
        const size_t end = line.find('\n');
        if (end != std::string::npos) return line.substr(0, end);
    }
    return {};
}

BrowserField::BrowserField(HWND window, FocusedChain chain, int at)
    : window_(window), chain_(std::move(chain)), at_(at) {}

BrowserField::Element BrowserField::resolve(const VARIANT& child) const {
    if (child.vt != VT_I4) return Element::Invalid;
    if (child.lVal == CHILDID_SELF) return at_ < 0 ? Element::Client : Element::Field;
    if (at_ < 0 && child.lVal == kFieldChild && focusIsChild()) return Element::Field;
    return Element::Invalid;
}

// The object of element `at` (-1: the client object), with one reference for the caller.
IDispatch* BrowserField::objectOf(int at) const { return new BrowserField(window_, chain_, at); }

HRESULT BrowserField::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    *count = at_ < 0 && focusIsChild() ? 1 : 0;
    return S_OK;
}

HRESULT BrowserField::get_accChild(VARIANT child, IDispatch** dispatch) {
    if (!dispatch) return E_POINTER;
    *dispatch = nullptr;
    return resolve(child) == Element::Field ? S_FALSE : E_INVALIDARG;
}

HRESULT BrowserField::get_accName(VARIANT child, BSTR* name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    switch (resolve(child)) {
    case Element::Client: {
        wchar_t title[256] = L"";
        GetWindowTextW(window_, title, 256);
        return answerText(title, name);
    }
    case Element::Field: return answerText(field().name, name);
    case Element::Invalid: break;
    }
    return E_INVALIDARG;
}

// Only fields that hold text or a choice have a value, as in a browser: an option has
// its text as its name.
HRESULT BrowserField::get_accValue(VARIANT child, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    switch (resolve(child)) {
    case Element::Client: return DISP_E_MEMBERNOTFOUND;
    case Element::Field:
        if (field().kind != FocusedField::Kind::Text && field().kind != FocusedField::Kind::List)
            return DISP_E_MEMBERNOTFOUND;
        return answerText(field().value, value);
    case Element::Invalid: break;
    }
    return E_INVALIDARG;
}

HRESULT BrowserField::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    VariantInit(role);
    switch (resolve(child)) {
    case Element::Client: answerLong(role, ROLE_SYSTEM_CLIENT); return S_OK;
    case Element::Field:
        answerLong(role, roleOf(field().kind));
        return S_OK;
    case Element::Invalid: break;
    }
    return E_INVALIDARG;
}

HRESULT BrowserField::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    VariantInit(state);
    const Element target = resolve(child);
    if (target == Element::Invalid) return E_INVALIDARG;
    answerLong(state, STATE_SYSTEM_FOCUSABLE | (target == Element::Field && at_ <= 0 ? STATE_SYSTEM_FOCUSED : 0));
    return S_OK;
}

// The browser's focused element (a field alone as child 1, an option as its object);
// nothing when the reader found none. An element's focus is itself or the one below it.
HRESULT BrowserField::get_accFocus(VARIANT* focus) {
    if (!focus) return E_POINTER;
    VariantInit(focus);
    if (chain_[0].kind == FocusedField::Kind::None) return S_FALSE;
    if (at_ == 0) {
        answerLong(focus, CHILDID_SELF);
    } else if (at_ < 0 && focusIsChild()) {
        answerLong(focus, kFieldChild);
    } else {
        focus->vt = VT_DISPATCH;
        focus->pdispVal = objectOf(at_ < 0 ? 0 : at_ - 1);
    }
    return S_OK;
}

HRESULT BrowserField::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    switch (resolve(child)) {
    case Element::Client: return answerRect(clientOnScreen(window_), left, top, width, height);
    case Element::Field: return answerRect(field().screen, left, top, width, height);
    case Element::Invalid: break;
    }
    return E_INVALIDARG;
}

// An element's parent is the next one up; the topmost's is the client object.
HRESULT BrowserField::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (at_ < 0) return E_NOTIMPL;
    *parent = objectOf(static_cast<size_t>(at_) + 1 < chain_.size() ? at_ + 1 : -1);
    return S_OK;
}

}  // namespace tamvera::browser
