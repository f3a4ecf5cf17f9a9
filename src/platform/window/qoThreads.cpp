#include "platform/window/qoThreads.h"

#include "platform/window/qoBackend.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>

namespace qo {

namespace {

// A synchronous request lives on its worker's stack; a queued one is owned by
// the pending list until it ran.
struct TSyncRequest {
    TThread::TMethod Method;
    bool Queued = false;
    bool Done = false;
    std::exception_ptr Error;
};

// One lock and one signal for the pending calls and for finished threads, so
// that a waiting user-interface thread sees both.
struct TSyncState {
    std::mutex Mutex;
    std::condition_variable Signal;
    std::deque<TSyncRequest*> Pending;
    TWakeMainThread Wake;
};

// Never destroyed: a freed worker may still finish while the process exits.
TSyncState& Sync() {
    static TSyncState* state = new TSyncState;
    return *state;
}

void WakeMainThread() {
    TWakeMainThread hook;
    {
        std::lock_guard lock(Sync().Mutex);
        hook = Sync().Wake;
    }
    if (hook)
        hook();
    else
        WakeBackend();
}

const TThreadID gMainThreadID = GetCurrentThreadId();

} // namespace

namespace {
struct TThreadIdentity {
    TThreadID Id;
    int64_t Created;
};

const TThreadIdentity& CurrentIdentity() {
    static std::atomic<TThreadID> next{1};
    thread_local const TThreadIdentity identity{next++,
                                                int64_t(std::chrono::steady_clock::now().time_since_epoch().count())};
    return identity;
}
} // namespace

TThreadID GetCurrentThreadId() { return CurrentIdentity().Id; }
int64_t GetCurrentThreadCreationTime() { return CurrentIdentity().Created; }

TThreadID MainThreadID() { return gMainThreadID; }
bool IsMainThread() { return GetCurrentThreadId() == gMainThreadID; }

void Sleep(uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

void SetWakeMainThread(TWakeMainThread hook) {
    std::lock_guard lock(Sync().Mutex);
    Sync().Wake = std::move(hook);
}

bool CheckSynchronize() {
    if (!IsMainThread()) return false;
    TSyncState& sync = Sync();
    bool any = false;
    for (;;) {
        TSyncRequest* request;
        {
            std::lock_guard lock(sync.Mutex);
            if (sync.Pending.empty()) break;
            request = sync.Pending.front();
            sync.Pending.pop_front();
        }
        if (request->Queued) {
            const std::unique_ptr<TSyncRequest> owned(request);
            any = true;
            owned->Method();
            continue;
        }
        try {
            request->Method();
        } catch (...) {
            request->Error = std::current_exception();
        }
        {
            std::lock_guard lock(sync.Mutex);
            request->Done = true;
        }
        sync.Signal.notify_all();
        any = true;
    }
    return any;
}

void TThread::Synchronize(const TMethod& method) {
    if (IsMainThread()) {
        method();
        return;
    }
    TSyncState& sync = Sync();
    TSyncRequest request;
    request.Method = method;
    {
        std::lock_guard lock(sync.Mutex);
        sync.Pending.push_back(&request);
    }
    sync.Signal.notify_all();
    WakeMainThread();
    {
        std::unique_lock lock(sync.Mutex);
        sync.Signal.wait(lock, [&] { return request.Done; });
    }
    if (request.Error) std::rethrow_exception(request.Error);
}

void TThread::Queue(TMethod method) {
    auto request = std::make_unique<TSyncRequest>();
    request->Method = std::move(method);
    request->Queued = true;
    {
        std::lock_guard lock(Sync().Mutex);
        Sync().Pending.push_back(request.release());
    }
    WakeMainThread();
}

TThread::TThread() = default;

TThread::~TThread() {
    if (fStarted && !fFinished) {
        Terminate();
        WaitFor();
    }
    if (fThread.joinable() && fThread.get_id() != std::this_thread::get_id()) fThread.join();
}

void TThread::Start() {
    if (fStarted) return;
    fStarted = true;
    std::lock_guard lock(fStartMutex);
    fThread = std::thread([this] { Run(); });
}

void TThread::Run() {
    // fThread is assigned once Start lets go of the lock.
    { std::lock_guard lock(fStartMutex); }
    fThreadID = GetCurrentThreadId();
    try {
        Execute();
    } catch (...) {
        FatalException = std::current_exception();
    }
    if (OnTerminate) {
        try {
            Synchronize([this] { OnTerminate(this); });
        } catch (...) {
            if (!FatalException) FatalException = std::current_exception();
        }
    }
    const bool freeSelf = FreeOnTerminate;
    if (freeSelf) fThread.detach();
    {
        std::lock_guard lock(Sync().Mutex);
        fFinished = true;
    }
    Sync().Signal.notify_all();
    // A loop waiting for this thread to end must look again.
    WakeBackend();
    if (freeSelf) delete this;
}

int TThread::WaitFor() {
    if (!fStarted) return ReturnValue;
    TSyncState& sync = Sync();
    std::unique_lock lock(sync.Mutex);
    while (!fFinished) {
        if (IsMainThread() && !sync.Pending.empty()) {
            lock.unlock();
            CheckSynchronize();
            lock.lock();
            continue;
        }
        sync.Signal.wait(lock);
    }
    lock.unlock();
    if (fThread.joinable()) fThread.join();
    return ReturnValue;
}

} // namespace qo
