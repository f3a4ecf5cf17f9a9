#pragma once
// Worker threads, the synchronous call onto the user-interface thread, a
// recursive critical section and thread identity.
#include "platform/core/qoEvents.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace qo {

using TThreadID = uint64_t;
// Identifiers are never reused within a process.
TThreadID GetCurrentThreadId();
// When the calling thread first met the window system, in steady-clock ticks:
// with the identifier it tells a thread from an earlier one.
int64_t GetCurrentThreadCreationTime();
// The user-interface thread: the one that loaded the module.
TThreadID MainThreadID();
bool IsMainThread();
// Blocks the calling thread.
void Sleep(uint32_t milliseconds);

class TCriticalSection {
public:
    void Enter() { fMutex.lock(); }
    void Leave() { fMutex.unlock(); }
    bool TryEnter() { return fMutex.try_lock(); }

private:
    std::recursive_mutex fMutex;
};

// Called, from the worker, whenever a worker hands a call to the user-interface
// thread. The default wakes the backend's event wait; a host whose message loop
// knows nothing of ours installs a hook that posts itself a message instead.
using TWakeMainThread = std::function<void()>;
void SetWakeMainThread(TWakeMainThread hook);
// Runs the calls that workers are waiting for; user-interface thread only.
// True when at least one ran.
bool CheckSynchronize();

class TThread {
public:
    using TMethod = std::function<void()>;

    // Threads are created suspended: Start runs Execute on a new thread.
    TThread();
    // Asks the thread to terminate and waits for it.
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    void Start();
    // Cooperative: Execute reads Terminated() and returns.
    void Terminate() { fTerminated = true; }
    bool Terminated() const { return fTerminated; }
    bool Finished() const { return fFinished; }
    bool Started() const { return fStarted; }
    // Waits for Execute to return. On the user-interface thread it runs the
    // thread's synchronous calls meanwhile, so that the two cannot deadlock.
    int WaitFor();
    TThreadID ThreadID() const { return fThreadID; }

    // The object deletes itself after Execute and OnTerminate; it must be on the heap.
    bool FreeOnTerminate = false;
    int ReturnValue = 0;
    // What Execute raised, if anything.
    std::exception_ptr FatalException;
    // Runs on the user-interface thread after Execute.
    TqoEvent<void(TThread*)> OnTerminate;

    // Runs method on the user-interface thread and blocks until it ran; an
    // exception it raises is raised again here. On the user-interface thread
    // it simply calls method.
    static void Synchronize(const TMethod& method);
    // Hands method to the user-interface thread and returns at once; it runs at
    // that thread's next CheckSynchronize, and what it raises goes to that
    // thread's loop. On the user-interface thread it is queued too.
    static void Queue(TMethod method);

protected:
    virtual void Execute() = 0;

private:
    void Run();

    std::mutex fStartMutex;
    std::thread fThread;
    std::atomic<bool> fTerminated{false};
    std::atomic<bool> fFinished{false};
    bool fStarted = false;
    std::atomic<TThreadID> fThreadID{0};
};

} // namespace qo
