#include "platform/win32/FieldReader.h"

#include <objbase.h>

#include <utility>
#include <vector>

#include "platform/win32/AccessibleField.h"

namespace tamvera {

namespace {

// Reads go out one at a time: two calls into one program at once (a late one still out
// beside the next) are what the accessibility interface is least proven at. Only a call
// held this long counts as hung and lets the next read go to another thread, up to a few
// threads alive at once; each returns to serve reads when its call comes back.
constexpr double kHungSeconds = 5.0;
constexpr std::size_t kThreadsAlive = 4;

double secondsNow() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

class Locked {
public:
    explicit Locked(CRITICAL_SECTION& cs) : cs_(cs) { EnterCriticalSection(&cs_); }
    ~Locked() { LeaveCriticalSection(&cs_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    CRITICAL_SECTION& cs_;
};

}  // namespace

// One read, shared by the reader and the thread that makes it: a read given up stays
// alive with its thread until the call returns.
struct FieldReader::Read {
    HANDLE done = CreateEventW(nullptr, FALSE, FALSE, nullptr);  // taken by the wait it ends
    double startedAt = secondsNow();
    double giveUpSeconds = 0;
    bool finished = false;  // guarded by the pool's lock
    FieldReading reading;

    ~Read() {
        if (done) CloseHandle(done);
    }
};

namespace {

struct Worker {
    HANDLE wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    std::shared_ptr<FieldReader::Read> job;  // guarded by the pool's lock; empty while idle

    ~Worker() {
        if (wake) CloseHandle(wake);
    }
};

}  // namespace

// The reading threads, shared with them: a thread held by a hung call outlives the reader.
struct FieldReader::Pool {
    CRITICAL_SECTION lock;
    bool stopping = false;
    std::vector<std::shared_ptr<Worker>> workers;

    Pool() { InitializeCriticalSection(&lock); }
    ~Pool() { DeleteCriticalSection(&lock); }
};

namespace {

struct ThreadStart {
    std::shared_ptr<FieldReader::Pool> pool;
    std::shared_ptr<Worker> worker;
};

DWORD WINAPI serve(void* param) {
    const std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(param));
    FieldReader::Pool& pool = *start->pool;
    Worker& worker = *start->worker;
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    for (;;) {
        WaitForSingleObject(worker.wake, INFINITE);
        std::shared_ptr<FieldReader::Read> job;
        {
            Locked l(pool.lock);
            if (pool.stopping) break;
            job = worker.job;
        }
        if (!job) continue;
        FieldReading r = com ? readFocusedField() : FieldReading{};
        {
            Locked l(pool.lock);
            job->reading = std::move(r);
            job->finished = true;
            worker.job.reset();
        }
        SetEvent(job->done);
    }
    if (com) CoUninitialize();
    return 0;
}

// An idle thread of the pool when no call is out; a new one when every call out has
// been held past kHungSeconds and fewer than the bound are alive; otherwise null. Called
// with the pool's lock held.
std::shared_ptr<Worker> freeWorker(const std::shared_ptr<FieldReader::Pool>& pool) {
    std::shared_ptr<Worker> idle;
    for (const auto& w : pool->workers) {
        if (!w->job)
            idle = w;
        else if (secondsNow() - w->job->startedAt < kHungSeconds)
            return nullptr;  // a call still out, not yet hung: the next read waits for it
    }
    if (idle) return idle;
    if (pool->workers.size() >= kThreadsAlive) return nullptr;
    auto worker = std::make_shared<Worker>();
    if (!worker->wake) return nullptr;
    auto* start = new ThreadStart{pool, worker};
    HANDLE thread = CreateThread(nullptr, 0, serve, start, 0, nullptr);
    if (!thread) {
        delete start;
        return nullptr;
    }
    CloseHandle(thread);
    pool->workers.push_back(worker);
    return worker;
}

}  // namespace

FieldReader::FieldReader() : pool_(std::make_shared<Pool>()) {}

// Each thread ends once its call returns, if ever; the pool stays alive with it.
FieldReader::~FieldReader() {
    Locked l(pool_->lock);
    pool_->stopping = true;
    for (const auto& w : pool_->workers) SetEvent(w->wake);
}

bool FieldReader::begin(double giveUpSeconds) {
    if (outstanding_) return false;
    auto read = std::make_shared<Read>();
    if (!read->done) return false;
    read->giveUpSeconds = giveUpSeconds;
    Locked l(pool_->lock);
    const std::shared_ptr<Worker> worker = freeWorker(pool_);
    if (!worker) return false;
    worker->job = read;
    outstanding_ = std::move(read);
    SetEvent(worker->wake);
    return true;
}

std::optional<FieldReading> FieldReader::result() {
    if (!outstanding_) return std::nullopt;
    const double took = secondsNow() - outstanding_->startedAt;
    {
        Locked l(pool_->lock);
        if (outstanding_->finished) {
            FieldReading r = std::move(outstanding_->reading);
            r.seconds = took;
            outstanding_.reset();
            return r;
        }
    }
    if (took < outstanding_->giveUpSeconds) return std::nullopt;
    // The target does not answer: the read says nothing, and its thread stays with the call.
    outstanding_.reset();
    FieldReading r;
    r.seconds = took;
    return r;
}

void FieldReader::abandon() { outstanding_.reset(); }

HANDLE FieldReader::outstandingEvent() const { return outstanding_ ? outstanding_->done : nullptr; }

}  // namespace tamvera
