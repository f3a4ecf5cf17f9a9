#pragma once
// The check box: checked, unchecked or grayed, toggled by a click or by Space
// (pressed on key down, toggled on key up, as the classic control does). A
// user's toggle fires OnClick; setting the state from code does not.
#include "platform/window/qoAlive.h"
#include "platform/window/qoCustomControl.h"
#include "platform/window/qoWidgetPaint.h"

namespace qo {

using TCheckBoxState = qoWidgetPaint::TCheckState;
using qoWidgetPaint::cbChecked;
using qoWidgetPaint::cbGrayed;
using qoWidgetPaint::cbUnchecked;

class TCheckBox : public TCustomControl {
public:
    explicit TCheckBox(TComponent* owner);

    TCheckBoxState State() const { return fState; }
    // Grayed is refused unless AllowGrayed.
    void SetState(TCheckBoxState state);
    bool Checked() const { return fState == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return fAllowGrayed; }
    void SetAllowGrayed(bool allow);

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;
    void WndProc(TMessage& message) override;
    // The user's toggle: unchecked, checked, grayed (when allowed), round again.
    void Toggle();

private:
    void SetPushed(bool pushed);

    TqoAlive fAlive;
    TCheckBoxState fState = cbUnchecked;
    bool fAllowGrayed = false;
    bool fPushed = false;
    bool fMousePress = false;
};

} // namespace qo
