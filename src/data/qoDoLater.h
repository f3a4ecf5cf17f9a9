#pragma once
// The process-wide queue of deferred calls. Work that arrives in bursts is
// queued once per method and data and run after the current event, from the
// message of a hidden window of class "TDoLaterWindow". The same window wakes
// the user-interface thread for calls that workers hand over, because a host's
// message loop knows nothing of ours.
//
//   TDoLater::DoLater(DoLaterMethod<&TMyPart::UpdateScrollBars>(this), nullptr);
//   ~TMyPart() { TDoLater::NeverMind(DoLaterMethod<&TMyPart::UpdateScrollBars>(this)); }
#include "platform/core/qoDateTime.h"
#include "platform/window/qoMessages.h"

namespace qo {

// A method of an object taking one data argument: code and object, comparable.
struct TDoLaterCall {
    void* Object = nullptr;
    void (*Code)(void* object, void* data) = nullptr;
    friend bool operator==(const TDoLaterCall&, const TDoLaterCall&) = default;
};

template <auto Method, class T> void DoLaterThunk(void* object, void* data) {
    (static_cast<T*>(object)->*Method)(data);
}
// The call of a member function `void T::M(void* data)` on object.
template <auto Method, class T> TDoLaterCall DoLaterMethod(T* object) {
    return {object, &DoLaterThunk<Method, T>};
}

struct TDoLaterContainer {
    TDoLaterCall Method;
    void* Data = nullptr;
    TDateTime Time = 0; // when queued
};

constexpr UINT QO_WM_DOLATER_WAKE = 40924;
constexpr UINT QO_WM_DOLATER_RUN = 40925;
constexpr const char* DoLaterWindowClass = "TDoLaterWindow";

class TDoLater {
public:
    // Any thread, and it never waits for another thread. A call already queued
    // (or running) with the same method and data is not queued again. The first
    // call makes the window on the user-interface thread.
    static void DoLater(TDoLaterCall call, void* data);
    // Any thread. Drops every queued call of the method, whatever its data;
    // the one running goes on.
    static void NeverMind(TDoLaterCall call);
    // Runs the queue now, in order, including calls queued meanwhile. A call
    // that raises is dropped, the rest still run, and the first error is raised
    // again at the end. Nested calls return at once.
    static void DoAllNow();
    static bool AlreadyInList(TDoLaterCall call, void* data);
    static int PendingCount();
    // Posts the wake message; the hook by which workers wake the user-interface thread.
    static void qoWake();
    // Module end (registered with AtModuleEnd once the window exists): runs
    // what is queued and destroys the window; a later call makes a new one.
    // Only on the user-interface thread, and not from inside a running call.
    static void Shutdown();
    // The hidden window, or 0 before the first call. On Windows it is one of
    // the system's windows (the handle as a number), served by any message loop.
    static HWND Window();
};

} // namespace qo
