#include "grid/qoGridSubGrid.h"

#include "grid/qoGrid.h"

#include <algorithm>

namespace qo {

TqoGrid_SubGrid::TqoGrid_SubGrid(TqoGrid_SubGrids* collection) : fCollection(collection) {
    fqoGrid_Columns = collection->Grid()->CreateColumnsCollection(this);
}

TqoGrid_SubGrid::~TqoGrid_SubGrid() {
    // The columns leave the spawned cells first; then the cells forget the definition.
    fqoGrid_Columns->Clear();
    for (TBabGridCell* cell : fSpawnedGridCells)
        if (auto* data = dynamic_cast<TBabSubGridCellDataTreeRef*>(cell->BabCellData())) data->SetSpawnedFrom(nullptr, nullptr);
}

int TqoGrid_SubGrid::Index() const { return fCollection->IndexOf(this); }

std::string TqoGrid_SubGrid::DisplayName() const {
    return fName.empty() ? "SubGrid" + std::to_string(Index()) : fName;
}

void TqoGrid_SubGrid::Assign(const TqoGrid_SubGrid& source) {
    if (&source == this) return;
    fName = source.fName;
    fHasInfoCol = source.fHasInfoCol;
    fHasHeaders = source.fHasHeaders;
    fExtendLastColumnToWidth = source.fExtendLastColumnToWidth;
    fqoGrid_Columns->Assign(*source.fqoGrid_Columns);
    RebuildSpawned();
}

void TqoGrid_SubGrid::SetHasInfoCol(bool v) {
    fHasInfoCol = v;
    RebuildSpawned();
}

void TqoGrid_SubGrid::SetHasHeaders(bool v) {
    fHasHeaders = v;
    RebuildSpawned();
}

void TqoGrid_SubGrid::SetExtendLastColumnToWidth(bool v) {
    fExtendLastColumnToWidth = v;
    fCollection->Grid()->SetHardViewParamsOutOfDate();
}

void TqoGrid_SubGrid::AddSpawned(TBabGridCell* cell) {
    if (std::find(fSpawnedGridCells.begin(), fSpawnedGridCells.end(), cell) == fSpawnedGridCells.end())
        fSpawnedGridCells.push_back(cell);
}

void TqoGrid_SubGrid::RemoveSpawned(TBabGridCell* cell) { std::erase(fSpawnedGridCells, cell); }

void TqoGrid_SubGrid::RebuildSpawned() {
    TqoGrid* grid = fCollection->Grid();
    if (grid->Destroying()) return;
    // A copy: building may free cells.
    const std::vector<TBabGridCell*> cells = fSpawnedGridCells;
    for (TBabGridCell* cell : cells)
        grid->InitColumnsAndFixed(cell, fqoGrid_Columns.get(), fHasInfoCol, fHasHeaders);
    grid->SetHardViewParamsOutOfDate();
}

// ---- TqoGrid_SubGrids

TqoGrid_SubGrids::~TqoGrid_SubGrids() { Clear(); }

TqoGrid_SubGrid* TqoGrid_SubGrids::Add() { return fItems.Append(std::make_unique<TqoGrid_SubGrid>(this)); }

void TqoGrid_SubGrids::Delete(int i) { fItems.Take(i).reset(); }

void TqoGrid_SubGrids::Clear() { fItems.Clear(); }

void TqoGrid_SubGrids::Assign(const TqoGrid_SubGrids& source) {
    if (&source == this) return;
    Clear();
    for (int i = 0; i < source.Count(); ++i) Add()->Assign(*source.SubGrids(i));
}

TqoGrid_SubGrid* TqoGrid_SubGrids::SubGridByName(const std::string& name) const {
    for (int i = Count() - 1; i >= 0; --i)
        if (SameName(SubGrids(i)->Name(), name)) return SubGrids(i);
    return nullptr;
}

// ---- TBabSubGridCellDataTreeRef

TBabSubGridCellDataTreeRef::TBabSubGridCellDataTreeRef() = default;

TBabSubGridCellDataTreeRef::~TBabSubGridCellDataTreeRef() {
    if (fSpawnedFrom) fSpawnedFrom->RemoveSpawned(fSpawnedCell);
}

void TBabSubGridCellDataTreeRef::SetUseGridTree(bool v) {
    if (v == fUseGridTree) return;
    fUseGridTree = v;
    auto* cell = static_cast<TBabGridCell*>(BabCell());
    if (v) {
        TBabGridCellForViewer* root = cell->GetViewerGridCell();
        auto* grid = root ? dynamic_cast<TqoGrid*>(static_cast<TBabGridView_Custom*>(root->Viewer())) : nullptr;
        fGridTree = grid ? grid->CreateGridTree(cell) : TqoGridTree::Create(cell);
        return;
    }
    // The nodes take their rows with them while the cell still lives.
    std::unique_ptr<TqoGridTree> tree = std::move(fGridTree);
    tree->RootDataEntities()->Clear();
}

} // namespace qo
