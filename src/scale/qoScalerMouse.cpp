// Panning and rescaling with the mouse, the scroll buttons and programmatic stepping.
#include "platform/window/qoClock.h"
#include "platform/window/qoInputRouter.h"
#include "scale/qoScaler.h"

namespace qo {

void TqoDateScaler::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (!fDown) fMouseDownTime = GetTickCount();
    fDown = true;
    fDownX = x;
    fDownY = y;
    fDownPix = fHorizontal ? x : y;
    fDownScale = Scale();
    fShift = shift;
    fDownDate = PixelToDate(fDownPix);
    const TPoint p(x, y);
    const bool addTime = fDownButtonRect.Contains(p), subTime = fUpButtonRect.Contains(p);
    if (addTime || subTime) {
        fScrollADDTIME = addTime;
        fScrollSUBTIME = subTime;
        fScrollTimer->SetEnabled(true);
        Invalidate();
    }
    if (CanFocus()) SetFocus();
    if (button == mbLeft) fDownDate = Snap(fDownDate, fSmallStep);
    TqoOffscreenPaint::MouseDown(button, shift, x, y);
}

void TqoDateScaler::MouseMove(TShiftState shift, int x, int y) {
    if (fDown && !fScrollTimer->Enabled()) {
        const int along = fHorizontal ? x : y;
        // The keys held at the press decide for the whole drag.
        if (RescaleNotPan(fShift))
            Rescale(along - fDownPix);
        else
            Pan(along - (fHorizontal ? fDownX : fDownY));
        fDownX = x;
        fDownY = y;
    }
    TqoOffscreenPaint::MouseMove(shift, x, y);
}

void TqoDateScaler::Rescale(int distance) {
    // 1 % per pixel; dragging forward shows more time.
    const double scale = fDownScale * (1 + distance / 100.0);
    if (scale <= 0 || distance == 0) return;
    fReScaling = true;
    SetCenterScale(scale, fDownDate, fDownPix);
}

void TqoDateScaler::Pan(int distance) {
    BeginUpdate();
    try {
        const double amount = VisibleTimeAmount();
        const auto outOfHidden = [&](TDateTime d) {
            return distance >= 1 ? VisibleTimeToTrueTime_Low(d) : VisibleTimeToTrueTime_High(d);
        };
        const TDateTime start = outOfHidden(outOfHidden(fStart) - distance * fCtrlStep / 10);
        if (CheckIfOkStartStop(start, start + amount)) {
            SetStart(start);
            SetStop(VisibleTimeDiffToTrueTime(fStart, amount));
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TqoDateScaler::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    EndDrag();
    Repaint();
    TqoOffscreenPaint::MouseUp(button, shift, x, y);
}

void TqoDateScaler::EndDrag() {
    fDown = false;
    fReScaling = false;
    fScrollTimer->SetEnabled(false);
    fScrollADDTIME = fScrollSUBTIME = false;
}

bool TqoDateScaler::CursorOverButtons() const {
    const TPoint p = ScreenToClient(Mouse().CursorPos());
    return fUpButtonRect.Contains(p) || fDownButtonRect.Contains(p);
}

void TqoDateScaler::ScrollButtonPressed(TComponent*) {
    if (!fAutScrollStarted && !CursorOverButtons()) {
        StopStep();
        return;
    }
    double step = PixelLenToDate(15);
    if (!fAutScrollStarted) {
        const int64_t held = GetTickCount() - fMouseDownTime;
        if (held > 5000)
            step *= 21;
        else if (held > 2000)
            step *= 3;
    }
    const double amount = VisibleTimeAmount();
    const TDateTime start = VisibleTimeDiffToTrueTime(fStart, fScrollADDTIME ? step : -step);
    if (start != fStart && CheckIfOkStartStop(start, start + amount)) SetStart(start);
}

void TqoDateScaler::StartStepUp() {
    StartStep(true);
}

void TqoDateScaler::StartStepDown() {
    StartStep(false);
}

void TqoDateScaler::StartStep(bool addTime) {
    fScrollTimer->SetInterval(150);
    fAutScrollStarted = true;
    fScrollADDTIME = addTime;
    fScrollSUBTIME = !addTime;
    fScrollTimer->SetEnabled(true);
}

void TqoDateScaler::StopStep() {
    fScrollTimer->SetInterval(50);
    fAutScrollStarted = false;
    EndDrag();
    Invalidate();
}

} // namespace qo
