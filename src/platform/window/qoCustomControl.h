#pragma once
// Controls that draw themselves: a windowed one with its own canvas, and a
// window-less one that draws on its parent's surface.
#include "platform/window/qoWinControl.h"

namespace qo {

class TCustomControl : public TWinControl {
public:
    using TWinControl::TWinControl;
    // The window canvas: clipped to the update rectangle during a paint, and
    // straight on the window's pixels outside one.
    TCanvas& Canvas();
    TNotifyEvent OnPaint;

protected:
    // Draws on Canvas(); the default fires OnPaint.
    virtual void Paint() { OnPaint.Fire(this); }
    void PaintWindow(TqoDC& dc) override;

private:
    TCanvas fCanvas;
    bool fPainting = false;
};

class TGraphicControl : public TControl {
public:
    using TControl::TControl;
    // Draws only while a paint runs; outside one, draw on the parent's window DC.
    TCanvas& Canvas() { return fCanvas; }
    TNotifyEvent OnPaint;
    void PaintControl(TqoDC& dc) override;

protected:
    virtual void Paint() { OnPaint.Fire(this); }

private:
    TCanvas fCanvas;
};

} // namespace qo
