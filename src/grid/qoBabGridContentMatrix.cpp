#include "grid/qoBabGridContentMatrix.h"

#include "grid/qoBabGridContentViewer.h"

namespace qo {

TCellMatris::~TCellMatris() {
    Clear();
}

void TCellMatris::FreeCells(std::deque<std::unique_ptr<TBabCell>>& cells) {
    TBabGridCellForViewer* root = fBabGridCell->GetViewerGridCell();
    for (auto& cell : cells) {
        if (!cell) continue;
        if (root) root->OnCellDeInit.Fire(cell.get());
        cell.reset();
    }
}

void TCellMatris::Clear() {
    // Taken out first, so that no callback sees half-freed columns.
    std::deque<TColumn> columns;
    columns.swap(fCellListList);
    for (TColumn& column : columns) FreeCells(column);
    fLoadedRows = 0;
}

TBabCell* TCellMatris::getCell(int x, int y) {
    TAxisContentList* axisX = fBabGridCell->AxisContentListX();
    TAxisContentList* axisY = fBabGridCell->AxisContentListY();
    axisX->EnsureLoadedItem(x);
    axisY->EnsureLoadedItem(y);
    // Asked again: a load callback may have moved the other window.
    if (!axisX->IsLoaded(x) || !axisY->IsLoaded(y)) return nullptr;
    const int lx = axisX->TrueToLoaded(x);
    const int ly = axisY->TrueToLoaded(y);
    if (lx >= LoadedCountX() || ly >= LoadedCountY()) return nullptr;
    std::unique_ptr<TBabCell>& entry = fCellListList[lx][ly];
    if (!entry) entry = fBabGridCell->CreateCell(axisX->Loaded(lx), axisY->Loaded(ly));
    return entry.get();
}

TBabCell* TCellMatris::ExistingCell(int loadedX, int loadedY) const {
    if (loadedX < 0 || loadedX >= LoadedCountX() || loadedY < 0 || loadedY >= LoadedCountY()) return nullptr;
    return fCellListList[loadedX][loadedY].get();
}

int TCellMatris::CountX() const {
    return fBabGridCell->AxisContentListX()->Count();
}

int TCellMatris::CountY() const {
    return fBabGridCell->AxisContentListY()->Count();
}

void TCellMatris::InsertX(int loadedX) {
    fCellListList.emplace(fCellListList.begin() + loadedX);
    fCellListList[loadedX].resize(fLoadedRows);
}

void TCellMatris::InsertY(int loadedY) {
    ++fLoadedRows;
    for (TColumn& column : fCellListList) column.emplace(column.begin() + loadedY);
}

void TCellMatris::DropX(int loadedX) {
    TColumn column = std::move(fCellListList[loadedX]);
    fCellListList.erase(fCellListList.begin() + loadedX);
    FreeCells(column);
}

void TCellMatris::DropY(int loadedY) {
    --fLoadedRows;
    TColumn row;
    for (TColumn& column : fCellListList) {
        row.push_back(std::move(column[loadedY]));
        column.erase(column.begin() + loadedY);
    }
    FreeCells(row);
}

void TCellMatris::MoveX(int from, int to) {
    TColumn column = std::move(fCellListList[from]);
    fCellListList.erase(fCellListList.begin() + from);
    fCellListList.insert(fCellListList.begin() + to, std::move(column));
}

void TCellMatris::MoveY(int from, int to) {
    for (TColumn& column : fCellListList) {
        auto cell = std::move(column[from]);
        column.erase(column.begin() + from);
        column.insert(column.begin() + to, std::move(cell));
    }
}

bool TCellMatris::HasColumnSelections(int x) const {
    const TAxisContentList* axis = fBabGridCell->AxisContentListX();
    if (x < 0 || !axis->IsLoaded(x)) return false;
    for (const auto& cell : fCellListList[axis->TrueToLoaded(x)])
        if (cell && cell->Selected()) return true;
    return false;
}

bool TCellMatris::HasRowSelections(int y) const {
    const TAxisContentList* axis = fBabGridCell->AxisContentListY();
    if (y < 0 || !axis->IsLoaded(y)) return false;
    const int ly = axis->TrueToLoaded(y);
    for (const TColumn& column : fCellListList)
        if (column[ly] && column[ly]->Selected()) return true;
    return false;
}

} // namespace qo
