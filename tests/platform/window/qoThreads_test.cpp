// Worker threads and their synchronous calls onto the user-interface thread.
#include "platform/core/qoErrors.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoMessageQueue.h"
#include "platform/window/qoThreads.h"
#include "platform/window/qoWindows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

namespace qo {
namespace {

// Runs a function on the worker.
class TWorker : public TThread {
public:
    explicit TWorker(std::function<void(TWorker&)> body) : fBody(std::move(body)) {}
    using TThread::Synchronize;

protected:
    void Execute() override { fBody(*this); }

private:
    std::function<void(TWorker&)> fBody;
};

class Threads : public ::testing::Test {
protected:
    void TearDown() override { SetWakeMainThread(nullptr); }
    THeadlessHarness harness;
};

TEST_F(Threads, SynchronizeRunsOnTheUserInterfaceThreadWhileItWaits) {
    TThreadID ranOn = 0;
    int64_t workerCreated = 0;
    TWorker worker([&](TWorker&) {
        workerCreated = GetCurrentThreadCreationTime();
        TThread::Synchronize([&] { ranOn = GetCurrentThreadId(); });
    });
    EXPECT_FALSE(worker.Started()) << "created suspended";
    worker.Start();
    worker.WaitFor();
    EXPECT_EQ(ranOn, MainThreadID());
    EXPECT_NE(worker.ThreadID(), MainThreadID());
    EXPECT_GT(workerCreated, GetCurrentThreadCreationTime()) << "the worker came later";
    EXPECT_TRUE(worker.Finished());
}

TEST_F(Threads, TheWakeHookLetsAHiddenWindowServeTheCallsFromTheMessageLoop) {
    // The way a host's loop gets to the calls: the hook posts a message to a
    // hidden window whose procedure runs them.
    static constexpr UINT WakeMessage = 40924;
    ASSERT_TRUE(RegisterClass({"TWakeWindow", [](HWND hwnd, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
                                   if (msg == WakeMessage) return CheckSynchronize();
                                   return DefWindowProc(hwnd, msg, w, l);
                               }}));
    HWND window = CreateWindow("TWakeWindow", "", 0, {}, 0);
    std::atomic<int> wakes{0};
    SetWakeMainThread([&] {
        ++wakes;
        PostMessage(window, WakeMessage, 0, 0);
    });
    int calls = 0;
    TWorker worker([&](TWorker&) {
        for (int i = 0; i < 3; ++i) TThread::Synchronize([&] { ++calls; });
    });
    worker.Start();
    while (!worker.Finished()) MessageQueue().HandleMessage();
    worker.WaitFor();
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(wakes, 3);
    DestroyWindow(window);
    UnregisterClass("TWakeWindow");
}

TEST_F(Threads, QueueReturnsAtOnceAndTheCallRunsInTheLoop) {
    std::atomic<bool> returned{false};
    TThreadID ranOn = 0;
    TWorker worker([&](TWorker&) {
        TThread::Queue([&] { ranOn = GetCurrentThreadId(); });
        returned = true;
    });
    worker.Start();
    while (!returned) std::this_thread::yield(); // the loop does not run meanwhile
    EXPECT_EQ(ranOn, 0u);
    ProcessMessages();
    EXPECT_EQ(ranOn, MainThreadID());
    worker.WaitFor();
    // Nobody waits for a queued call: what it raises goes to the loop.
    TThread::Queue([] { throw EqoError("queued"); });
    EXPECT_THROW(ProcessMessages(), EqoError);
}

TEST_F(Threads, ErrorsOfTheCallReachTheWorkerAndErrorsOfExecuteAreKept) {
    std::string caught;
    TWorker worker([&](TWorker&) {
        try {
            TThread::Synchronize([] { throw EqoError("in the call"); });
        } catch (const EqoError& e) {
            caught = e.Message();
        }
        throw std::runtime_error("in execute");
    });
    worker.Start();
    worker.WaitFor();
    EXPECT_EQ(caught, "in the call");
    ASSERT_TRUE(worker.FatalException);
    EXPECT_THROW(std::rethrow_exception(worker.FatalException), std::runtime_error);
}

TEST_F(Threads, TerminateIsCooperativeAndOnTerminateRunsOnTheUserInterfaceThread) {
    std::atomic<bool> running{false};
    TThreadID terminatedOn = 0;
    auto* worker = new TWorker([&](TWorker& self) {
        running = true;
        while (!self.Terminated()) std::this_thread::yield();
    });
    worker->FreeOnTerminate = true;
    bool done = false;
    worker->OnTerminate = [&](TThread*) {
        terminatedOn = GetCurrentThreadId();
        done = true;
    };
    worker->Start();
    while (!running) std::this_thread::yield();
    worker->Terminate();
    // The worker frees itself after OnTerminate ran here.
    while (!done) MessageQueue().HandleMessage();
    EXPECT_EQ(terminatedOn, MainThreadID());
}

TEST_F(Threads, SendMessageFromAWorkerRunsOnTheUserInterfaceThread) {
    TThreadID ranOn = 0;
    HWND window = AllocateHWnd([&](TMessage& m) {
        ranOn = GetCurrentThreadId();
        m.Result = LRESULT(m.WParam + 1);
    });
    LRESULT result = 0;
    TWorker worker([&](TWorker&) { result = SendMessage(window, WM_USER, 41, 0); });
    worker.Start();
    worker.WaitFor();
    EXPECT_EQ(result, 42);
    EXPECT_EQ(ranOn, MainThreadID());
    DeallocateHWnd(window);
}

TEST_F(Threads, CriticalSectionIsRecursiveAndExcludesOtherThreads) {
    TCriticalSection lock;
    lock.Enter();
    EXPECT_TRUE(lock.TryEnter());
    bool otherGotIt = true;
    TWorker worker([&](TWorker&) { otherGotIt = lock.TryEnter(); });
    worker.Start();
    worker.WaitFor();
    EXPECT_FALSE(otherGotIt);
    lock.Leave();
    lock.Leave();
}

} // namespace
} // namespace qo
