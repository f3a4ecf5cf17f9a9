// Sizing, drawing traversal and hit testing of a grid. Only what lies on
// screen is measured and walked.
#include "grid/qoBabGridContentGrid.h"

#include "grid/qoBabGridContentViewer.h"

#include <algorithm>

namespace qo {

void TBabGridCell::CalcVisibleArea(const TRect& rect) {
    TAxisContentList* columns = fAxisContentListX.get();
    columns->ClearVisibles();
    fAxisContentListY->ClearVisibles();
    const unsigned generation = ++fAxisContentListY->fSizeGeneration;
    int lastColumn = -1, lastRow = -1, sum = 0;
    for (TVisibleIterator it(FixedCols(), fLeft, columns->Count()); !it.Eof(); it.Next()) {
        TAxisContentItem* column = columns->Items(it.Index());
        if (!column) continue;
        lastColumn = it.Index();
        column->fCalculatedSize = column->fAcumSize = 0;
        if (column->fHide) continue;
        sum += MeasureColumn(column, it.Index(), rect, generation, lastRow);
        if (sum > rect.Width()) break;
    }
    fDrawRect = rect;
    PlaceColumns(lastColumn);
    PlaceRows(lastRow);
    columns->Purge();
    fAxisContentListY->Purge();
}

int TBabGridCell::MeasureColumn(TAxisContentItem* column, int x, const TRect& rect, unsigned generation,
                                int& lastRow) {
    TAxisContentList* rows = fAxisContentListY.get();
    int sum = 0;
    for (TVisibleIterator it(FixedRows(), fTop, rows->Count()); !it.Eof(); it.Next()) {
        TAxisContentItem* row = rows->Items(it.Index());
        if (!row) continue;
        lastRow = std::max(lastRow, it.Index());
        if (row->fSizeGeneration != generation) {
            row->fSizeGeneration = generation;
            row->fCalculatedSize = row->fAcumSize = 0;
        }
        if (row->fHide) continue;
        if (TBabCell* cell = getCell(x, it.Index())) MeasureCell(cell, column, row, rect);
        sum += row->fCalculatedSize;
        if (sum > rect.Height()) break;
    }
    return column->fCalculatedSize;
}

void TBabGridCell::MeasureCell(TBabCell* cell, TAxisContentItem* column, TAxisContentItem* row,
                               const TRect& rect) {
    if (cell->CellType() == babCellTypeGrid)
        static_cast<TBabGridCell*>(cell)->CalcVisibleArea(rect);
    else
        cell->CalculateSizes();
    const int height =
        row->UserSizeActive() ? std::max(row->UserSize(), cell->MinHeight()) : cell->CalculatedHeight();
    row->fCalculatedSize = std::max(row->fCalculatedSize, height);
    const int width =
        column->UserSizeActive() ? std::max(column->UserSize(), cell->MinWidth()) : cell->CalculatedWidth();
    column->fCalculatedSize = std::max(column->fCalculatedSize, width);
}

// The overflowing column still counts as visible.
void TBabGridCell::PlaceColumns(int lastColumn) {
    TAxisContentList* columns = fAxisContentListX.get();
    fVisibleColCount = 0;
    fLastColumnShow = true;
    fBrokenColumn = 0;
    int sum = 0;
    for (TVisibleIterator it(FixedCols(), fLeft, std::min(columns->Count(), lastColumn + 1)); !it.Eof();
         it.Next()) {
        TAxisContentItem* column = columns->Items(it.Index());
        if (!column || column->fHide) continue;
        ++fVisibleColCount;
        column->fAcumSize = sum;
        columns->AddToVisible(column);
        sum += column->fCalculatedSize;
        if (sum > fDrawRect.Width()) {
            fLastColumnShow = false;
            fBrokenColumn = it.Index();
            break;
        }
    }
}

// The overflowing row is placed but not counted.
void TBabGridCell::PlaceRows(int lastRow) {
    TAxisContentList* rows = fAxisContentListY.get();
    fVisibleRowCount = 0;
    fLastRowShow = true;
    int sum = 0;
    for (TVisibleIterator it(FixedRows(), fTop, std::min(rows->Count(), lastRow + 1)); !it.Eof(); it.Next()) {
        TAxisContentItem* row = rows->Items(it.Index());
        if (!row || row->fHide) continue;
        row->fAcumSize = sum;
        rows->AddToVisible(row);
        sum += row->fCalculatedSize;
        if (sum > fDrawRect.Height()) {
            fLastRowShow = false;
            break;
        }
        ++fVisibleRowCount;
    }
}

void TBabGridCell::Draw(const TRect& rect, const TDrawCellCallback& callback) {
    if (!callback) return;
    fDrawRect = rect;
    // Copied: a callback may change what is on screen.
    const std::vector<TAxisContentItem*> columns = fAxisContentListX->VisibleItems();
    const std::vector<TAxisContentItem*> rows = fAxisContentListY->VisibleItems();
    for (TAxisContentItem* column : columns) DrawColumn(column, rows, rect, callback);
}

namespace {

bool Inside(int v, int low, int high) {
    return v >= low && v < high;
}

} // namespace

void TBabGridCell::DrawColumn(TAxisContentItem* column, const std::vector<TAxisContentItem*>& rows,
                              const TRect& rect, const TDrawCellCallback& callback) {
    TBabGridCellForViewer* root = GetViewerGridCell();
    const int x = column->ListIndex();
    TBabCell* previous = nullptr;
    TRect previousRect;
    TBabDrawState previousState = 0;
    for (TAxisContentItem* row : rows) {
        TBabCell* cell = getCell(x, row->ListIndex());
        if (!cell) {
            previous = nullptr;
            continue;
        }
        TRect r = TRect::Bounds(rect.Left + column->fAcumSize, rect.Top + row->fAcumSize,
                                column->fCalculatedSize, row->fCalculatedSize);
        if (root) root->OnScaleRect.Fire(r);
        cell->fIsGroupedCell = cell->fIsMasterGroupCell = false;
        if (!Inside(r.Top, rect.Top, rect.Bottom) || !Inside(r.Left, rect.Left, rect.Right) || r.IsEmpty()) {
            cell->fLastDrawnRect = TRect(-1, -1, -1, -1);
            previous = nullptr;
            continue;
        }
        r.Bottom = std::min(r.Bottom, rect.Bottom);
        r.Right = std::min(r.Right, rect.Right);
        TBabDrawState state = 0;
        if (previous && root && root->OnCheckCellGrouping && root->OnCheckCellGrouping(previous, cell)) {
            previous->fIsMasterGroupCell = false;
            cell->fIsMasterGroupCell = true;
            previous->fIsGroupedCell = cell->fIsGroupedCell = true;
            r.Top = previousRect.Top;
            state = previousState;
        }
        state |= StateOf(cell);
        cell->fLastDrawnRect = r;
        callback(cell->getVisibleRect(), cell, state);
        if (cell->CellType() == babCellTypeGrid) static_cast<TBabGridCell*>(cell)->Draw(r, callback);
        previous = cell;
        previousRect = r;
        previousState = state;
    }
}

TBabDrawState TBabGridCell::StateOf(TBabCell* cell) const {
    TBabDrawState state = 0;
    if (cell->IsFixed()) state |= babFixed;
    if (cell == fFocusedCell) state |= babFocused;
    if (cell->Selected()) state |= babSelected;
    return state;
}

namespace {

// The first placed item whose range [start, start + size] holds the pixel; -1 when none.
int IndexAtPixel(const std::vector<TAxisContentItem*>& items, int origin, int pixel) {
    auto it = std::partition_point(items.begin(), items.end(), [&](const TAxisContentItem* item) {
        return origin + item->AcumSize() + item->CalculatedSize() < pixel;
    });
    if (it == items.end() || origin + (*it)->AcumSize() > pixel) return -1;
    return (*it)->ListIndex();
}

} // namespace

TPoint TBabGridCell::GridCoordsFromPix(int X, int Y) const {
    return {IndexAtPixel(fAxisContentListX->VisibleItems(), fDrawRect.Left, X),
            IndexAtPixel(fAxisContentListY->VisibleItems(), fDrawRect.Top, Y)};
}

TBabCell* TBabGridCell::CellFromPix(int X, int Y, bool recurse) {
    const TPoint at = GridCoordsFromPix(X, Y);
    if (at.X < 0 || at.Y < 0 || at.X >= fAxisContentListX->Count() || at.Y >= fAxisContentListY->Count())
        return nullptr;
    TBabCell* cell = getCell(at.X, at.Y);
    if (!cell) return nullptr;
    cell = cell->GetGroupMaster();
    if (recurse && cell->CellType() == babCellTypeGrid)
        if (TBabCell* inner = static_cast<TBabGridCell*>(cell)->CellFromPix(X, Y, true))
            return inner->GetGroupMaster();
    return cell;
}

} // namespace qo
