#include "grid/qoBabGridContentMatrix.h"

#include "grid/qoBabGridContentViewer.h"

namespace qo {

TCellMatris::~TCellMatris() {
    Clear();
}

void TCellMatris::FreeCells(TCellLine& cells) {
    TBabGridCellForViewer* root = fBabGridCell->GetViewerGridCell();
    for (auto& cell : cells) {
        if (!cell) continue;
        if (root) root->OnCellDeInit.Fire(cell.get());
        cell.reset();
    }
}

void TCellMatris::Clear() {
    // Taken out first, so that no callback sees half-freed columns.
    std::deque<TCellLine> columns;
    columns.swap(fCellListList);
    for (TCellLine& column : columns) FreeCells(column);
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
    PutX(loadedX, TCellLine(fLoadedRows));
}

void TCellMatris::InsertY(int loadedY) {
    PutY(loadedY, TCellLine(fCellListList.size()));
}

void TCellMatris::DropX(int loadedX) {
    TCellLine column = TakeX(loadedX);
    FreeCells(column);
}

void TCellMatris::DropY(int loadedY) {
    TCellLine row = TakeY(loadedY);
    FreeCells(row);
}

void TCellMatris::MoveX(int from, int to) {
    PutX(to, TakeX(from));
}

void TCellMatris::MoveY(int from, int to) {
    PutY(to, TakeY(from));
}

namespace {
template <class Line> void ReorderRange(Line& line, int from, const std::vector<int>& order) {
    if (from + int(order.size()) > int(line.size())) return;
    Line taken;
    for (int offset : order) taken.push_back(std::move(line[from + offset]));
    std::move(taken.begin(), taken.end(), line.begin() + from);
}
} // namespace

void TCellMatris::ReorderX(int from, const std::vector<int>& order) {
    ReorderRange(fCellListList, from, order);
}

void TCellMatris::ReorderY(int from, const std::vector<int>& order) {
    for (TCellLine& column : fCellListList) ReorderRange(column, from, order);
}

TCellMatris::TCellLine TCellMatris::TakeX(int loadedX) {
    TCellLine column = std::move(fCellListList[loadedX]);
    fCellListList.erase(fCellListList.begin() + loadedX);
    return column;
}

TCellMatris::TCellLine TCellMatris::TakeY(int loadedY) {
    --fLoadedRows;
    TCellLine row;
    for (TCellLine& column : fCellListList) {
        row.push_back(std::move(column[loadedY]));
        column.erase(column.begin() + loadedY);
    }
    return row;
}

void TCellMatris::PutX(int loadedX, TCellLine cells) {
    Fit(cells, size_t(fLoadedRows));
    fCellListList.insert(fCellListList.begin() + loadedX, std::move(cells));
}

void TCellMatris::PutY(int loadedY, TCellLine cells) {
    Fit(cells, fCellListList.size());
    ++fLoadedRows;
    for (size_t x = 0; x < fCellListList.size(); ++x)
        fCellListList[x].insert(fCellListList[x].begin() + loadedY, std::move(cells[x]));
}

void TCellMatris::Fit(TCellLine& cells, size_t size) {
    if (cells.size() == size) return;
    FreeCells(cells);
    cells = TCellLine(size);
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
    for (const TCellLine& column : fCellListList)
        if (column[ly] && column[ly]->Selected()) return true;
    return false;
}

} // namespace qo
