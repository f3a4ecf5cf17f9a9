#pragma once
// The cells of a grid: one column list per loaded column, one entry per loaded
// row in each; an entry stays empty until its cell is first asked for.
#include "grid/qoBabGridContentEvent.h"

#include <deque>
#include <memory>
#include <vector>

namespace qo {

class TBabCell;
class TBabGridCell;

class TCellMatris : public TBabObject {
public:
    explicit TCellMatris(TBabGridCell* grid) : fBabGridCell(grid) {}
    ~TCellMatris() override;

    // The cell at true indexes, loading its items and making it on demand; none outside the matrix.
    TBabCell* getCell(int x, int y);
    // The cell at loaded indexes if it exists; nothing is made or loaded.
    TBabCell* ExistingCell(int loadedX, int loadedY) const;

    int CountX() const;
    int CountY() const;
    int LoadedCountX() const { return int(fCellListList.size()); }
    int LoadedCountY() const { return fLoadedRows; }

    // The cells of one column (X) or row (Y), one per loaded item of the other axis.
    using TCellLine = std::deque<std::unique_ptr<TBabCell>>;

    // Structural changes, by loaded index.
    void InsertX(int loadedX);
    void InsertY(int loadedY);
    void DropX(int loadedX);
    void DropY(int loadedY);
    void MoveX(int from, int to);
    void MoveY(int from, int to);
    // Lines from a loaded index on take the order given by the old offsets in order.
    void ReorderX(int from, const std::vector<int>& order);
    void ReorderY(int from, const std::vector<int>& order);
    // A column or row taken out whole and put back elsewhere, cells and content kept.
    TCellLine TakeX(int loadedX);
    TCellLine TakeY(int loadedY);
    void PutX(int loadedX, TCellLine cells);
    void PutY(int loadedY, TCellLine cells);
    // Frees every cell.
    void Clear();

    // By true index.
    bool HasColumnSelections(int x) const;
    bool HasRowSelections(int y) const;

private:
    void FreeCells(TCellLine& cells);
    // A line that no longer matches the other axis (changed meanwhile) comes back empty.
    void Fit(TCellLine& cells, size_t size);

    TBabGridCell* fBabGridCell;
    std::deque<TCellLine> fCellListList;
    int fLoadedRows = 0;
};

} // namespace qo
