#include "grid/qoGridColumn.h"

#include "grid/qoGrid.h"

namespace qo {

TqoGrid_Column::TqoGrid_Column(TqoGrid_Columns* collection)
    : fCollection(collection), fGrid(collection->Grid()), fSubGrid(collection->SubGrid()) {}

TqoGrid_Column::~TqoGrid_Column() = default;

int TqoGrid_Column::Index() const { return fCollection->IndexOf(this); }

std::string TqoGrid_Column::DisplayName() const {
    return fHeaderText.empty() ? "Column" + std::to_string(Index()) : fHeaderText;
}

void TqoGrid_Column::Assign(const TqoGrid_Column& source) {
    fWidth = source.fWidth;
    fKind = source.fKind;
    fHeaderText = source.fHeaderText;
    fSortEnable = source.fSortEnable;
    fReadOnly = source.fReadOnly;
    fSubGridName = source.fSubGridName;
    fButton = source.fButton;
    fHasIcon = source.fHasIcon;
    OnGetIconIndex = source.OnGetIconIndex;
    fHidden = source.fHidden;
    // A copy that kept only the list above would lose how the column sorts, groups and looks.
    fLayoutName = source.fLayoutName;
    fLayoutPropertyOutOfDate = true;
    fGroupcells = source.fGroupcells;
    fOnGroupcellCompare = source.fOnGroupcellCompare;
    fNumericSort = source.fNumericSort;
    fCheckBoxOnDateTime = source.fCheckBoxOnDateTime;
    OnContextSensitiveSubGrid = source.OnContextSensitiveSubGrid;
    fCollection->SetCellVisibilityOutOfDate(true);
    NeedRebuild();
}

std::vector<TBabGridCell*> TqoGrid_Column::ShowingGrids() const {
    if (fSubGrid) return fSubGrid->SpawnedGridCells();
    return {fGrid->MainGrid()};
}

TAxisContentItem* TqoGrid_Column::ItemIn(TBabGridCell* grid) const {
    TAxisContentList* axis = grid->AxisContentListX();
    for (int i = 0; i < axis->LoadedCount(); ++i)
        if (axis->Loaded(i)->Value() == this) return axis->Loaded(i);
    return nullptr;
}

void TqoGrid_Column::NeedRebuild() {
    if (fGrid->Destroying()) return;
    if (fSubGrid)
        fSubGrid->RebuildSpawned();
    else
        fGrid->NeedEnsureFixed();
}

void TqoGrid_Column::Recompute() { fGrid->SetHardViewParamsOutOfDate(); }
void TqoGrid_Column::Repaint() { fGrid->Invalidate(); }

void TqoGrid_Column::SetIndex(int index) {
    const int old = Index();
    if (index == old) return;
    fGrid->EnsureFixed();
    fCollection->fItems.MoveItem(old, index);
    for (TBabGridCell* grid : ShowingGrids())
        if (TAxisContentItem* item = ItemIn(grid))
            grid->AxisContentListX()->Move(item->ListIndex(), grid->FixedCols() + index);
    Recompute();
}

void TqoGrid_Column::SetKind(TColumnKind kind) {
    if (kind == fKind) return;
    fKind = kind;
    // The column's cells are made anew, of the type the kind asks for.
    for (TBabGridCell* grid : ShowingGrids()) {
        TAxisContentItem* item = ItemIn(grid);
        if (!item) continue;
        const int index = item->ListIndex();
        grid->AxisContentListX()->Drop(index);
        grid->AxisContentListX()->InsertNew(index, this);
    }
    NeedRebuild();
}

void TqoGrid_Column::SetHeaderText(const std::string& text) {
    fHeaderText = text;
    NeedRebuild();
}

void TqoGrid_Column::SetWidth(int width) {
    if (width == fWidth) return;
    fWidth = width;
    NeedRebuild();
}

int TqoGrid_Column::RunTimeWidth() {
    if (fSubGrid) return fWidth;
    TAxisContentItem* item = ItemIn(fGrid->MainGrid());
    if (!item) return fWidth;
    const int shown = fGrid->ShownWidth(item);
    return shown > 1 ? shown : fWidth;
}

void TqoGrid_Column::SetRunTimeWidth(int width) {
    for (TBabGridCell* grid : ShowingGrids())
        if (TAxisContentItem* item = ItemIn(grid)) item->SetUserSize(width);
}

void TqoGrid_Column::SetTreeButton(bool v) {
    fButton = v;
    Repaint();
}

void TqoGrid_Column::SetHasIcon(bool v) {
    fHasIcon = v;
    Repaint();
}

void TqoGrid_Column::SetHidden(bool v) {
    fHidden = v;
    fCollection->SetCellVisibilityOutOfDate(true);
    Recompute();
}

void TqoGrid_Column::SetLayoutName(const std::string& name) {
    fLayoutName = name;
    fLayoutPropertyOutOfDate = true;
    fGrid->CellLayoutsChanged(nullptr);
}

TLayoutProp* TqoGrid_Column::LayoutProp() {
    if (fLayoutPropertyOutOfDate) {
        fLayoutPropertyOutOfDate = false;
        TqoCellLayout* layout = fLayoutName.empty() ? nullptr : fGrid->CellLayouts()->LayoutByName(fLayoutName);
        fLayoutProp = layout ? layout->LayoutProperty() : nullptr;
    }
    return fLayoutProp;
}

void TqoGrid_Column::SetGroupcells(bool v) {
    fGroupcells = v;
    Recompute();
}

void TqoGrid_Column::SetOnGroupcellCompare(TGroupCompareEvent handler) {
    fOnGroupcellCompare = std::move(handler);
    Recompute();
}

// ---- TqoGrid_Columns

TqoGrid_Columns::~TqoGrid_Columns() { Clear(); }

TqoGrid_Column* TqoGrid_Columns::Add() {
    TqoGrid_Column* column = fItems.Append(std::make_unique<TqoGrid_Column>(this));
    fGrid->_ColumnCreated(column);
    column->NeedRebuild();
    return column;
}

void TqoGrid_Columns::Delete(int i) {
    TqoGrid_Column* column = fItems.Item(i);
    if (!fGrid->Destroying()) {
        fGrid->_ColumnDestroy(column);
        fGrid->ForgetColumn(column);
        for (TBabGridCell* grid : column->ShowingGrids())
            if (TAxisContentItem* item = column->ItemIn(grid)) grid->AxisContentListX()->Drop(item->ListIndex());
    }
    // The host's hook may have moved or freed columns: find it again.
    const int index = fItems.IndexOf(column);
    if (index < 0) return;
    fItems.Take(index).reset();
    if (!fGrid->Destroying()) {
        fCellVisibiltyOutOfDate = true;
        if (fSubGrid)
            fSubGrid->RebuildSpawned();
        else
            fGrid->NeedEnsureFixed();
    }
}

void TqoGrid_Columns::Clear() {
    while (Count() > 0) Delete(Count() - 1);
}

void TqoGrid_Columns::Assign(const TqoGrid_Columns& source) {
    if (&source == this) return;
    Clear();
    for (int i = 0; i < source.Count(); ++i) Add()->Assign(*source.Columns(i));
}

void TqoGrid_Columns::ApplyCellVisibility() {
    fCellVisibiltyOutOfDate = false;
    for (int i = 0; i < Count(); ++i) {
        TqoGrid_Column* column = Columns(i);
        for (TBabGridCell* grid : column->ShowingGrids())
            if (TAxisContentItem* item = column->ItemIn(grid))
                if (item->Hide() != column->Hidden()) item->SetHide(column->Hidden());
    }
}

} // namespace qo
