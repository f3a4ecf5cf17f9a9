#pragma once
// Sub-grid definitions: the columns, info column, header row and stretching
// of the nested grids that sub-grid and sub-tree columns show in every data
// row, and the grid-cell data of this grid, which may drive its rows by a
// grid tree.
#include "grid/qoBabGridView.h"
#include "grid/qoGridColumn.h"
#include "grid/qoGridTree.h"

#include <memory>
#include <string>
#include <vector>

namespace qo {

class TqoGrid;
class TqoGrid_SubGrids;

class TqoGrid_SubGrid {
public:
    explicit TqoGrid_SubGrid(TqoGrid_SubGrids* collection);
    ~TqoGrid_SubGrid();
    TqoGrid_SubGrid(const TqoGrid_SubGrid&) = delete;
    TqoGrid_SubGrid& operator=(const TqoGrid_SubGrid&) = delete;

    TqoGrid_SubGrids* Collection() const { return fCollection; }
    int Index() const;
    // The name, or "SubGrid" and the index.
    std::string DisplayName() const;
    void Assign(const TqoGrid_SubGrid& source);

    TqoGrid_Columns* Columns() const { return fqoGrid_Columns.get(); }
    const std::string& Name() const { return fName; }
    void SetName(const std::string& name) { fName = name; }
    bool HasInfoCol() const { return fHasInfoCol; }
    void SetHasInfoCol(bool v);
    bool HasHeaders() const { return fHasHeaders; }
    void SetHasHeaders(bool v);
    bool ExtendLastColumnToWidth() const { return fExtendLastColumnToWidth; }
    void SetExtendLastColumnToWidth(bool v);
    // The sub-grid cells built from this definition now.
    const std::vector<TBabGridCell*>& SpawnedGridCells() const { return fSpawnedGridCells; }
    void AddSpawned(TBabGridCell* cell);
    void RemoveSpawned(TBabGridCell* cell);
    // Builds every spawned cell's columns and fixed items again.
    void RebuildSpawned();

private:
    std::unique_ptr<TqoGrid_Columns> fqoGrid_Columns;
    std::string fName;
    bool fHasInfoCol = false;
    bool fHasHeaders = false;
    bool fExtendLastColumnToWidth = false;
    std::vector<TBabGridCell*> fSpawnedGridCells;
    TqoGrid_SubGrids* fCollection;
};

class TqoGrid_SubGrids {
public:
    explicit TqoGrid_SubGrids(TqoGrid* grid) : fGrid(grid) {}
    virtual ~TqoGrid_SubGrids();
    TqoGrid_SubGrids(const TqoGrid_SubGrids&) = delete;
    TqoGrid_SubGrids& operator=(const TqoGrid_SubGrids&) = delete;

    TqoGrid* Grid() const { return fGrid; }
    int Count() const { return fItems.Count(); }
    TqoGrid_SubGrid* SubGrids(int i) const { return fItems.Item(i); }
    int IndexOf(const TqoGrid_SubGrid* subGrid) const { return fItems.IndexOf(subGrid); }
    virtual TqoGrid_SubGrid* Add();
    // The spawned cells lose the definition's columns first.
    void Delete(int i);
    void Clear();
    void Assign(const TqoGrid_SubGrids& source);
    // The last definition of that name, without regard to case; none when there is none.
    TqoGrid_SubGrid* SubGridByName(const std::string& name) const;

private:
    TqoOwnedList<TqoGrid_SubGrid> fItems;
    TqoGrid* fGrid;
};

// The grid-cell data of the grid: the definition it was built from and,
// while UseGridTree is on, the grid tree that drives its rows.
class TBabSubGridCellDataTreeRef : public TBabSubGridCellData {
public:
    TBabSubGridCellDataTreeRef();
    ~TBabSubGridCellDataTreeRef() override;

    bool UseGridTree() const { return fUseGridTree; }
    // Switching on makes the grid's tree for this cell; switching off frees the tree and its nodes.
    void SetUseGridTree(bool v);
    TqoGridTree* GridTree() const { return fGridTree.get(); }
    TqoGrid_SubGrid* SpawnedFrom() const { return fSpawnedFrom; }
    // The grid cell that this data belongs to, built from the definition.
    void SetSpawnedFrom(TqoGrid_SubGrid* definition, TBabGridCell* cell) {
        fSpawnedFrom = definition;
        fSpawnedCell = cell;
    }

private:
    bool fUseGridTree = false;
    std::unique_ptr<TqoGridTree> fGridTree;
    TqoGrid_SubGrid* fSpawnedFrom = nullptr;
    TBabGridCell* fSpawnedCell = nullptr;
};

} // namespace qo
