// Moving from a cell to its neighbour, into sub-grids and out of them,
// over hidden columns and rows and through grouped cells.
#include "grid/qoBabGridContentGrid.h"

#include <algorithm>

namespace qo {

TBabCell* TBabGridCell::FindNeighbourCell(TBabCell* cell, TBabDirection direction, bool recurse) {
    if (!cell) return nullptr;
    if (recurse && cell->CellType() == babCellTypeGrid) {
        auto* sub = static_cast<TBabGridCell*>(cell);
        if (sub->fFocusedCell || direction == babdirInwards) {
            if (!sub->fFocusedCell) sub->SetFocusedCell(sub->getCell(sub->FixedCols(), sub->FixedRows()));
            if (sub->fFocusedCell) return sub->FindNeighbourCell(sub->fFocusedCell, direction, recurse);
        }
    }
    TBabGridCell* grid = cell->getGridCell();
    if (!grid) return cell;
    TBabCell* result = grid->StepCell(cell, direction);
    // No move possible inside a sub-grid: the move leaves it.
    TBabGridCell* parent = grid->getGridCell();
    if (result == cell && parent && parent->fFocusedCell && direction != babdirInwards)
        return parent->FindNeighbourCell(parent->fFocusedCell, direction, false);
    return result;
}

TPoint TBabGridCell::Stepped(TPoint from, TBabDirection direction) const {
    const int fixedCols = FixedCols(), fixedRows = FixedRows();
    const int lastCol = fAxisContentListX->Count() - 1, lastRow = fAxisContentListY->Count() - 1;
    int x = from.X, y = from.Y;
    switch (direction) {
    case babdirLeft:
        x = std::max(x - 1, fixedCols);
        break;
    case babdirRight:
        x = std::min(x + 1, lastCol);
        break;
    case babdirUp:
        y = std::max(y - 1, fixedRows);
        break;
    case babdirDown:
        y = std::min(y + 1, lastRow);
        break;
    case babdirPageUp:
        y = std::max(y + fixedRows - fVisibleRowCount, fixedRows);
        break;
    case babdirPageDown:
        y = std::min(y + fVisibleRowCount - fixedRows, lastRow);
        break;
    case babdirHomeRow:
        y = fixedRows;
        break;
    case babdirEndRow:
        y = std::max(fixedRows, lastRow);
        break;
    case babdirHomeCell:
        x = fixedCols;
        break;
    case babdirEndCell:
        x = std::max(fixedCols, lastCol);
        break;
    case babdirNone:
    case babdirInwards:
        break;
    }
    return {x, y};
}

bool TBabGridCell::OnHiddenLine(TBabCell* cell) const {
    return cell->AxisContentItemX()->Hide() || cell->AxisContentItemY()->Hide();
}

TBabCell* TBabGridCell::StepCell(TBabCell* start, TBabDirection direction) {
    TBabCell* current = start;
    bool crossedHidden = false;
    for (;;) {
        const TPoint from(current->ColumnIndex(), current->RowIndex());
        TPoint to = Stepped(from, direction);
        TBabCell* found = getCell(to.X, to.Y);
        // Its items may have been loading: once more from the same place.
        if (!found) {
            to = Stepped({current->ColumnIndex(), current->RowIndex()}, direction);
            found = getCell(to.X, to.Y);
        }
        if (!found) found = current;
        if (found->IsGroupedCell() && !found->IsMasterGroupCell()) {
            if (found == current) return found->GetGroupMaster();
            current = found;
            continue;
        }
        if (found != current && OnHiddenLine(found)) {
            crossedHidden = true;
            current = found;
            continue;
        }
        return crossedHidden && OnHiddenLine(found) ? NearestShownRow(found, start) : found;
    }
}

TBabCell* TBabGridCell::NearestShownRow(TBabCell* found, TBabCell* start) {
    const int x = found->ColumnIndex();
    const int startRow = start->RowIndex();
    const int step = startRow > found->RowIndex() ? 1 : -1;
    for (int y = found->RowIndex();; y += step) {
        TBabCell* cell = getCell(x, y);
        if (cell && !OnHiddenLine(cell)) return cell;
        if (y == startRow) break;
    }
    return start;
}

} // namespace qo
