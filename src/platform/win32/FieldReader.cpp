#include "platform/win32/FieldReader.h"

#include <utility>

#include "platform/win32/AccessibleField.h"

namespace tamvera {

namespace {

double secondsNow() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
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
