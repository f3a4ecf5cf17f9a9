// Selection and focus across a grid and its sub-grids.
#include "grid/qoBabGridContentGrid.h"

#include "grid/qoBabGridContentViewer.h"

namespace qo {

void TBabGridCell::SetSelected(bool v) {
    TBabCell::SetSelected(v);
    TAxisContentList* columns = fAxisContentListX.get();
    TAxisContentList* rows = fAxisContentListY.get();
    for (int lx = FixedCols(); lx < columns->LoadedCount(); ++lx)
        for (int ly = FixedRows(); ly < rows->LoadedCount(); ++ly) {
            // Deselecting makes no cells; selecting makes the ones still missing.
            TBabCell* cell = v ? getCell(columns->LoadedToTrue(lx), rows->LoadedToTrue(ly))
                               : fCellMatris->ExistingCell(lx, ly);
            if (cell) cell->SetSelected(v);
        }
}

void TBabGridCell::AreaSelect(bool v, const TRect& area) {
    const TRect r = area.Normalized();
    TAxisContentList* columns = fAxisContentListX.get();
    TAxisContentList* rows = fAxisContentListY.get();
    // Unloaded items have no cells to select.
    for (int lx = 0; lx < columns->LoadedCount(); ++lx) {
        const int x = columns->LoadedToTrue(lx);
        if (x < r.Left || x > r.Right) continue;
        for (int ly = 0; ly < rows->LoadedCount(); ++ly) {
            const int y = rows->LoadedToTrue(ly);
            if (y < r.Top || y > r.Bottom) continue;
            if (TBabCell* cell = getCell(x, y)) cell->SetSelected(v);
        }
    }
}

void TBabGridCell::UpdateMultiSelect(TBabCell* cell, TShiftState shift) {
    if (!cell || cell->IsFixed()) return;
    if (!fMultiSelect) shift = 0;
    const bool withShift = shift & ssShift;
    const bool withCtrl = shift & ssCtrl;
    if (!withShift && !withCtrl) {
        fAnchor = cell;
        SetSelected(false);
        cell->SetSelected(true);
    } else if (withShift) {
        if (!fAnchor) fAnchor = cell;
        TBabGridCell* grid = cell->getGridCell();
        if (grid && fAnchor->getGridCell() == grid) {
            if (!withCtrl) grid->SetSelected(false);
            grid->AreaSelect(true, TRect(fAnchor->ColumnIndex(), fAnchor->RowIndex(), cell->ColumnIndex(),
                                         cell->RowIndex()));
        }
    } else {
        fAnchor = cell;
        cell->SetSelected(!cell->Selected());
    }
}

void TBabGridCell::SetFocusedCell(TBabCell* cell) {
    if (cell && cell->getGridCell() != this) {
        TBabGridCell* sub = cell->getGridCell();
        TBabCell* holder = sub;
        while (holder && holder->getGridCell() != this) holder = holder->getGridCell();
        if (!holder) return; // not a cell of this grid
        sub->SetFocusedCell(cell);
        SetFocusedCell(sub);
        return;
    }
    if (cell && cell->IsFixed()) cell = nullptr;
    if (cell == fFocusedCell) return;
    TBabCell* previous = fFocusedCell;
    fFocusedCell = cell;
    fFocusLost = false; // the announcement below covers a loss not yet reported
    if (previous && previous->CellType() == babCellTypeGrid)
        static_cast<TBabGridCell*>(previous)->SetFocusedCell(nullptr);
    TriggerIfAlive(fFocusedCellChangeEvent.get(), cell);
}

TBabCell* TBabGridCell::FocusedCellDownTrack() const {
    TBabCell* cell = fFocusedCell;
    while (cell && cell->CellType() == babCellTypeGrid) {
        TBabCell* inner = static_cast<TBabGridCell*>(cell)->fFocusedCell;
        if (!inner) break;
        cell = inner;
    }
    return cell;
}

} // namespace qo
