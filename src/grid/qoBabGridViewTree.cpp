// Tree buttons and lines inside the grid view, the indentation of cells that
// have a button, the measured height of wrapping cells and the print scale of
// cell rectangles.
#include "grid/qoBabGridView.h"

#include "platform/core/qoRounding.h"
#include "platform/graphics/qoDCSaver.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>

namespace qo {

namespace {
constexpr int TreeLineGap = 8;
constexpr int TreeLineStub = 10;
} // namespace

bool TBabGridView_Custom::CellHasButton(TBabCell* cell) { return OnCellHasButton && OnCellHasButton(this, cell); }
bool TBabGridView_Custom::IsButtonExpanded(TBabCell* cell) {
    return OnIsButtonExpanded && OnIsButtonExpanded(this, cell);
}
bool TBabGridView_Custom::IsButtonTerminal(TBabCell* cell) {
    return OnIsButtonTerminal ? OnIsButtonTerminal(this, cell) : true;
}
TBabCell* TBabGridView_Custom::GetParentButtonCell(TBabCell* cell) {
    return OnGetParentButtonCell ? OnGetParentButtonCell(this, cell) : nullptr;
}
bool TBabGridView_Custom::ButtonHasNonHiddenChildren(TBabCell* cell) {
    return OnButtonHasNonHiddenChildren ? OnButtonHasNonHiddenChildren(this, cell) : true;
}
int TBabGridView_Custom::CellInset(TBabCell* cell) { return OnCellInset ? OnCellInset(this, cell) : 0; }

void TBabGridView_Custom::DoButtonAction(TBabCell* cell) {
    if (!cell) return;
    if (cell->CellType() == babCellTypeGrid) {
        DoButtonAction(static_cast<TBabGridCell*>(cell)->FocusedCell());
        return;
    }
    OnButtonClick.Fire(this, cell);
    Invalidate();
}

void TBabGridView_Custom::OnCellRectTampering(TBabGridCellForViewer*, TBabCell* cell, TRect& rect) {
    if (cell->CellType() != babCellTypeSimple || !CellHasButton(cell)) return;
    const int indent = Round(ButtonWidth * CellInset(cell) * Scalex());
    rect.Left = std::min(rect.Left + std::max(indent, 0), rect.Right);
}

void TBabGridView_Custom::OnScaleRect(TRect& rect) {
    if (!IsPrinting()) return;
    rect = TRect(Round(rect.Left * PrintScalex()), Round(rect.Top * PrintScaley()), Round(rect.Right * PrintScalex()),
                 Round(rect.Bottom * PrintScaley()));
}

TRect TBabGridView_Custom::GetButtonDrawRect(TBabCell* cell) {
    const TRect r = cell->getVisibleRect();
    return TRect(r.Left, r.Top, std::min(r.Left + ButtonWidth, r.Right), r.Bottom);
}

TPoint TBabGridView_Custom::GetMiddleOfButton(TBabCell* cell) {
    const TRect area = GetButtonDrawRect(cell);
    return {(2 * area.Left + 13) / 2, (2 * area.Top + 17) / 2};
}

TRect TBabGridView_Custom::GetEditRect(TBabCell* cell) {
    TRect r = cell->getVisibleRect();
    if (CellHasButton(cell)) r.Left = std::min(r.Left + ButtonWidth, r.Right);
    return r;
}

void TBabGridView_Custom::DrawButtonsAndLines(TCanvas& canvas) {
    TqoDCSaver saver(canvas);
    canvas.Pen().Width = 1;
    canvas.Pen().Style = TPenStyle::psSolid;
    canvas.Pen().Mode = TPenMode::pmCopy;
    canvas.Pen().Color = TreeLineColor;
    if (fShowLinesTree)
        for (TBabCell* cell : fCellsThatNeedButtonsAndLines) DrawTreeLine(canvas, cell);
    canvas.Pen().Color = clBlack;
    for (TBabCell* cell : fCellsThatNeedButtonsAndLines) RenderButton(canvas, cell);
}

void TBabGridView_Custom::DrawTreeLine(TCanvas& canvas, TBabCell* cell) {
    TBabCell* parent = GetParentButtonCell(cell);
    const bool parentDrawn =
        parent && std::find(fCellsThatNeedButtonsAndLines.begin(), fCellsThatNeedButtonsAndLines.end(), parent) !=
                      fCellsThatNeedButtonsAndLines.end();
    TBabGridCell* grid = cell->getGridCell();
    TPoint start;
    if (parentDrawn) {
        start = GetMiddleOfButton(parent);
    } else if (TBabCell* header = grid->FixedRows() > 0 ? grid->getCell(0, grid->FixedRows() - 1) : nullptr) {
        start = GetMiddleOfButton(header);
    } else {
        start = {cell->VisibleRect_Untampered().Left + (GetMiddleOfButton(cell).X - GetButtonDrawRect(cell).Left),
                 grid->DrawRect().Top};
    }
    const TPoint middle = GetMiddleOfButton(cell);
    canvas.MoveTo(start.X, start.Y + TreeLineGap);
    canvas.LineTo(start.X, middle.Y);
    canvas.LineTo(start.X + TreeLineStub, middle.Y);
}

void TBabGridView_Custom::RenderButton(TCanvas& canvas, TBabCell* cell) {
    const TRect area = GetButtonDrawRect(cell);
    if (OnRenderButton) {
        OnRenderButton(this, canvas, cell, area);
        return;
    }
    if (IsButtonTerminal(cell) || !ButtonHasNonHiddenChildren(cell)) return;
    const TRect box(area.Left + 2, area.Top + 4, area.Left + 11, area.Top + 13);
    qoWidgetPaint::TreeButton(canvas, box, IsButtonExpanded(cell));
}

void TBabGridView_Custom::OnMeasureHeight(TBabGridCellForViewer*, TBabCell* cell, int& height) {
    TLayoutProp* layout = cell->LayoutProp();
    if (IsDestroying() || !layout || !layout->WrapTextAndFit) return;
    TCanvas& canvas = OffscreenCanvas();
    TqoDCSaver saver(canvas);
    fLastSeenLayoutProp = nullptr;
    const TRenderAttributes attributes = SetRenderAttributes(canvas, cell, 0);
    TRect rect(0, 0, GetWidthOffAxisContentItemForHeightCalculation(cell->AxisContentItemX()),
               cell->AxisContentItemY()->CalculatedSize());
    OnCellRectTampering(MainGrid(), cell, rect);
    rect = DivideTheRectIntoSections(canvas, cell, rect.Inflate(-1, -1), false);
    canvas.DrawTextW(attributes.Text, rect, GetFlags(layout) | DT_CALCRECT);
    fLastSeenLayoutProp = nullptr;
    const int measured = Round((rect.Height() + 3) / Scaley());
    height = std::max(measured, layout->MinHeight);
}

} // namespace qo
