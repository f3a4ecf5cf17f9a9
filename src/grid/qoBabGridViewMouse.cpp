// The grid view's mouse: focus and selection on a press (deferred on a cell
// already selected), check boxes, sort clicks on headers, cell buttons,
// column and row resizing with an inverted tracking line, auto-size on a
// double click, the delayed edit start and drag starts.
#include "grid/qoBabGridView.h"

#include "platform/graphics/qoDCSaver.h"
#include "platform/window/qoInputRouter.h"

#include <algorithm>
#include <cstdlib>

namespace qo {

namespace {
constexpr int ResizeReach = 2;
constexpr int SortZoneInset = 2;
constexpr int SlowStartTolerance = 3;
constexpr int TrackLineWidth = 2;
// Below this an auto-size found nothing to measure.
constexpr int MinAutoSize = 5;
} // namespace

bool TBabGridView_Custom::InResizeZone(int x, int y, bool& columns, TBabCell*& cell) {
    TBabCell* first = MainGrid()->CellFromPix(x - ResizeReach, y - ResizeReach, true);
    TBabCell* second = MainGrid()->CellFromPix(x + ResizeReach, y + ResizeReach, true);
    if (!first || !first->IsFixed()) return false;
    if (second && (second == first || !second->IsFixed())) return false;
    columns = !second || first->ColumnIndex() != second->ColumnIndex();
    cell = first;
    return true;
}

bool TBabGridView_Custom::InSortZone(TBabCell* cell, int x, int y) {
    if (!cell || cell->getGridCell() != MainGrid() || cell->RowIndex() >= MainGrid()->FixedRows()) return false;
    return cell->getVisibleRect().Inflate(-SortZoneInset, -SortZoneInset).Contains({x, y}) && CheckSortAllow(cell);
}

bool TBabGridView_Custom::InButtonZone(TBabCell* cell, int x, int y) {
    if (!cell) return false;
    if (cell->CellType() == babCellTypeGrid)
        return InButtonZone(static_cast<TBabGridCell*>(cell)->FocusedCell(), x, y);
    if (!CellHasButton(cell)) return false;
    const TRect area = GetButtonDrawRect(cell);
    return TRect(area.Left + 2, area.Top + 4, area.Left + 11, area.Top + 13).Contains({x, y});
}

void TBabGridView_Custom::ToggleSort(TBabCell* header) {
    fCurrentSortUpNotDown = header == fCurrentSortCol && !fCurrentSortUpNotDown;
    fCurrentSortCol = header;
    DoSortCell(header, fCurrentSortUpNotDown);
    Invalidate();
}

void TBabGridView_Custom::SelectOnPress(TMouseButton button, TShiftState shift, TBabCell* cell, int x, int y) {
    TBabGridCellForViewer* root = MainGrid();
    if (button == mbRight) {
        TBabCell* focused = root->FocusedCellDownTrack();
        if ((shift & (ssShift | ssCtrl | ssAlt | ssLeft | ssMiddle)) == 0 && focused && !focused->Selected())
            root->UpdateMultiSelect(focused, shift);
        return;
    }
    if (button != mbLeft) return;
    const TRect text = DivideTheRectIntoSections(OffscreenCanvas(), cell, cell->getVisibleRect().Inflate(-1, -1), false);
    if (IsCheckBoxCell(cell) && TRect::Bounds(text.Left + 1, text.Top + 3, 13, 13).Contains({x, y})) {
        root->UpdateMultiSelect(cell, 0);
        fToggleCheckBoxAndEndEdit = true;
        StartEditing();
    } else if (cell->Selected()) {
        fMouseUp_Selection = true;
        fMouseUp_Selection_Cell = cell;
        fMouseUp_Selection_Shift = shift;
    } else {
        root->UpdateMultiSelect(cell, shift);
    }
}

void TBabGridView_Custom::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    bool columns = false;
    TBabCell* zoneCell = nullptr;
    fLatestKnownMousePos = {x, y};
    if (IsDesigning()) {
        if (button == mbLeft && InResizeZone(x, y, columns, zoneCell)) {
            fMouseMoveMode = columns ? TMMode::mmResizeCols : TMMode::mmResizeRows;
            fMouseDownCell = zoneCell;
            fMouseDownPoint = {x, y};
        }
        return;
    }
    TqoOffscreenPaint::MouseDown(button, shift, x, y);
    const bool twice = shift & ssDouble;
    if (!fEditing && !twice && CanFocus()) SetFocus();
    if (button == mbLeft) SlowStart(x, y);
    if (button == mbRight) StopEditing();
    TBabCell* cell = MainGrid()->CellFromPix(x, y, true);
    if (button == mbRight) {
        OnRightClick.Fire(this, cell);
        cell = MainGrid()->CellFromPix(x, y, true);
    }
    if (cell && !cell->IsFixed()) MainGrid()->SetFocusedCell(cell);
    if (!fEditing && cell && !cell->IsFixed()) SelectOnPress(button, shift, cell, x, y);
    fMouseDownPoint = {x, y};
    fMouseMoveMode = TMMode::mmNone;
    if (InResizeZone(x, y, columns, zoneCell)) {
        if (twice) HandleAutoSize(zoneCell);
        fMouseMoveMode = columns ? TMMode::mmResizeCols : TMMode::mmResizeRows;
        fMouseDownCell = zoneCell;
        return;
    }
    PressOnControls(button, shift, x, y, cell);
}

// Sort zone, cell button, editing on a double click, the start of a drag.
void TBabGridView_Custom::PressOnControls(TMouseButton button, TShiftState shift, int x, int y, TBabCell* cell) {
    if (fEditing) return;
    if (button == mbLeft && InSortZone(cell, x, y)) {
        ToggleSort(cell);
        return;
    }
    TBabCell* focused = MainGrid()->FocusedCell();
    const bool onButton = InButtonZone(focused, x, y);
    if (onButton) DoButtonAction(focused);
    if (button != mbLeft || !cell || cell->IsFixed()) return;
    if (shift & ssDouble) {
        if (!onButton) StartEditing();
        return;
    }
    if (fDragModeOverride == dmAutomatic) BeginDrag(Mouse().DragImmediate, Mouse().DragThreshold);
}

void TBabGridView_Custom::MouseMove(TShiftState shift, int x, int y) {
    fLatestKnownMousePos = {x, y};
    TqoOffscreenPaint::MouseMove(shift, x, y);
    if (fMouseMoveMode != TMMode::mmNone) {
        DrawTrackLine(x, y);
        return;
    }
    bool columns = false;
    TBabCell* zoneCell = nullptr;
    if (!fEditing && InResizeZone(x, y, columns, zoneCell))
        SetGridCursor(columns ? crHSplit : crVSplit);
    else
        SetGridCursor(fCursorGrid);
}

// Only this line is drawn straight on the screen; drawing it twice removes it.
void TBabGridView_Custom::DrawTrackLine(int x, int y) {
    TCanvas& canvas = DirectCanvas();
    TqoDCSaver saver(canvas);
    canvas.Pen().Mode = TPenMode::pmNot;
    canvas.Pen().Style = TPenStyle::psDot;
    canvas.Pen().Width = TrackLineWidth;
    auto draw = [&canvas](const TRect& line) {
        canvas.MoveTo(line.Left, line.Top);
        canvas.LineTo(line.Right, line.Bottom);
    };
    if (fOldTrack.Left != -1 || fOldTrack.Top != -1) draw(fOldTrack);
    fOldTrack = fMouseMoveMode == TMMode::mmResizeCols ? TRect(x, 0, x, Height()) : TRect(0, y, Width(), y);
    draw(fOldTrack);
}

void TBabGridView_Custom::FinishResize(int x, int y) {
    fOldTrack = TRect(-1, -1, -1, -1);
    TBabCell* cell = fMouseDownCell;
    fMouseDownCell = nullptr;
    if (!cell) return;
    const bool columns = fMouseMoveMode == TMMode::mmResizeCols;
    TAxisContentItem* item = columns ? cell->AxisContentItemX() : cell->AxisContentItemY();
    const int distance = columns ? x - fMouseDownPoint.X : y - fMouseDownPoint.Y;
    item->SetUserSizeActive(true);
    item->SetUserSize(item->CalculatedSize() + distance);
    OnAfterUserSize.Fire(this, cell, columns, item);
    SetHardViewParamsOutOfDate();
}

void TBabGridView_Custom::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    fLatestKnownMousePos = {x, y};
    TqoOffscreenPaint::MouseUp(button, shift, x, y);
    if (fMouseMoveMode != TMMode::mmNone) FinishResize(x, y);
    fMouseMoveMode = TMMode::mmNone;
    if (!Dragging()) ApplyDeferredSelection(shift);
}

void TBabGridView_Custom::ApplyDeferredSelection(TShiftState shift) {
    TBabCell* cell = fMouseUp_Selection ? fMouseUp_Selection_Cell : nullptr;
    fMouseUp_Selection = false;
    fMouseUp_Selection_Cell = nullptr;
    if (cell) MainGrid()->UpdateMultiSelect(cell, shift);
}

void TBabGridView_Custom::DoEndDrag(TComponent* target, int x, int y) {
    TqoOffscreenPaint::DoEndDrag(target, x, y);
    // A drag that ends on the pressed cell was a click after all.
    if (fMouseUp_Selection_Cell && fMouseUp_Selection_Cell->getVisibleRect().Contains({x, y}))
        ApplyDeferredSelection(fMouseUp_Selection_Shift);
    fMouseUp_Selection = false;
    fMouseUp_Selection_Cell = nullptr;
}

void TBabGridView_Custom::SlowStart(int x, int y) {
    if (!fAutoEditMode || fSlowStartTimer->Enabled()) return;
    fSlowStartPoint = {x, y};
    fSlowStartTimer->SetInterval(SlowStartDelay);
    fSlowStartTimer->SetEnabled(true);
}

void TBabGridView_Custom::SlowStartFired(TComponent*) {
    fSlowStartTimer->SetEnabled(false);
    if (std::abs(fLatestKnownMousePos.X - fSlowStartPoint.X) <= SlowStartTolerance &&
        std::abs(fLatestKnownMousePos.Y - fSlowStartPoint.Y) <= SlowStartTolerance)
        StartEditing();
}

// Indentation, button, icon and the two insets around the text, then the text.
int TBabGridView_Custom::MeasureCellWidth(TBabCell* cell) {
    TCanvas& canvas = OffscreenCanvas();
    TqoDCSaver saver(canvas);
    fLastSeenLayoutProp = nullptr;
    const TRenderAttributes attributes = SetRenderAttributes(canvas, cell, 0);
    fLastSeenLayoutProp = nullptr;
    const TRect whole = cell->getVisibleRect();
    TRect decorations(0, 0, whole.Width(), whole.Height());
    OnCellRectTampering(MainGrid(), cell, decorations);
    const TRect text = DivideTheRectIntoSections(canvas, cell, decorations.Inflate(-1, -1), false);
    const int used = text.Left + (decorations.Right - text.Right);
    return used + canvas.TextWidth(attributes.Text) + 2;
}

void TBabGridView_Custom::HandleAutoSize(TBabCell* cell) {
    TBabGridCell* grid = cell->getGridCell();
    TAxisContentItem* column = cell->AxisContentItemX();
    const int x = cell->ColumnIndex();
    int widest = 0;
    for (TAxisContentItem* row : grid->AxisContentListY()->VisibleItems()) {
        TBabCell* other = grid->getCell(x, row->ListIndex());
        const TLayoutProp* layout = other ? other->LayoutProp() : nullptr;
        if (!layout || layout->WrapTextAndFit || IsCheckBoxCell(other)) continue;
        widest = std::max(widest, MeasureCellWidth(other));
    }
    if (widest < MinAutoSize) widest = column->CalculatedSize();
    column->SetUserSizeActive(true);
    column->SetUserSize(widest);
    OnAfterUserSize.Fire(this, cell, true, column);
    SetHardViewParamsOutOfDate();
    // At once, so that the release of this double click resizes from the new width.
    Repaint();
}

} // namespace qo
