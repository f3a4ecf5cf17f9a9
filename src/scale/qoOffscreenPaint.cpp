#include "scale/qoOffscreenPaint.h"

#include "platform/core/qoRounding.h"

#include <chrono>
#include <string>

namespace qo {

TqoOffscreenPaint::TqoOffscreenPaint(TComponent* owner) : TPanel(owner) {
    ControlStyle |= csOpaque;
    SetCaption("");
}

TqoOffscreenPaint::~TqoOffscreenPaint() {
    fAggregateOwnerInterface = nullptr;
    fAggregateOwner = 0;
}

TCanvas& TqoOffscreenPaint::OffscreenCanvas() {
    if (IsPrinting() && fTemporaryPrintingCanvas) return *fTemporaryPrintingCanvas;
    return fDrawBitmap.Canvas();
}

void TqoOffscreenPaint::Invalidate() {
    if (fInvalidateCount++ == 0) InvalidateRect(ClientRect(), false);
}

void TqoOffscreenPaint::Repaint() {
    if (fUpdate == 0) TPanel::Repaint();
}

void TqoOffscreenPaint::BoundsChanged(bool resized) {
    TPanel::BoundsChanged(resized);
    if (resized) InvalidateRect(ClientRect(), false);
}

void TqoOffscreenPaint::BeginUpdate() { ++fUpdate; }

void TqoOffscreenPaint::EndUpdate() {
    --fUpdate;
    Invalidate();
}

void TqoOffscreenPaint::EndPrint() {
    if (--fIsPrinting == 0) Invalidate();
}

void TqoOffscreenPaint::SetActiveXOwner(TqoActiveXOwner* owner, HWND ownerWindow, TOnTab onTab) {
    fAggregateOwnerInterface = owner;
    fAggregateOwner = ownerWindow;
    fOnAggregateTab = std::move(onTab);
}

double TqoOffscreenPaint::GetFontScale(TCanvas& canvas) {
    canvas.Font().Size = 8;
    const int height = canvas.TextHeight("X");
    return height == 0 ? 1.0 : 13.0 / height;
}

void TqoOffscreenPaint::PrintResizeFont() {
    if (!IsPrinting()) return;
    TFont& font = OffscreenCanvas().Font();
    int size = font.Size;
    bool doDefault = true;
    OnPrintResizeFont.Fire(this, size, doDefault);
    if (!doDefault) {
        font.Size = size;
        return;
    }
    font.Size = Round(size * fPrintFontscale * PrintScaley());
}

void TqoOffscreenPaint::UpdateOffscreenCanvas() {
    fDrawBitmap.SetSize(Width(), Height());
    TCanvas& canvas = fDrawBitmap.Canvas();
    canvas.Font() = Font();
    canvas.Brush().Color = Color();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.FillRect({0, 0, Width(), Height()});
}

void TqoOffscreenPaint::SmashPaint() {
    TCanvas& window = Canvas();
    const TRect copied(0, 0, Width() - fHorzInset, Height() - fVertInset);
    window.CopyRect(copied, fDrawBitmap.Canvas(), copied);
    if (fHorzInset > 0 && fVertInset > 0) {
        const TBrush saved = window.Brush();
        window.Brush().Color = clBtnFace;
        window.Brush().Style = TBrushStyle::bsSolid;
        window.FillRect({copied.Right, copied.Bottom, Width(), Height()});
        window.Brush() = saved;
    }
}

void TqoOffscreenPaint::Paint() {
    if (IsPrinting()) return;
    fInvalidateCount = 0;
    if (Clocking && !(ComponentState() & csDesigning)) {
        PaintClocked();
        return;
    }
    UpdateOffscreenCanvas();
    OffscreenPaint();
    SmashPaint();
}

void TqoOffscreenPaint::PaintClocked() {
    const auto start = std::chrono::steady_clock::now();
    UpdateOffscreenCanvas();
    OffscreenPaint();
    SmashPaint();
    fPerf += std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
    ++fPerfCount;
    TCanvas& window = Canvas();
    window.Brush().Color = clBlack;
    window.Brush().Style = TBrushStyle::bsSolid;
    window.Font().Color = clWhite;
    window.TextOut(10, 10, std::to_string(fPerf / fPerfCount));
}

void TqoOffscreenPaint::Print(TqoDC& dc, int x, int y, double scalex, double scaley, bool updateBounds) {
    FPrintx = x;
    FPrinty = y;
    FPrintScalex = scalex;
    FPrintScaley = scaley;
    const TRect before = BoundsRect();
    if (updateBounds)
        UpdateBoundsRect(TRect::Bounds(before.Left, before.Top, Round(before.Width() * scalex),
                                       Round(before.Height() * scaley)));
    fTemporaryPrintingCanvas = std::make_unique<TCanvas>(&dc);
    BeginPrint();
    const TPoint savedOrigin = dc.GetViewportOrg();
    const std::optional<TqoRegion> savedClip = dc.GetClipRgn();
    // Drawing may fail half way: the device context, bounds and printing state come back regardless.
    auto restore = [&] {
        dc.SelectClipRgn(savedClip ? &*savedClip : nullptr);
        fTemporaryPrintingCanvas.reset();
        dc.SetViewportOrg(savedOrigin);
        UpdateBoundsRect(before);
        EndPrint();
    };
    try {
        dc.SetViewportOrg({x, y});
        const TqoRegion clip(TRect(x, y, x + Width(), y + Height()));
        dc.SelectClipRgn(&clip);
        fTemporaryPrintingCanvas->Font() = Font();
        CalculateFontScale();
        OffscreenPaint();
        dc.SelectClipRgn(savedClip ? &*savedClip : nullptr);
        OnPrintBeforeResettingScale.Fire(this);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

bool TqoOffscreenPaint::DragOver(TComponent* source, int x, int y, TDragState state) {
    if (y <= 4) PossibleScroll(tsdUp, x, y);
    else if (y > Height() - fVertInset - 5) PossibleScroll(tsdDown, x, y);
    else if (x <= 4) PossibleScroll(tsdLeft, x, y);
    else if (x > Width() - fHorzInset - 5) PossibleScroll(tsdRight, x, y);
    return TPanel::DragOver(source, x, y, state);
}

LRESULT TqoOffscreenPaint::DialogCode(WPARAM key) {
    LRESULT code = 0;
    if (key <= 255 && fSetSpecialOfChar.test(key)) code |= DLGC_WANTALLKEYS;
    if (key == VK_TAB && fOnAggregateTab && fOnAggregateTab(false)) code |= DLGC_WANTTAB;
    return code;
}

bool TqoOffscreenPaint::ForwardToContainer(TMessage& message) {
    if (message.Msg < WM_MOUSEFIRST || message.Msg > WM_MOUSELAST) return false;
    if (fAggregateOwnerInterface->AmbientUserMode()) return false;
    TWinControl* ownerWindow = TWinControl::FromHandle(fAggregateOwner);
    if (!ownerWindow) return false;
    LPARAM position = message.LParam; // the wheel's position is in screen coordinates already
    if (message.Msg != WM_MOUSEWHEEL) {
        const TPoint local(int16_t(message.LParam & 0xFFFF), int16_t((message.LParam >> 16) & 0xFFFF));
        const TPoint there = ownerWindow->ScreenToClient(ClientToScreen(local));
        position = LPARAM(uint16_t(there.X)) | (LPARAM(uint16_t(there.Y)) << 16);
    }
    message.Result = SendMessage(fAggregateOwner, message.Msg, message.WParam, position);
    return true;
}

void TqoOffscreenPaint::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND:
        // Never cleared between paints: the next paint covers everything.
        InvalidateRect(ClientRect(), false);
        message.Result = 1;
        return;
    case WM_GETDLGCODE:
        TPanel::WndProc(message);
        message.Result |= DialogCode(message.WParam);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TPanel::WndProc(message);
        Invalidate();
        return;
    }
    if (fAggregateOwnerInterface) {
        if (ForwardToContainer(message)) return;
        if (message.Msg == WM_KEYDOWN && message.WParam == VK_TAB && fAggregateOwner && fOnAggregateTab) {
            fOnAggregateTab(true);
            return;
        }
    }
    TPanel::WndProc(message);
    if (message.Msg == WM_MOUSEWHEEL) OnWheelScroll.Fire(message);
}

} // namespace qo
