#pragma once
// The cells of a grid: one column list per loaded column, one entry per loaded
// row in each; an entry stays empty until its cell is first asked for.
#include "grid/qoBabGridContentEvent.h"

#include <deque>
#include <memory>

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

    // Structural changes, by loaded index.
    void InsertX(int loadedX);
    void InsertY(int loadedY);
    void DropX(int loadedX);
    void DropY(int loadedY);
    void MoveX(int from, int to);
    void MoveY(int from, int to);
    // Frees every cell.
    void Clear();

    // By true index.
    bool HasColumnSelections(int x) const;
    bool HasRowSelections(int y) const;

private:
    using TColumn = std::deque<std::unique_ptr<TBabCell>>;
    void FreeCells(std::deque<std::unique_ptr<TBabCell>>& cells);

    TBabGridCell* fBabGridCell;
    std::deque<TColumn> fCellListList;
    int fLoadedRows = 0;
};

} // namespace qo
