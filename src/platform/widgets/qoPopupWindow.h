#pragma once
// The base of the pop-ups (hint, menu, combo drop-down, calendar): a top-level
// control placed in screen coordinates and kept on the screen, that never takes
// the focus and closes on a mouse press outside it. Its owner keeps the focus
// and the pop-up sees the keys first while it is open.
#include "platform/window/qoAlive.h"
#include "platform/window/qoCustomControl.h"
#include "platform/window/qoInputRouter.h"

namespace qo {

class TqoPopupWindow : public TCustomControl, protected TInputWatcher {
public:
    explicit TqoPopupWindow(TComponent* owner);
    ~TqoPopupWindow() override;

    // Shows at these screen bounds, moved to lie on the screen.
    void Popup(const TRect& screenBounds);
    // Hides and fires OnClosePopup; nothing when not open.
    void ClosePopup();
    bool IsOpen() const { return fOpen; }
    bool CanFocus() const override { return false; }
    // A press outside closes the pop-up; when swallowed it goes nowhere else.
    bool SwallowOutsidePress = true;

    TNotifyEvent OnClosePopup;

protected:
    bool PressSeen(TWinControl& root, TPoint screen) override;
    // Keys while open; the default lets them through, but Escape closes.
    bool KeySeen(uint16_t key, TShiftState shift, bool down) override;
    bool CharSeen(char16_t) override { return false; }

    TqoAlive fAlive;

private:
    bool fOpen = false;
};

} // namespace qo
