#pragma once
// The message loop of the user-interface thread. Its order is what the
// components rely on: sent messages run at once; posted messages first in,
// first out; then calls handed over by workers and native input; then paint,
// coalesced per window and only when nothing was posted; timers last.
#include "platform/window/qoMessages.h"

#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace qo {

class TMessageQueue {
public:
    // Any thread.
    void Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Drops what is queued for a window that goes away.
    void Forget(HWND hwnd);

    // Invalidation adds to the window's update rectangle; erase is kept until the paint.
    void Invalidate(HWND hwnd, const TRect& rect, bool erase);
    void Validate(HWND hwnd);
    bool HasUpdate(HWND hwnd) const;
    // The update rectangle and erase flag; the window counts as painted afterwards.
    bool TakeUpdate(HWND hwnd, TRect& rect, bool& erase);
    // Paints the window now when it has something to paint.
    void Update(HWND hwnd);

    // A timer fires WM_TIMER (wParam = id) every elapse milliseconds of the
    // backend's clock; setting an existing id restarts it.
    void SetTimer(HWND hwnd, uintptr_t id, uint32_t elapse);
    bool KillTimer(HWND hwnd, uintptr_t id);
    // When the next timer is due, or -1.
    int64_t NextTimerDue() const;

    // One step of the loop; false when there was nothing to do.
    bool ProcessOne();
    // Runs until nothing is left to do now.
    void ProcessMessages();
    // Processes one step, or waits for something to do first.
    void HandleMessage();
    // HandleMessage until PostQuitMessage.
    void Run();
    void PostQuitMessage() { fQuit = true; }
    bool QuitPosted() const { return fQuit; }

    // Forgets everything queued (a test starts from a clean loop).
    void Reset();

private:
    struct TPosted {
        HWND Hwnd;
        UINT Msg;
        WPARAM WParam;
        LPARAM LParam;
    };
    struct TUpdate {
        HWND Hwnd;
        TRect Rect;
        bool Erase;
    };
    struct TTimerEntry {
        HWND Hwnd;
        uintptr_t Id;
        int64_t Interval;
        int64_t Due;
    };

    bool DispatchPosted();
    bool PaintOne();
    bool FireTimer();
    TUpdate* FindUpdate(HWND hwnd);

    mutable std::mutex fPostedMutex;
    std::deque<TPosted> fPosted;
    std::vector<TUpdate> fUpdates; // in invalidation order
    std::vector<TTimerEntry> fTimers;
    bool fQuit = false;
    // The window whose paint runs, and whether it took its update.
    HWND fPainting{};
    bool fPaintTaken = false;
};

// The loop of the user-interface thread.
TMessageQueue& MessageQueue();

void ProcessMessages();
// rect nullptr: the whole client area.
void InvalidateRect(HWND hwnd, const TRect* rect, bool erase);
void UpdateWindow(HWND hwnd);
void SetTimer(HWND hwnd, uintptr_t id, uint32_t elapse);
bool KillTimer(HWND hwnd, uintptr_t id);

} // namespace qo
