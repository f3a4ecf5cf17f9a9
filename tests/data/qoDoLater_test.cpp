#include "data/qoBeginUpdate.h"
#include "data/qoDoLater.h"
#include "platform/core/qoErrors.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoMessageQueue.h"
#include "platform/window/qoThreads.h"
#include "platform/window/qoWindows.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <dlfcn.h>
#endif
// GCC and clang say differently that AddressSanitizer (and its leak checker) is on.
#if defined(__SANITIZE_ADDRESS__)
#define QO_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QO_LEAK_CHECKED 1
#endif
#endif
#if QO_LEAK_CHECKED
#include <sanitizer/lsan_interface.h>
#endif

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace qo {

namespace {

// Records its calls as "name:data".
struct TRecorder {
    std::vector<std::string> Calls;
    std::function<void(void*)> During;
    void A(void* data) { Record("A", data); }
    void B(void* data) { Record("B", data); }
    void Record(const char* name, void* data) {
        Calls.push_back(std::string(name) + ":" + std::to_string(reinterpret_cast<intptr_t>(data)));
        if (During) During(data);
    }
};

void* D(intptr_t n) { return reinterpret_cast<void*>(n); }

class DoLater : public ::testing::Test {
protected:
    void TearDown() override { TDoLater::Shutdown(); }
    TDoLaterCall A() { return DoLaterMethod<&TRecorder::A>(&r); }
    TDoLaterCall B() { return DoLaterMethod<&TRecorder::B>(&r); }
    THeadlessHarness harness;
    TRecorder r;
};

} // namespace

TEST_F(DoLater, QueuesEachMethodAndDataOnceAndRunsFromTheHiddenWindow) {
    TDoLater::DoLater(A(), D(1));
    TDoLater::DoLater(A(), D(1));
    TDoLater::DoLater(A(), D(2));
    TDoLater::DoLater(B(), D(1));
    EXPECT_TRUE(r.Calls.empty()); // nothing runs before the current event ends
    ASSERT_NE(TDoLater::Window(), 0u);
#ifndef _WIN32
    // On Windows the class is the system's (tests/windows).
    TWndClass cls;
    EXPECT_TRUE(GetClassInfo("TDoLaterWindow", cls));
#endif
    harness.RunUntilIdle();
    EXPECT_EQ(r.Calls, (std::vector<std::string>{"A:1", "A:2", "B:1"}));
    EXPECT_EQ(TDoLater::PendingCount(), 0);
}

TEST_F(DoLater, NeverMindDropsTheMethodForEveryData) {
    TDoLater::DoLater(A(), D(1));
    TDoLater::DoLater(B(), D(1));
    TDoLater::DoLater(A(), nullptr);
    TDoLater::NeverMind(A());
    TDoLater::DoAllNow();
    EXPECT_EQ(r.Calls, (std::vector<std::string>{"B:1"}));
    // Another object's identical method is another call.
    TRecorder other;
    TDoLater::DoLater(DoLaterMethod<&TRecorder::A>(&other), D(3));
    TDoLater::NeverMind(A());
    TDoLater::DoAllNow();
    EXPECT_EQ(other.Calls, (std::vector<std::string>{"A:3"}));
}

TEST_F(DoLater, CallsQueuedWhileRunningRunInTheSamePassAfterTheOthers) {
    TDoLater::DoLater(A(), D(1));
    TDoLater::DoLater(A(), D(2));
    r.During = [&](void* data) {
        if (data == D(1)) {
            TDoLater::DoLater(B(), D(9));
            TDoLater::DoLater(A(), D(1)); // the running call counts as queued
            TDoLater::DoAllNow();         // nested: returns at once
        }
    };
    TDoLater::DoAllNow();
    EXPECT_EQ(r.Calls, (std::vector<std::string>{"A:1", "A:2", "B:9"}));
}

TEST_F(DoLater, AFailingCallIsDroppedTheRestRunsAndTheErrorComesAfter) {
    TDoLater::DoLater(A(), D(1));
    TDoLater::DoLater(A(), D(2));
    TDoLater::DoLater(B(), D(3));
    r.During = [](void* data) {
        if (data == D(1) || data == D(3)) throw EqoError("failed " + std::to_string(reinterpret_cast<intptr_t>(data)));
    };
    try {
        TDoLater::DoAllNow();
        FAIL() << "the error must come through";
    } catch (const EqoError& e) {
        EXPECT_EQ(e.Message(), "failed 1"); // the first one
    }
    EXPECT_EQ(r.Calls, (std::vector<std::string>{"A:1", "A:2", "B:3"}));
    r.Calls.clear();
    TDoLater::DoAllNow();
    EXPECT_TRUE(r.Calls.empty()); // nothing failing is left to fail again
}

TEST_F(DoLater, WorkersQueueWhileACallRunsWithoutDeadlock) {
    std::atomic<int> workerCalls{0};
    TRecorder fromWorkers;
    r.During = [&](void*) {
        // A running call that waits for a worker which queues work.
        std::thread worker([&] {
            for (intptr_t i = 0; i < 200; ++i) TDoLater::DoLater(DoLaterMethod<&TRecorder::A>(&fromWorkers), D(i));
            ++workerCalls;
        });
        worker.join();
    };
    TDoLater::DoLater(A(), D(1));
    TDoLater::DoAllNow();
    EXPECT_EQ(workerCalls, 1);
    EXPECT_EQ(fromWorkers.Calls.size(), 200u);
}

TEST_F(DoLater, TheWakeMessageRunsAWorkersSynchronousCall) {
    TDoLater::DoLater(A(), D(1)); // makes the window, which installs the wake hook
    harness.RunUntilIdle();
    std::atomic<bool> called{false};
    bool ranOnMain = false;
    std::thread worker([&] {
        TThread::Synchronize([&] {
            ranOnMain = IsMainThread();
            called = true; // set on this thread, so the loop below sees it before it waits again
        });
    });
    while (!called) MessageQueue().HandleMessage();
    worker.join();
    EXPECT_TRUE(ranOnMain);
}

TEST_F(DoLater, AWorkersFirstCallReturnsAtOnceAndRunsOnTheUserInterfaceThread) {
    ASSERT_EQ(TDoLater::Window(), 0u);
    bool ranOnMain = false;
    r.During = [&](void*) { ranOnMain = IsMainThread(); };
    // The user-interface thread waits for the worker without running its loop.
    std::promise<void> queued;
    std::future<void> returned = queued.get_future();
    std::thread worker([&] {
        TDoLater::DoLater(A(), D(7));
        queued.set_value();
    });
    const bool atOnce = returned.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    // A worker that got stuck is let go, so that the test fails instead of hanging.
    while (returned.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) ProcessMessages();
    worker.join();
    EXPECT_TRUE(atOnce) << "DoLater waited for the user-interface thread";
    EXPECT_TRUE(r.Calls.empty());
    harness.RunUntilIdle();
    EXPECT_EQ(r.Calls, (std::vector<std::string>{"A:7"}));
    EXPECT_TRUE(ranOnMain);
    EXPECT_NE(TDoLater::Window(), 0u);
}

TEST_F(DoLater, WorkersQueueWhileTheWindowIsMadeAndDestroyed) {
    TRecorder fromWorker;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (intptr_t i = 0; i < 300; ++i) TDoLater::DoLater(DoLaterMethod<&TRecorder::A>(&fromWorker), D(i));
        done = true;
    });
    while (!done) {
        TDoLater::DoLater(A(), D(1));
        ProcessMessages();
        TDoLater::Shutdown(); // runs what is queued and destroys the window
    }
    worker.join();
    harness.RunUntilIdle();
    TDoLater::DoAllNow();
    EXPECT_EQ(fromWorker.Calls.size(), 300u) << "each call ran once";
    EXPECT_EQ(TDoLater::PendingCount(), 0);
}

#ifndef _WIN32
// At the module's end what is queued runs and the window goes: at process exit
// here. (On Windows the module ends through the server's DllMain.)
TEST_F(DoLater, ProcessExitRunsTheQueuedCallsAndDestroysTheWindow) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // Registered first, so it runs after the queue's own end.
            std::atexit([] { std::fprintf(stderr, TDoLater::Window() ? "window left\n" : "window destroyed\n"); });
            r.During = [](void*) { std::fprintf(stderr, "deferred call ran\n"); };
            TDoLater::DoLater(A(), D(1));
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "deferred call ran.*window destroyed");
}

// The same when a library holding the queue is unloaded. What the library keeps
// to the very end of the process (the queue's and the threads' state) stays
// behind then: the leak checker is told.
TEST_F(DoLater, LibraryUnloadRunsTheQueuedCalls) {
#if QO_LEAK_CHECKED
    __lsan::ScopedDisabler stateStaysBehind;
#endif
    void* library = dlopen(QO_DOLATER_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    using TQueueCall = void (*)(void (*)());
    auto queue = reinterpret_cast<TQueueCall>(dlsym(library, "QueueDeferredCall"));
    ASSERT_NE(queue, nullptr) << dlerror();
    static int ran = 0;
    ran = 0;
    queue([] { ++ran; });
    EXPECT_EQ(ran, 0);
    dlclose(library);
    EXPECT_EQ(ran, 1);
}
#endif

TEST(BeginUpdate, EntersOnlyWhenMarkedAndLeavesOnce) {
    const struct {
        int marks;
        int begins, ends;
    } cases[] = {{0, 0, 0}, {1, 1, 1}, {2, 1, 1}};
    for (const auto& c : cases) {
        int begins = 0, ends = 0;
        {
            TqoBeginUpdate bracket([&] { ++begins; }, [&] { ++ends; });
            for (int i = 0; i < c.marks; ++i) bracket.Mark();
            EXPECT_EQ(ends, 0);
        }
        EXPECT_EQ(begins, c.begins) << c.marks;
        EXPECT_EQ(ends, c.ends) << c.marks;
    }
    // Unassigned methods are skipped.
    TqoBeginUpdate bare(nullptr, nullptr);
    bare.Mark();
}

} // namespace qo
