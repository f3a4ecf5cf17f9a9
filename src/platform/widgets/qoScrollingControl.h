#pragma once
// The scrollable base of every scrolling widget (draw grid, list, tree, grid
// view): content measured in scroll units along each axis (pixels, rows or
// items), built-in scroll bars that show when the content does not fit and
// the style allows them, the visible rectangle they leave, scrolling into view,
// and one clamp of the position that the bars share.
#include "platform/widgets/qoScrollBar.h"

namespace qo {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Count units in all; Page of them, counted from the end, fit the visible rectangle.
struct TqoScrollExtent {
    int Count = 0;
    int Page = 0;
};

class TqoScrollingControl : public TCustomControl {
public:
    explicit TqoScrollingControl(TComponent* owner);

    TScrollStyle ScrollBars() const { return fStyle; }
    void SetScrollBars(TScrollStyle style);
    int ScrollPos(TScrollBarKind axis) const { return fPos[axis]; }
    // The highest position: the last page shows whole.
    int MaxScrollPos(TScrollBarKind axis) const;
    // Clamped into 0..MaxScrollPos; a change repaints and calls ScrollPosChanged.
    void ScrollTo(TScrollBarKind axis, int position);
    // Moves as little as needed to show the unit whole.
    void ScrollIntoView(TScrollBarKind axis, int unit);
    // The client area less the scroll bars that show.
    TRect VisibleRect() const;
    // nullptr while the bar does not show.
    TScrollBar* ScrollBar(TScrollBarKind axis) const;
    // Measures the content again and shows or hides the bars; subclasses call
    // it whenever their content changes.
    void UpdateScrollBars();

protected:
    virtual TqoScrollExtent ScrollExtent(TScrollBarKind axis, const TRect& visible) const = 0;
    // How many units fit whole from position on (the default: the page).
    virtual int UnitsFitting(TScrollBarKind axis, int position) const;
    // The lowest position that still shows unit whole (the default: by the page).
    virtual int FirstPositionShowing(TScrollBarKind axis, int unit) const;
    virtual void ScrollPosChanged(TScrollBarKind axis) { (void)axis; }
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void BoundsChanged(bool resized) override;

private:
    void BarScrolled(TScrollBarKind axis, int position);
    bool Allows(TScrollBarKind axis) const;

    TqoAlive fAlive;
    TScrollStyle fStyle = ssBoth;
    TScrollBar* fBars[2];
    int fPos[2] = {0, 0};
    TqoScrollExtent fExtent[2];
    bool fUpdating = false;
};

} // namespace qo
