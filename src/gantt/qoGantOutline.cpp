// The outlines of a drag, drawn straight on the chart area's window with an
// inverting dotted pen: drawing the same outline again gives the pixels back,
// so the chart is not repainted while the pointer moves. The hint hears the
// snapped times of the outline once it shows.
#include "gantt/qoGant.h"

#include "platform/graphics/qoDCSaver.h"

namespace qo {

namespace {

void InvertingPen(TCanvas& canvas) {
    canvas.Pen().Mode = TPenMode::pmNot;
    canvas.Pen().Style = TPenStyle::psDot;
    canvas.Pen().Width = 1;
    canvas.Pen().Color = clBlack;
}

} // namespace

void TGantInteraction::DrawOutline(TCanvas& c, const TRect& r) {
    TqoDCSaver saver(c);
    InvertingPen(c);
    c.MoveTo(r.Left, r.Top);
    c.LineTo(r.Left, r.Bottom);
    c.LineTo(r.Right, r.Bottom);
    c.LineTo(r.Right, r.Top);
    c.LineTo(r.Left, r.Top);
}

// Items that did not show when the move began have no outline.
void TGantInteraction::DrawOutlineOfSelected(TCanvas& c, TPoint offset) {
    for (const TDrawRect& entry : fSnapShot)
        if (!entry.Rect.IsEmpty()) DrawOutline(c, entry.Rect.Offset(offset.X, offset.Y));
}

void TGantInteraction::DrawOutlineOfDependencyArrow(TCanvas& c, TPoint offset) {
    TqoGant_ComBasic& g = fGant;
    TqoDCSaver saver(c);
    InvertingPen(c);
    const TLinkStyle style = g.fDefaultLinkStyle == tlsUserDraw ? tlsMSProject : g.fDefaultLinkStyle;
    g.DrawLink(fMouseDownStart, fMouseDownStart + offset, c, style, clBlack, 1, nullptr);
}

void TGantInteraction::ToggleOutline(TCanvas& c) {
    if (fMode == mmDependency)
        DrawOutlineOfDependencyArrow(c, fMouseDownOffset);
    else if (fMode == mmGrowLeft || fMode == mmGrowRight)
        DrawOutline(c, fRect);
    else if (fMode == mmMove || fMode == mmCopy)
        DrawOutlineOfSelected(c, fMouseDownOffset);
}

void TGantInteraction::EraseOutline() {
    if (!fEraseOutline) return;
    ToggleOutline(fGant.fGA->DirectCanvas());
    fEraseOutline = false;
}

void TGantInteraction::ShowOutline() {
    ToggleOutline(fGant.fGA->DirectCanvas());
    fEraseOutline = true;
}

// A repaint under a drag (a scroll, a host's change) would wipe the outline:
// it goes into the new picture, and inverting it on the window later still
// gives back what lies under it.
void TGantInteraction::Painted() {
    if (fEraseOutline) ToggleOutline(fGant.fGA->OffscreenCanvas());
}

// The times the outline stands for, snapped as the drop will snap them.
void TGantInteraction::HintOutline(const TRect& r) {
    TqoGant_ComBasic& g = fGant;
    if (!g.OnHintInfo) return;
    TDateTime start = g.fDateScaler->PixelToDate(r.Left), stop = g.fDateScaler->PixelToDate(r.Right);
    g.fSnap->SetCurrentScreenResolution(g.fDateScaler->PixelLenToDate(1));
    g.fSnap->Snap(start, stop);
    g.OnHintInfo(nullptr, start, stop, stop - start);
}

// A coordinate the row forbids keeps its last value.
void TGantInteraction::HandleLocalDrag(int x, int y, bool canMove, bool canChangeRow) {
    EraseOutline();
    if (canMove) fMouseDownOffset.X = x - fMouseDownStart.X;
    if (canChangeRow) fMouseDownOffset.Y = y - fMouseDownStart.Y;
    ShowOutline();
    if (!fSnapShot.empty()) HintOutline(fSnapShot.front().Rect.Offset(fMouseDownOffset.X, fMouseDownOffset.Y));
}

void TGantInteraction::HandleLocalGrow(int x, int y) {
    EraseOutline();
    fMouseDownOffset = {x - fMouseDownStart.X, y - fMouseDownStart.Y};
    if (fMode == mmGrowLeft)
        fRect.Left = fOrgRect.Left + fMouseDownOffset.X;
    else
        fRect.Right = fOrgRect.Right + fMouseDownOffset.X;
    ShowOutline();
    HintOutline(fRect);
}

void TGantInteraction::HandleLocalDependency(int x, int y) {
    EraseOutline();
    fMouseDownOffset = {x - fMouseDownStart.X, y - fMouseDownStart.Y};
    ShowOutline();
}

} // namespace qo
