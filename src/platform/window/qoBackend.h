#pragma once
// What the window system needs from the machine it runs on: a clock, a way to
// wait for events and to be woken from another thread, native input, the
// screen, and the modal pieces. The headless backend is the default.
#include "platform/core/qoGeometry.h"
#include "platform/core/qoInput.h"
#include "platform/window/qoClock.h"

#include <memory>

namespace qo {

class TModalLoop;
class TWinControl;

class TBackend {
public:
    virtual ~TBackend() = default;

    virtual TClock& Clock() = 0;
    // Turns native events that are already waiting into input; never blocks.
    // True when there were any. On Windows every backend dispatches the
    // thread's own messages here, as a host's loop would: the system's windows
    // of the deferred-call queue and of a native backend get them.
    virtual bool PollEvents();
    // Blocks until Wake or a native event, or until timeoutMs passed (-1: no limit).
    virtual void WaitForEvents(int64_t timeoutMs) = 0;
    // Any thread.
    virtual void Wake() = 0;

    // What shows of this top-level control changed: a paint, or a child window
    // that moved, showed or hid.
    virtual void WindowChanged(TWinControl& topLevel) { (void)topLevel; }
    virtual void ShowCursor(TCursor cursor) { (void)cursor; }
    // A top-level control shown as a pop-up at its bounds (screen coordinates):
    // above the other windows, without a frame, and taking no focus. Headless
    // a pop-up is only a top-level control that tests look at and click.
    virtual void ShowPopup(TWinControl& popup) { (void)popup; }
    virtual void HidePopup(TWinControl& popup) { (void)popup; }
    // The screen in screen coordinates, where pop-ups are kept.
    virtual TRect ScreenRect() { return {0, 0, 1920, 1080}; }
    virtual void Beep() = 0;
    // Runs a nested message loop until the modal piece ends (or a quit is
    // posted, which dismisses it). A backend may show its window as a modal one.
    virtual void RunModal(TModalLoop& modal);
};

// The current backend; a headless one until another is installed. Installing
// one is for the user-interface thread; other threads only wake the backend.
TBackend& Backend();
// Installs a backend and returns the previous one.
std::shared_ptr<TBackend> SetBackend(std::shared_ptr<TBackend> backend);
// Any thread: a backend being replaced meanwhile stays alive for the call.
void WakeBackend();

} // namespace qo
