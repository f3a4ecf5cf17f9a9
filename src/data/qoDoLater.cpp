#include "data/qoDoLater.h"

#include "data/qoDoLaterWindow.h"

#include "platform/core/qoErrors.h"
#include "platform/core/qoModuleEnd.h"
#include "platform/window/qoBackend.h"
#include "platform/window/qoDialogs.h"
#include "platform/window/qoThreads.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace qo {

namespace {

struct TCallHash {
    size_t operator()(const TDoLaterCall& call) const {
        // Objects lie a multiple of 16 bytes apart: the product spreads them.
        return size_t((uint64_t(uintptr_t(call.Object)) * 0x9E3779B97F4A7C15u) >> 16) ^
               std::hash<void*>()(reinterpret_cast<void*>(call.Code));
    }
};

// The queued calls of each method, so that asking whether a call is queued and
// dropping a method's calls do not walk a queue of thousands of rows' calls.
class TPendingIndex {
public:
    void Add(const TDoLaterContainer& c) { fData[c.Method].push_back(c.Data); }
    void Remove(const TDoLaterContainer& c) {
        const auto it = fData.find(c.Method);
        assert(it != fData.end() && "every queued call is in the index");
        std::erase(it->second, c.Data);
        if (it->second.empty()) fData.erase(it);
    }
    bool Has(TDoLaterCall call, void* data) const {
        const auto it = fData.find(call);
        return it != fData.end() && std::find(it->second.begin(), it->second.end(), data) != it->second.end();
    }
    // Forgets the method's calls; false when none was queued.
    bool Drop(TDoLaterCall call) { return fData.erase(call) > 0; }

private:
    std::unordered_map<TDoLaterCall, std::vector<void*>, TCallHash> fData;
};

struct TDoLaterState {
    // Guards everything here: calls run unlocked, so that a worker queuing
    // while the queue runs cannot deadlock.
    std::recursive_mutex Lock;
    std::deque<TDoLaterContainer> Pending;
    TPendingIndex Index;
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

// With the lock held. The window belongs to the user-interface thread: a worker
// that comes first asks that thread to make it and returns at once. Posting
// under the lock keeps the window from going away in between.
void PostRun(TDoLaterState& s) {
    if (s.Window && dolater::Post(s.Window, QO_WM_DOLATER_RUN)) return;
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
    s.Window = dolater::CreateHiddenWindow();
    if (!s.Window) throw EqoError("The deferred-call window cannot be created");
    SetWakeMainThread(&TDoLater::qoWake);
    dolater::Post(s.Window, QO_WM_DOLATER_RUN);
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

bool dolater::HandleMessage(UINT msg) {
    if (msg == QO_WM_DOLATER_WAKE) {
        CheckSynchronize();
        return true;
    }
    if (msg != QO_WM_DOLATER_RUN) return false;
    try {
        TDoLater::DoAllNow();
    } catch (const std::exception& e) {
        // Nobody above a window message can handle it: tell the user.
        ShowMessage(e.what());
    }
    return true;
}

bool TDoLater::AlreadyInList(TDoLaterCall call, void* data) {
    TDoLaterState& s = State();
    std::lock_guard guard(s.Lock);
    return (s.Running && Matches(s.Current, call, data)) || s.Index.Has(call, data);
}

void TDoLater::DoLater(TDoLaterCall call, void* data) {
    TDoLaterState& s = State();
    std::lock_guard guard(s.Lock);
    if (AlreadyInList(call, data)) return;
    s.Pending.push_back({call, data, Now()});
    s.Index.Add(s.Pending.back());
    PostRun(s);
}

void TDoLater::NeverMind(TDoLaterCall call) {
    TDoLaterState& s = State();
    std::lock_guard guard(s.Lock);
    if (s.Index.Drop(call)) std::erase_if(s.Pending, [&](const TDoLaterContainer& c) { return c.Method == call; });
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
            s.Index.Remove(next);
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
    if (!s.Window || !dolater::Post(s.Window, QO_WM_DOLATER_WAKE)) WakeBackend();
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
    dolater::DestroyHiddenWindow(s.Window);
    s.Window = 0;
}

HWND TDoLater::Window() {
    TDoLaterState& s = State();
    std::lock_guard guard(s.Lock);
    return s.Window;
}

} // namespace qo
