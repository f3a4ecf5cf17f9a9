#include "data/qoDoLater.h"

#include "platform/core/qoErrors.h"
#include "platform/core/qoModuleEnd.h"
#include "platform/window/qoBackend.h"
#include "platform/window/qoDialogs.h"
#include "platform/window/qoThreads.h"
#include "platform/window/qoWindows.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <mutex>

namespace qo {

namespace {

struct TDoLaterState {
    // Guards everything here: calls run unlocked, so that a worker queuing
    // while the queue runs cannot deadlock.
    std::recursive_mutex Lock;
    std::deque<TDoLaterContainer> Pending;
    bool Running = false;
    TDoLaterContainer Current;
    HWND Window = 0;
    // A worker asked the user-interface thread to make the window.
    bool WindowAsked = false;
};

TDoLaterState& State() {
    static TDoLaterState* state = new TDoLaterState; // lives to the very end of the process
    return *state;
}

LRESULT DoLaterWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == QO_WM_DOLATER_WAKE) {
        CheckSynchronize();
        return 0;
    }
    if (msg == QO_WM_DOLATER_RUN) {
        try {
            TDoLater::DoAllNow();
        } catch (const std::exception& e) {
            // Nobody above a window message can handle it: tell the user.
            ShowMessage(e.what());
        }
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

// The class is registered anew when it is missing or belongs to another procedure.
HWND AllocateWindow() {
    TWndClass existing;
    if (GetClassInfo(DoLaterWindowClass, existing) && existing.WndProc != &DoLaterWndProc)
        UnregisterClass(DoLaterWindowClass);
    if (!GetClassInfo(DoLaterWindowClass, existing)) RegisterClass({DoLaterWindowClass, &DoLaterWndProc});
    return CreateWindow(DoLaterWindowClass, "", 0, TRect(), 0);
}

// With the lock held. The window belongs to the user-interface thread: a worker
// that comes first asks that thread to make it and returns at once. Posting
// under the lock keeps the window from going away in between.
void PostRun(TDoLaterState& s) {
    if (s.Window && PostMessage(s.Window, QO_WM_DOLATER_RUN, 0, 0)) return;
    s.Window = 0;
    if (!IsMainThread()) {
        if (s.WindowAsked) return;
        s.WindowAsked = true;
        TThread::Queue([] {
            TDoLaterState& s = State();
            std::lock_guard guard(s.Lock);
            s.WindowAsked = false;
            if (!s.Pending.empty()) PostRun(s);
        });
        return;
    }
    s.Window = AllocateWindow();
    if (!s.Window) throw EqoError("The deferred-call window cannot be created");
    SetWakeMainThread(&TDoLater::qoWake);
    PostMessage(s.Window, QO_WM_DOLATER_RUN, 0, 0);
    // Registered once the window table and the message loop exist, so that at
    // exit it runs before they are destroyed.
    AtModuleEnd<&TDoLater::Shutdown>();
}

bool IsRunning(TDoLaterState& s) {
    std::lock_guard guard(s.Lock);
    return s.Running;
}

bool Matches(const TDoLaterContainer& c, TDoLaterCall call, void* data) {
    return c.Method == call && c.Data == data;
}

} // namespace

bool TDoLater::AlreadyInList(TDoLaterCall call, void* data) {
    TDoLaterState& s = State();
    std::lock_guard guard(s.Lock);
    if (s.Running && Matches(s.Current, call, data)) return true;
    return std::any_of(s.Pending.begin(), s.Pending.end(),
                       [&](const TDoLaterContainer& c) { return Matches(c, call, data); });
}

void TDoLater::DoLater(TDoLaterCall call, void* data) {
    TDoLaterState& s = State();
    std::lock_guard guard(s.Lock);
    if (AlreadyInList(call, data)) return;
    s.Pending.push_back({call, data, Now()});
    PostRun(s);
}

void TDoLater::NeverMind(TDoLaterCall call) {
    TDoLaterState& s = State();
    std::lock_guard guard(s.Lock);
    std::erase_if(s.Pending, [&](const TDoLaterContainer& c) { return c.Method == call; });
}

void TDoLater::DoAllNow() {
    TDoLaterState& s = State();
    std::exception_ptr firstError;
    for (;;) {
        TDoLaterContainer next;
        {
            std::lock_guard guard(s.Lock);
            if (s.Running || s.Pending.empty()) break;
            next = s.Pending.front();
            s.Pending.pop_front();
            s.Current = next;
            s.Running = true;
        }
        try {
            next.Method.Code(next.Method.Object, next.Data);
        } catch (...) {
            if (!firstError) firstError = std::current_exception();
        }
        std::lock_guard guard(s.Lock);
        s.Running = false;
        s.Current = {};
    }
    if (firstError) std::rethrow_exception(firstError);
}

int TDoLater::PendingCount() {
    TDoLaterState& s = State();
    std::lock_guard guard(s.Lock);
    return int(s.Pending.size());
}

void TDoLater::qoWake() {
    TDoLaterState& s = State();
    std::lock_guard guard(s.Lock);
    if (!s.Window || !PostMessage(s.Window, QO_WM_DOLATER_WAKE, 0, 0)) WakeBackend();
}

void TDoLater::Shutdown() {
    // The calls and the window belong to the user-interface thread; a call
    // that is running finishes the pass itself.
    TDoLaterState& s = State();
    if (!IsMainThread() || IsRunning(s)) return;
    try {
        DoAllNow();
    } catch (...) {
        // The module is going away: there is nobody left to tell.
    }
    std::lock_guard guard(s.Lock);
    if (!s.Window) return;
    SetWakeMainThread(nullptr);
    DestroyWindow(s.Window);
    s.Window = 0;
}

HWND TDoLater::Window() {
    TDoLaterState& s = State();
    std::lock_guard guard(s.Lock);
    return s.Window;
}

} // namespace qo
