#include "grid/qoBabGridContentCell.h"

#include "grid/qoBabGridContentViewer.h"

#include <algorithm>

namespace qo {

TAxisContentItem* TBabCellData::AxisContentItemX() const {
    return fBabCell ? fBabCell->AxisContentItemX() : nullptr;
}

TAxisContentItem* TBabCellData::AxisContentItemY() const {
    return fBabCell ? fBabCell->AxisContentItemY() : nullptr;
}

TBabCellType TBabCellData::CellType() const {
    return fBabCell ? fBabCell->CellType() : babCellTypeSimple;
}

TBabCell::TBabCell(TBabGridCell* parent)
    : fBabGridCell(parent), fCellChangeEvent(std::make_unique<TEvent>(this)) {}

TBabCell::~TBabCell() {
    // An outer grid may hold this cell as its anchor too.
    for (TBabGridCell* grid = fBabGridCell; grid; grid = grid->getGridCell()) grid->ForgetCell(this);
}

void TBabCell::AdoptData(std::unique_ptr<TBabCellData> data) {
    fBabCellData = std::move(data);
    fBabCellData->fBabCell = this;
}

TBabGridCellForViewer* TBabCell::GetViewerGridCell() const {
    TBabCell* top = const_cast<TBabCell*>(this);
    while (top->fBabGridCell) top = top->fBabGridCell;
    return top->AsViewerRoot();
}

int TBabCell::ColumnIndex() const {
    return fAxisContentItemX ? fAxisContentItemX->ListIndex() : -1;
}

int TBabCell::RowIndex() const {
    return fAxisContentItemY ? fAxisContentItemY->ListIndex() : -1;
}

bool TBabCell::IsFixed() const {
    return fBabGridCell && fBabGridCell->IsFixedCell(ColumnIndex(), RowIndex());
}

void TBabCell::StoreSelected(bool v) {
    if (TBabGridCellForViewer* root = GetViewerGridCell())
        root->OnInternalSelectionChanged.Fire(root, this, v);
    fSelected = v;
}

void TBabCell::SetSelected(bool v) {
    if (fSelected == v) return;
    StoreSelected(v);
    TBabGridCell* grid = fBabGridCell;
    if (grid && grid->RowSelect() && !grid->fInRowSelect) {
        grid->fInRowSelect = true;
        const int y = RowIndex();
        grid->AreaSelect(v, TRect(grid->FixedCols(), y, grid->AxisContentListX()->Count() - 1, y));
        grid->fInRowSelect = false;
    }
    if (TBabGridCellForViewer* root = GetViewerGridCell()) TriggerIfAlive(root->SelectionChangeEvent(), this);
}

TRect TBabCell::getVisibleRect() {
    TRect r = fLastDrawnRect;
    if (TBabGridCellForViewer* root = GetViewerGridCell()) root->OnCellRectTampering.Fire(root, this, r);
    return r;
}

void TBabCell::CalculateSizes() {
    fReEvalSize = true;
    fCurrentHeight = std::max(fCurrentHeight, MinHeight());
    fCurrentWidth = std::max(fCurrentWidth, MinWidth());
}

int TBabCell::MinHeight() {
    int result = fLayoutProp ? fLayoutProp->MinHeight : DefaultCellMinSize;
    TBabGridCellForViewer* root = fLayoutProp && fLayoutProp->WrapTextAndFit ? GetViewerGridCell() : nullptr;
    if (root && root->OnMeasureHeight) {
        fCurrentHeight = fLayoutProp->MinHeight;
        if (fReEvalSize) {
            int height = fLayoutProp->MinHeight;
            root->OnMeasureHeight(root, this, height);
            fCachedMinHeight = height;
        }
        result = fCachedMinHeight;
    }
    fReEvalSize = false;
    return result;
}

void TBabCell::SetMinHeight(int v) {
    if (fLayoutProp) fLayoutProp->MinHeight = v;
}

int TBabCell::MinWidth() const {
    return fLayoutProp ? fLayoutProp->MinWidth : DefaultCellMinSize;
}

void TBabCell::SetMinWidth(int v) {
    if (fLayoutProp) fLayoutProp->MinWidth = v;
}

TBabCell* TBabCell::GetGroupMaster() {
    TBabCell* cell = this;
    while (cell->fIsGroupedCell && !cell->fIsMasterGroupCell && cell->fBabGridCell) {
        TBabGridCell* grid = cell->fBabGridCell;
        const auto& rows = grid->AxisContentListY()->VisibleItems();
        auto it = std::find(rows.begin(), rows.end(), cell->fAxisContentItemY);
        if (it == rows.end() || ++it == rows.end()) break;
        TBabCell* below = grid->getCell(cell->ColumnIndex(), (*it)->ListIndex());
        if (!below) break;
        cell = below;
    }
    return cell;
}

} // namespace qo
