#include "platform/win32/FieldReader.h"

#include <oleacc.h>

#include <utility>

#include "platform/win32/GdiHandles.h"

namespace tamvera {

namespace {

// MinGW's IID_IAccessible is a data import that reads the wrong bytes unless declared
// dllimport: the interface's identity is written out here.
constexpr GUID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// A target that does not answer this fast is taken as busy: the read says nothing.
constexpr DWORD kAnswerMs = 250;
constexpr int kFocusDepth = 8;

double secondsNow() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

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
// object that holds it and the child it names (CHILDID_SELF for the object itself).
void followFocus(win32::ComRef<IAccessible>& object, VARIANT& child) {
    for (int depth = 0; depth < kFocusDepth; ++depth) {
        Variant focus;
        if (object->get_accFocus(focus.put()) != S_OK) return;
        const VARIANT& f = focus.get();
        if (f.vt == VT_I4) {
            child.lVal = f.lVal;
            return;
        }
        if (f.vt != VT_DISPATCH || !f.pdispVal) return;
        win32::ComRef<IAccessible> next;
        if (FAILED(f.pdispVal->QueryInterface(kIidAccessible, reinterpret_cast<void**>(next.put()))) || !next) return;
        if (next.get() == object.get()) return;
        object = next;
    }
}

FieldReading readFocusedField() {
    FieldReading r;
    HWND window = focusedWindow();
    if (!window) return r;
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerMs, &ignored)) return r;
    win32::ComRef<IAccessible> object;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                          reinterpret_cast<void**>(object.put()))) ||
        !object)
        return r;
    r.answered = true;
    VARIANT child = self();
    followFocus(object, child);

    Variant role;
    r.kind = object->get_accRole(child, role.put()) == S_OK && role.get().vt == VT_I4 ? kindOfRole(role.get().lVal)
                                                                                        : FieldKind::Other;
    Bstr value;
    if (object->get_accValue(child, value.put()) == S_OK) {
        r.hasValue = true;
        r.value = value.text();
    }
    long left = 0, top = 0, width = 0, height = 0;
    if (object->accLocation(&left, &top, &width, &height, child) == S_OK && (width > 0 || height > 0)) {
        r.field.known = true;
        r.field.left = left;
        r.field.top = top;
        r.field.width = width;
        r.field.height = height;
    }
    Bstr name;
    if (object->get_accName(child, name.put()) == S_OK) r.field.name = name.text();
    r.field.window = reinterpret_cast<std::uintptr_t>(window);
    return r;
}

}  // namespace

// Shared with the reading thread, which may outlive the reader when a target hangs.
struct FieldReader::State {
    CRITICAL_SECTION lock;
    HANDLE wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    bool threadStarted = false;
    bool stopping = false;
    bool busy = false;         // the thread is reading
    bool outstanding = false;  // a reading is owed to the caller
    unsigned asked = 0, answered = 0;
    double startedAt = 0;
    double giveUpSeconds = 0;
    FieldReading reading;

    State() { InitializeCriticalSection(&lock); }
    ~State() {
        DeleteCriticalSection(&lock);
        CloseHandle(wake);
        CloseHandle(done);
    }
};

namespace {

class Locked {
public:
    explicit Locked(CRITICAL_SECTION& cs) : cs_(cs) { EnterCriticalSection(&cs_); }
    ~Locked() { LeaveCriticalSection(&cs_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    CRITICAL_SECTION& cs_;
};

DWORD WINAPI serve(void* param) {
    std::unique_ptr<std::shared_ptr<FieldReader::State>> owned(static_cast<std::shared_ptr<FieldReader::State>*>(param));
    FieldReader::State& s = **owned;
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    for (;;) {
        WaitForSingleObject(s.wake, INFINITE);
        unsigned ask;
        {
            Locked l(s.lock);
            if (s.stopping) break;
            ask = s.asked;
        }
        FieldReading r = com ? readFocusedField() : FieldReading{};
        {
            Locked l(s.lock);
            s.reading = std::move(r);
            s.answered = ask;
            s.busy = false;
        }
        SetEvent(s.done);
    }
    if (com) CoUninitialize();
    return 0;
}

}  // namespace

FieldReader::FieldReader() : state_(std::make_shared<State>()) {}

FieldReader::~FieldReader() { leaveThreadToIt(); }

bool FieldReader::heldByGivenUpRead() const {
    Locked l(state_->lock);
    return state_->busy && !state_->outstanding;
}

// The thread ends once its read returns, if ever; the state it shares stays alive with it.
void FieldReader::leaveThreadToIt() {
    {
        Locked l(state_->lock);
        state_->stopping = true;
    }
    SetEvent(state_->wake);
}

bool FieldReader::begin(double giveUpSeconds) {
    if (spareThreads_ > 0 && heldByGivenUpRead()) {
        leaveThreadToIt();
        state_ = std::make_shared<State>();
        --spareThreads_;
    }
    State& s = *state_;
    Locked l(s.lock);
    if (s.busy || s.outstanding || !s.wake || !s.done) return false;
    if (!s.threadStarted) {
        auto* param = new std::shared_ptr<State>(state_);
        HANDLE thread = CreateThread(nullptr, 0, serve, param, 0, nullptr);
        if (!thread) {
            delete param;
            return false;
        }
        CloseHandle(thread);
        s.threadStarted = true;
    }
    ++s.asked;
    s.busy = true;
    s.outstanding = true;
    s.startedAt = secondsNow();
    s.giveUpSeconds = giveUpSeconds;
    SetEvent(s.wake);
    return true;
}

std::optional<FieldReading> FieldReader::result() {
    State& s = *state_;
    Locked l(s.lock);
    if (!s.outstanding) return std::nullopt;
    const double took = secondsNow() - s.startedAt;
    if (s.answered == s.asked && !s.busy) {
        s.outstanding = false;
        FieldReading r = std::move(s.reading);
        r.seconds = took;
        return r;
    }
    if (took < s.giveUpSeconds) return std::nullopt;
    // The target does not answer: the read says nothing, and the thread stays busy with it.
    s.outstanding = false;
    FieldReading r;
    r.seconds = took;
    return r;
}

HANDLE FieldReader::outstandingEvent() const {
    Locked l(state_->lock);
    return state_->outstanding ? state_->done : nullptr;
}

}  // namespace tamvera
