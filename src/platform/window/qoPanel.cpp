#include "platform/window/qoPanel.h"

#include "platform/window/qoWidgetPaint.h"

namespace qo {

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    ControlStyle |= csOpaque;
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelInner(TBevelCut bevel) { SetFrame(fBevelInner, bevel); }
void TPanel::SetBevelOuter(TBevelCut bevel) { SetFrame(fBevelOuter, bevel); }
void TPanel::SetBevelWidth(int width) { SetFrame(fBevelWidth, width); }
void TPanel::SetBorderWidth(int width) { SetFrame(fBorderWidth, width); }

void TPanel::SetAlignment(TAlignment alignment) {
    fAlignment = alignment;
    Invalidate();
}

void TPanel::AdjustClientRect(TRect& rect) const {
    int inset = fBorderWidth;
    if (fBevelOuter != bvNone) inset += fBevelWidth;
    if (fBevelInner != bvNone) inset += fBevelWidth;
    rect = rect.Inflate(-inset, -inset);
}

namespace {
void BevelFrame(TCanvas& canvas, TRect& rect, TBevelCut bevel, int width) {
    if (bevel == bvNone) return;
    const TColor top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    const TColor bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
    qoWidgetPaint::Frame3D(canvas, rect, top, bottom, width);
}
} // namespace

void TPanel::Paint() {
    TCanvas& canvas = Canvas();
    TRect rect = ClientRect();
    BevelFrame(canvas, rect, fBevelOuter, fBevelWidth);
    qoWidgetPaint::Frame3D(canvas, rect, Color(), Color(), fBorderWidth);
    BevelFrame(canvas, rect, fBevelInner, fBevelWidth);
    canvas.Brush().Color = Color();
    canvas.FillRect(rect);
    if (!Caption().empty()) {
        canvas.Brush().Style = TBrushStyle::bsClear;
        const int height = canvas.TextHeight("W");
        rect.Top = (rect.Top + rect.Bottom - height) / 2;
        rect.Bottom = rect.Top + height;
        static constexpr uint32_t Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
        canvas.DrawTextW(Caption(), rect, DT_VCENTER | DT_SINGLELINE | Alignments[fAlignment]);
    }
    TCustomControl::Paint();
}

} // namespace qo
