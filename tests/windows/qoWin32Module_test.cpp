// The deferred-call queue on Windows: its hidden window is one of the system's,
// so a host's own message loop runs the queue and the workers' calls; it goes
// with the module, and a module unloaded (with a native window open) and
// loaded again makes it anew.
#include "platform/core/qoWin32.h"

#include "data/qoDoLater.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoMessageQueue.h"
#include "platform/window/qoThreads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace qo {
namespace {

// What a host does between events: the system's loop, not ours.
bool RunHostLoop(const std::function<bool()>& done) {
    const ULONGLONG deadline = GetTickCount64() + 10000;
    MSG msg;
    while (!done() && GetTickCount64() < deadline) {
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
    return done();
}

bool ClassRegistered(HINSTANCE module, const wchar_t* name = L"TDoLaterWindow") {
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    return GetClassInfoExW(module, name, &info);
}

template <class T> T ExportOf(HMODULE module, const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

struct TCounter {
    int Runs = 0;
    void Run(void*) { ++Runs; }
};

class Win32DoLater : public ::testing::Test {
protected:
    void TearDown() override { TDoLater::Shutdown(); }
    TDoLaterCall Call() { return DoLaterMethod<&TCounter::Run>(&fCounter); }
    ::HWND Window() const { return reinterpret_cast<::HWND>(TDoLater::Window()); }

    THeadlessHarness fHarness;
    TCounter fCounter;
};

TEST_F(Win32DoLater, AHostsLoopRunsTheQueueAndTheWorkersCallsThroughTheSystemsWindow) {
    TDoLater::DoLater(Call(), nullptr);
    const ::HWND window = Window();
    ASSERT_TRUE(IsWindow(window));
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    EXPECT_STREQ(name, L"TDoLaterWindow");
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_EQ(GetWindowThreadProcessId(window, nullptr), ::GetCurrentThreadId());
    EXPECT_TRUE(RunHostLoop([&] { return fCounter.Runs > 0; }));
    EXPECT_EQ(fCounter.Runs, 1);

    // The wake-up posted for a worker's call, and the run posted by a worker.
    std::atomic<bool> synced = false;
    bool onMain = false;
    std::thread worker([&] {
        TThread::Queue([&] {
            onMain = IsMainThread();
            synced = true;
        });
        TDoLater::DoLater(Call(), &synced);
    });
    worker.join();
    EXPECT_TRUE(RunHostLoop([&] { return synced && fCounter.Runs == 2; }));
    EXPECT_TRUE(onMain);
}

// Messages for the window once it is gone are the system's to drop; a worker
// queuing then makes no window of its own, and our loop makes a new one.
TEST_F(Win32DoLater, TheModulesEndTakesTheWindowAndItsClassAndLateCallsStillRun) {
    TDoLater::DoLater(Call(), nullptr);
    const ::HWND window = Window();
    TDoLater::Shutdown();
    EXPECT_EQ(fCounter.Runs, 1) << "what was queued ran first";
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(ClassRegistered(GetModuleHandleW(nullptr)));
    EXPECT_FALSE(PostMessageW(window, QO_WM_DOLATER_RUN, 0, 0));
    EXPECT_EQ(SendMessageW(window, QO_WM_DOLATER_RUN, 0, 0), 0);

    std::thread worker([&] { TDoLater::DoLater(Call(), &fCounter); });
    worker.join();
    EXPECT_EQ(TDoLater::Window(), 0u);
    fHarness.RunUntilIdle();
    EXPECT_EQ(fCounter.Runs, 2);
    EXPECT_TRUE(IsWindow(Window()));
}

// A host unloads the module with a call queued and a window open, and loads it
// again in the same process: each load queues, runs, shows and cleans up as
// the first did.
TEST(Win32Module, UnloadedWithACallQueuedAndAWindowOpenAndLoadedAgain) {
    using TQueue = void (*)(void (*)());
    using THandle = uintptr_t (*)();
    static int ran = 0;
    for (int load = 0; load < 3; ++load) {
        SCOPED_TRACE(load);
        const HMODULE module = LoadLibraryW(L"qo_test_module.dll");
        ASSERT_NE(module, nullptr);
        const auto queue = ExportOf<TQueue>(module, "QueueDeferredCall");
        const auto windowOf = ExportOf<THandle>(module, "DeferredCallWindow");
        const auto show = ExportOf<THandle>(module, "ShowNativeWindow");
        ASSERT_TRUE(queue && windowOf && show);
        const ::HWND shown = reinterpret_cast<::HWND>(show());
        ASSERT_TRUE(IsWindow(shown));
        ran = 0;
        queue([] { ++ran; });
        const ::HWND window = reinterpret_cast<::HWND>(windowOf());
        ASSERT_TRUE(IsWindow(window));
        EXPECT_TRUE(ClassRegistered(module));
        EXPECT_TRUE(RunHostLoop([] { return ran == 1; })) << "the host's loop serves the module's window";
        queue([] { ++ran; });
        FreeLibrary(module);
        EXPECT_EQ(ran, 2) << "the call queued at unload ran";
        EXPECT_FALSE(IsWindow(window));
        EXPECT_FALSE(ClassRegistered(module));
        EXPECT_FALSE(PostMessageW(window, QO_WM_DOLATER_RUN, 0, 0));
        EXPECT_FALSE(IsWindow(shown)) << "the open window went with the module";
        EXPECT_FALSE(ClassRegistered(module, L"qoWin32Window"));
        EXPECT_FALSE(PostMessageW(shown, WM_LBUTTONDOWN, 0, 0));
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
}

} // namespace
} // namespace qo
