#include "platform/widgets/qoUpDown.h"

#include "platform/core/qoErrors.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>

namespace qo {

TUpDown::TUpDown(TComponent* owner) : TCustomControl(owner) {
    ControlStyle = (ControlStyle | csOpaque) & ~csDoubleClicks & ~csClickEvents;
    SetBounds(0, 0, 17, 25);
}

void TUpDown::SetOrientation(TUDOrientation orientation) {
    if (orientation == fOrientation) return;
    fOrientation = orientation;
    SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TUpDown::SetRange(int min, int max) {
    if (min > max)
        throw EqoError(Format("Up-down range %d to %d: the minimum lies above the maximum", min, max));
    fMin = min;
    fMax = max;
    SetPosition(fPosition);
}

void TUpDown::SetPosition(int position) {
    position = std::clamp(position, fMin, fMax);
    if (position == fPosition) return;
    fPosition = position;
    Invalidate();
}

void TUpDown::SetIncrement(int increment) {
    fIncrement = std::max(increment, 1);
}

TRect TUpDown::ButtonRect(TUDBtnType button) const {
    // Vertical: next on top. Horizontal: next on the right.
    if (fOrientation == udVertical) {
        const int half = Height() / 2;
        return button == btNext ? TRect(0, 0, Width(), half) : TRect(0, half, Width(), Height());
    }
    const int half = Width() / 2;
    return button == btNext ? TRect(half, 0, Width(), Height()) : TRect(0, 0, half, Height());
}

bool TUpDown::ButtonAt(TPoint p, TUDBtnType& button) const {
    for (TUDBtnType b : {btNext, btPrev})
        if (ButtonRect(b).Contains(p)) {
            button = b;
            return true;
        }
    return false;
}

void TUpDown::Paint() {
    using namespace qoWidgetPaint;
    TCanvas& canvas = Canvas();
    const bool vertical = fOrientation == udVertical;
    for (TUDBtnType b : {btNext, btPrev}) {
        const TArrow arrow = vertical ? (b == btNext ? arUp : arDown) : (b == btNext ? arRight : arLeft);
        const bool pushed = fPressed && fPressedShows && fPressedButton == b;
        ArrowButton(canvas, ButtonRect(b), arrow, pushed, Enabled());
    }
}

bool TUpDown::Step(TUDBtnType button) {
    int target = fPosition + (button == btNext ? fIncrement : -fIncrement);
    if (Wrap && target > fMax) target = fMin;
    if (Wrap && target < fMin) target = fMax;
    target = std::clamp(target, fMin, fMax);
    const TqoAlive::TWatch alive = fAlive.Watch();
    bool allow = true;
    OnChanging.Fire(this, allow);
    if (!alive) return false;
    if (allow) SetPosition(target);
    OnClick.Fire(this, button);
    return bool(alive);
}

void TUpDown::Release() {
    fRepeat.Stop();
    if (!fPressed) return;
    fPressed = false;
    Invalidate();
}

void TUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::MouseDown(button, shift, x, y);
    if (!alive || button != mbLeft || !ButtonAt({x, y}, fPressedButton)) return;
    fPressed = fPressedShows = true;
    Invalidate();
    if (Step(fPressedButton)) fRepeat.Start();
}

void TUpDown::MouseMove(TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::MouseMove(shift, x, y);
    if (!alive || !fPressed) return;
    const bool shows = ButtonRect(fPressedButton).Contains({x, y});
    if (shows != fPressedShows) Invalidate();
    fPressedShows = shows;
}

void TUpDown::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) Release();
    TCustomControl::MouseUp(button, shift, x, y);
}

void TUpDown::KeyDown(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::KeyDown(key, shift);
    if (!alive) return;
    const bool vertical = fOrientation == udVertical;
    if (key == (vertical ? VK_UP : VK_RIGHT))
        Step(btNext);
    else if (key == (vertical ? VK_DOWN : VK_LEFT))
        Step(btPrev);
}

void TUpDown::WndProc(TMessage& message) {
    if (fRepeat.Tick(message)) {
        if (fPressed && fPressedShows) Step(fPressedButton);
        return;
    }
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_CAPTURECHANGED:
        Release();
        break;
    }
    TCustomControl::WndProc(message);
}

} // namespace qo
