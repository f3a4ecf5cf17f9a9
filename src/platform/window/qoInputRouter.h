#pragma once
// Input from a backend or a test, in screen coordinates, routed to controls:
// mouse to the control under the point (or the one holding the capture), keys
// to the focused control, with double clicks, dialog-key claiming, tab
// navigation and drag and drop on the way.
#include "platform/core/qoInput.h"
#include "platform/window/qoMessages.h"

namespace qo {

class TControl;
class TWinControl;

class TMouse {
public:
    // Pixels the mouse moves with the button down before a drag starts.
    int DragThreshold = 15;
    // Whether automatic dragging starts on the press itself.
    bool DragImmediate = false;
    int DoubleClickTime = 500;

    TControl* Capture() const { return fCapture; }
    // The old holder of the capture receives WM_CAPTURECHANGED.
    void SetCapture(TControl* control);
    TPoint CursorPos() const { return fCursorPos; }
    // A cursor shown everywhere while it is not crDefault.
    TCursor OverrideCursor() const { return fOverrideCursor; }
    void SetOverrideCursor(TCursor cursor);

private:
    friend class TInputRouter;
    TControl* fCapture = nullptr;
    TPoint fCursorPos;
    TCursor fOverrideCursor = crDefault;
};

TMouse& Mouse();
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
void ReleaseCapture();

// The deepest visible and enabled control at a screen point inside root.
TControl* ControlAtScreen(TWinControl& root, TPoint screen);

// Input entry points. root is the top-level control that received the input.
void DeliverMouseButton(TWinControl& root, TMouseButton button, bool down, TPoint screen, TShiftState shift);
void DeliverMouseMove(TWinControl& root, TPoint screen, TShiftState shift);
void DeliverMouseWheel(TWinControl& root, int delta, TPoint screen, TShiftState shift);
void DeliverKeyDown(uint16_t key, TShiftState shift);
void DeliverKeyUp(uint16_t key, TShiftState shift);
void DeliverChar(char16_t ch);

// Negative (high bit set) while the key is down: VK_SHIFT, VK_CONTROL, VK_MENU
// and the mouse buttons follow the input seen last.
int16_t GetKeyState(int key);
// The shift state of the keys and buttons down now.
TShiftState CurrentShiftState();

// Keyboard focus.
TWinControl* FocusedControl();
void SetFocusedControl(TWinControl* control);

// Drag and drop in the classic style, driven by the mouse input above.
void DragBegin(TControl& source, bool immediate, int threshold);
TControl* DragSource();
bool DragStarted();
// Ends a drag; false when it had not started yet (the input goes on as usual).
bool DragFinish(bool drop);
// The mouse moved with a drag pending or running.
void DragMoveTo(TPoint screen);
void DragForget(TControl* control);

// Sees input before it is routed, as open pop-ups need: every mouse press (to
// close on a press outside) and every key, newest watcher first. Answering
// true swallows the input.
class TInputWatcher {
public:
    virtual ~TInputWatcher() = default;
    virtual bool PressSeen(TWinControl& root, TPoint screen) = 0;
    virtual bool KeySeen(uint16_t key, TShiftState shift, bool down) = 0;
    virtual bool CharSeen(char16_t ch) = 0;
};
void AddInputWatcher(TInputWatcher& watcher);
void RemoveInputWatcher(TInputWatcher& watcher);

// A control that goes away leaves no reference behind.
void InputForget(TControl* control);
// Back to no capture, no focus, no drag, no keys down (a test starts clean).
void InputReset();

} // namespace qo
