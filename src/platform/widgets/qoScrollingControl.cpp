#include "platform/widgets/qoScrollingControl.h"

#include <algorithm>

namespace qo {

namespace {
constexpr int WheelUnits = 3;
}

TqoScrollingControl::TqoScrollingControl(TComponent* owner) : TCustomControl(owner) {
    for (TScrollBarKind axis : {sbHorizontal, sbVertical}) {
        TScrollBar* bar = new TScrollBar(this);
        bar->SetKind(axis);
        bar->TabStop = false;
        bar->SetVisible(false);
        bar->SetParent(this);
        bar->OnScroll = [this, axis](TComponent*, TScrollCode, int& position) {
            BarScrolled(axis, position);
        };
        fBars[axis] = bar;
    }
}

void TqoScrollingControl::SetScrollBars(TScrollStyle style) {
    if (style == fStyle) return;
    fStyle = style;
    UpdateScrollBars();
}

bool TqoScrollingControl::Allows(TScrollBarKind axis) const {
    return fStyle == ssBoth || fStyle == (axis == sbHorizontal ? ssHorizontal : ssVertical);
}

int TqoScrollingControl::MaxScrollPos(TScrollBarKind axis) const {
    return std::max(0, fExtent[axis].Count - fExtent[axis].Page);
}

TScrollBar* TqoScrollingControl::ScrollBar(TScrollBarKind axis) const {
    return fBars[axis]->Visible() ? fBars[axis] : nullptr;
}

TRect TqoScrollingControl::VisibleRect() const {
    TRect rect = ClientRect();
    if (fBars[sbVertical]->Visible()) rect.Right -= fBars[sbVertical]->Width();
    if (fBars[sbHorizontal]->Visible()) rect.Bottom -= fBars[sbHorizontal]->Height();
    rect.Right = std::max(rect.Left, rect.Right);
    rect.Bottom = std::max(rect.Top, rect.Bottom);
    return rect;
}

void TqoScrollingControl::UpdateScrollBars() {
    if (fUpdating) return;
    fUpdating = true;
    const int thickness = TScrollBar::DefaultThickness;
    bool show[2] = {false, false};
    // A bar that shows narrows the other axis: two rounds settle it.
    for (int round = 0; round < 3; ++round) {
        TRect visible = ClientRect();
        if (show[sbVertical]) visible.Right -= thickness;
        if (show[sbHorizontal]) visible.Bottom -= thickness;
        for (TScrollBarKind axis : {sbHorizontal, sbVertical}) {
            fExtent[axis] = ScrollExtent(axis, visible);
            show[axis] = Allows(axis) && fExtent[axis].Count > fExtent[axis].Page;
        }
    }
    const TRect visible{0, 0, Width() - (show[sbVertical] ? thickness : 0),
                        Height() - (show[sbHorizontal] ? thickness : 0)};
    fBars[sbHorizontal]->SetBounds(0, visible.Bottom, visible.Right, thickness);
    fBars[sbVertical]->SetBounds(visible.Right, 0, thickness, visible.Bottom);
    for (TScrollBarKind axis : {sbHorizontal, sbVertical}) {
        TScrollBar& bar = *fBars[axis];
        bar.SetVisible(show[axis]);
        bar.SetPageSize(0);
        bar.SetParams(0, 0, std::max(0, fExtent[axis].Count - 1));
        bar.SetPageSize(fExtent[axis].Page);
        bar.SetLargeChange(std::max(1, fExtent[axis].Page));
    }
    fUpdating = false;
    for (TScrollBarKind axis : {sbHorizontal, sbVertical}) ScrollTo(axis, fPos[axis]);
    for (TScrollBarKind axis : {sbHorizontal, sbVertical}) fBars[axis]->SetPosition(fPos[axis]);
}

void TqoScrollingControl::ScrollTo(TScrollBarKind axis, int position) {
    position = std::clamp(position, 0, MaxScrollPos(axis));
    if (position == fPos[axis]) return;
    fPos[axis] = position;
    fBars[axis]->SetPosition(position);
    Invalidate();
    ScrollPosChanged(axis);
}

int TqoScrollingControl::UnitsFitting(TScrollBarKind axis, int) const {
    return std::max(1, fExtent[axis].Page);
}

int TqoScrollingControl::FirstPositionShowing(TScrollBarKind axis, int unit) const {
    return unit - std::max(1, fExtent[axis].Page) + 1;
}

void TqoScrollingControl::ScrollIntoView(TScrollBarKind axis, int unit) {
    if (unit < fPos[axis])
        ScrollTo(axis, unit);
    else if (unit >= fPos[axis] + UnitsFitting(axis, fPos[axis]))
        ScrollTo(axis, FirstPositionShowing(axis, unit));
}

void TqoScrollingControl::BarScrolled(TScrollBarKind axis, int position) {
    ScrollTo(axis, position);
}

bool TqoScrollingControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos) || !alive) return true;
    if (!ScrollBar(sbVertical)) return false;
    ScrollTo(sbVertical, fPos[sbVertical] - wheelDelta / WHEEL_DELTA * WheelUnits);
    return true;
}

void TqoScrollingControl::BoundsChanged(bool resized) {
    TCustomControl::BoundsChanged(resized);
    if (resized) UpdateScrollBars();
}

} // namespace qo
