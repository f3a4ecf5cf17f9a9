// The stretched last column (a user size that stands for the rest of the
// view's width), the horizontal scroll bar it does not need, and the resize
// events of columns and rows.
#include "grid/qoGrid.h"

#include "data/qoDoLater.h"

namespace qo {

namespace {
bool IsStretched(const TAxisContentItem* item) {
    return item->UserSizeActive() && item->UserSize() == TqoGrid::StretchMarker;
}
} // namespace

void TqoGrid::SetExtendLastColumnToWidth(bool v) {
    if (v == fExtendLastColumnToWidth) return;
    fExtendLastColumnToWidth = v;
    // Switched off, the last column gets its designed width back.
    if (!v) fNeedEnsureFixed = true;
    SetHardViewParamsOutOfDate();
}

void TqoGrid::RequestStretch() {
    if (!fDestroying) TDoLater::DoLater(DoLaterMethod<&TqoGrid::DoExtendLastColumnToWidth>(this), nullptr);
}

void TqoGrid::CancelDeferred() {
    TDoLater::NeverMind(DoLaterMethod<&TqoGrid::DoExtendLastColumnToWidth>(this));
    TDoLater::NeverMind(DoLaterMethod<&TqoGrid::ClearExpandedStateMark>(this));
}

void TqoGrid::TopLeftChanged() {
    TBabGridView_Custom::TopLeftChanged();
    if (MainGrid()->Left() == fLastKnownLeft) return;
    fLastKnownLeft = MainGrid()->Left();
    RequestStretch();
}

void TqoGrid::DoGridResize() {
    TBabGridView_Custom::DoGridResize();
    RequestStretch();
}

void TqoGrid::DoExtendLastColumnToWidth(void*) {
    if (fDestroying || IsPrinting()) return;
    StretchSubGrids();
    if (!fExtendLastColumnToWidth || fqoGrid_Columns->Count() == 0) return;
    EnsureFixed();
    TAxisContentList* axis = MainGrid()->AxisContentListX();
    TAxisContentItem* last = axis->Count() > MainGrid()->FixedCols() ? axis->Items(axis->Count() - 1) : nullptr;
    if (!last || IsStretched(last)) return;
    SetSize(last, StretchMarker);
    SetHardViewParamsOutOfDate();
}

void TqoGrid::StretchSubGrids() {
    for (int i = 0; i < fSubGrids->Count(); ++i) {
        TqoGrid_SubGrid* definition = fSubGrids->SubGrids(i);
        if (!definition->ExtendLastColumnToWidth()) continue;
        for (TBabGridCell* cell : definition->SpawnedGridCells()) {
            TAxisContentList* axis = cell->AxisContentListX();
            if (axis->Count() <= cell->FixedCols()) continue;
            TAxisContentItem* last = axis->Items(axis->Count() - 1);
            if (last && !IsStretched(last)) SetSize(last, StretchMarker);
        }
    }
}

int TqoGrid::ShownWidth(TAxisContentItem* item) {
    if (!IsStretched(item)) return item->UserSizeActive() ? item->UserSize() : item->CalculatedSize();
    TBabGridCell* grid = item->AxisContentList()->BabGridCell();
    int width = grid == MainGrid() ? GetDrawRect().Width() : grid->DrawRect().Width();
    for (TAxisContentItem* other : item->AxisContentList()->VisibleItems())
        if (other != item && !IsStretched(other)) width -= ShownWidth(other);
    return width;
}

int TqoGrid::GetWidthOffAxisContentItemForHeightCalculation(TAxisContentItem* column) {
    return ShownWidth(column);
}

// The last column is the one cut off at the right and would fit with its designed
// width: the stretching, not the content, makes it too wide, so no bar for it.
bool TqoGrid::GetExpandLastColumnIfShort() {
    if (!fExtendLastColumnToWidth || fqoGrid_Columns->Count() == 0) return false;
    TBabGridCellForViewer* root = MainGrid();
    TAxisContentList* axis = root->AxisContentListX();
    const int last = axis->Count() - 1;
    if (last < root->FixedCols() || root->LastColumnShow() || root->BrokenColumn() != last) return false;
    TAxisContentItem* item = axis->Items(last);
    const TqoGrid_Column* column = AxisContentItemToColumn(item);
    return column && column->Width() < root->DrawRect().Width() - item->AcumSize();
}

void TqoGrid::UserSizeChanged(TAxisContentItem* item) {
    if (!item || fInternalSizing > 0 || fDestroying) return;
    TBabGridCellForViewer* root = MainGrid();
    TAxisContentList* axis = item->AxisContentList();
    if (axis == root->AxisContentListX()) {
        // The user's width is kept: a later rebuild of the column items must not undo it.
        if (TqoGrid_Column* column = AxisContentItemToColumn(item); column && !IsStretched(item))
            column->StoreWidth(item->UserSize());
        StretchSubGrids();
        SetHardViewParamsOutOfDate();
        Invalidate();
        OnColumnResized.Fire(this, item->ListIndex() - root->FixedCols());
    } else if (axis == root->AxisContentListY()) {
        OnRowResized.Fire(this, item->ListIndex() - root->FixedRows());
        SetHardViewParamsOutOfDate();
        Invalidate();
    }
}

} // namespace qo
