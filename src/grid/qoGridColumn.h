#pragma once
// The grid's columns: a column's kind decides the cell type and editor of its
// cells; its header text, width, sorting, grouping, icons and named cell
// layout decide how they look and behave. A collection of columns belongs to
// the grid itself or to one sub-grid definition.
#include "grid/qoBabGridContent.h"
#include "grid/qoGridCollection.h"

#include <string>

namespace qo {

class TqoGrid;
class TqoGrid_Columns;
class TqoGrid_SubGrid;

enum TColumnKind {
    tckSimpleEdit = 0,
    tckMemo = 1,
    tckBool = 2,
    tckCombo = 3,
    tckDate = 4,
    tckTime = 5,
    tckSubGrid = 6,
    tckSubTree = 7,
};

// The cells of these kinds are grids.
inline bool IsSubGridKind(TColumnKind kind) { return kind == tckSubGrid || kind == tckSubTree; }

class TqoGrid_Column {
public:
    using TIconIndexEvent = TqoEvent<int(TqoGrid* grid, TqoGrid_Column* column, TBabCell* cell)>;
    using TGroupCompareEvent =
        TqoEvent<bool(TqoGrid* grid, TqoGrid_Column* column, TBabCell* upper, TBabCell* lower)>;
    using TContextSubGridEvent =
        TqoEvent<void(TqoGrid* grid, TAxisContentItem* row, TqoGrid_Column* column, std::string& name)>;

    explicit TqoGrid_Column(TqoGrid_Columns* collection);
    ~TqoGrid_Column();
    TqoGrid_Column(const TqoGrid_Column&) = delete;
    TqoGrid_Column& operator=(const TqoGrid_Column&) = delete;

    TqoGrid_Columns* Collection() const { return fCollection; }
    TqoGrid* Grid() const { return fGrid; }
    TqoGrid_SubGrid* SubGrid() const { return fSubGrid; }
    int Index() const;
    // The X items follow the column in every grid that shows it.
    void SetIndex(int index);
    // The header text, or "Column" and the index.
    std::string DisplayName() const;
    void Assign(const TqoGrid_Column& source);

    TColumnKind Kind() const { return fKind; }
    void SetKind(TColumnKind kind);
    const std::string& HeaderText() const { return fHeaderText; }
    void SetHeaderText(const std::string& text);
    int Width() const { return fWidth; }
    void SetWidth(int width);
    // The width the user gave the column's item; nothing is rebuilt.
    void StoreWidth(int width) { fWidth = width; }
    // The width as shown; a stretched last column counts what is left of the view.
    int RunTimeWidth();
    void SetRunTimeWidth(int width);
    bool SortEnable() const { return fSortEnable; }
    void SetSortEnable(bool v) { fSortEnable = v; }
    bool ReadOnly() const { return fReadOnly; }
    void SetReadOnly(bool v) { fReadOnly = v; }
    bool TreeButton() const { return fButton; }
    void SetTreeButton(bool v);
    bool HasIcon() const { return fHasIcon; }
    void SetHasIcon(bool v);
    bool Hidden() const { return fHidden; }
    void SetHidden(bool v);
    const std::string& LayoutName() const { return fLayoutName; }
    void SetLayoutName(const std::string& name);
    // The last cell layout of that name, resolved when read after a change.
    TLayoutProp* LayoutProp();
    void SetLayoutPropertyOutOfDate() { fLayoutPropertyOutOfDate = true; }
    bool Groupcells() const { return fGroupcells; }
    void SetGroupcells(bool v);
    bool NumericSort() const { return fNumericSort; }
    void SetNumericSort(bool v) { fNumericSort = v; }
    bool CheckBoxOnDateTime() const { return fCheckBoxOnDateTime; }
    void SetCheckBoxOnDateTime(bool v) { fCheckBoxOnDateTime = v; }
    const std::string& SubGridName() const { return fSubGridName; }
    void SetSubGridName(const std::string& name) { fSubGridName = name; }

    TIconIndexEvent OnGetIconIndex;
    TContextSubGridEvent OnContextSensitiveSubGrid;
    const TGroupCompareEvent& OnGroupcellCompare() const { return fOnGroupcellCompare; }
    void SetOnGroupcellCompare(TGroupCompareEvent handler);

private:
    // The column's X item in a grid cell, none when it has none.
    TAxisContentItem* ItemIn(TBabGridCell* grid) const;
    // The grid cells that show this collection's columns.
    std::vector<TBabGridCell*> ShowingGrids() const;
    void NeedRebuild();
    void Recompute();
    void Repaint();

    TColumnKind fKind = tckSimpleEdit;
    std::string fHeaderText;
    int fWidth = 64;
    bool fSortEnable = false;
    bool fReadOnly = false;
    bool fButton = false;
    bool fHasIcon = false;
    bool fHidden = false;
    std::string fLayoutName;
    bool fLayoutPropertyOutOfDate = true;
    bool fGroupcells = false;
    TGroupCompareEvent fOnGroupcellCompare;
    bool fNumericSort = false;
    bool fCheckBoxOnDateTime = false;
    TqoGrid_Columns* fCollection;
    TqoGrid* fGrid;
    TqoGrid_SubGrid* fSubGrid;
    std::string fSubGridName;
    TLayoutProp* fLayoutProp = nullptr;

    friend class TqoGrid_Columns;
};

class TqoGrid_Columns {
public:
    TqoGrid_Columns(TqoGrid* grid, TqoGrid_SubGrid* subGrid) : fGrid(grid), fSubGrid(subGrid) {}
    virtual ~TqoGrid_Columns();
    TqoGrid_Columns(const TqoGrid_Columns&) = delete;
    TqoGrid_Columns& operator=(const TqoGrid_Columns&) = delete;

    TqoGrid* Grid() const { return fGrid; }
    TqoGrid_SubGrid* SubGrid() const { return fSubGrid; }
    int Count() const { return fItems.Count(); }
    TqoGrid_Column* Columns(int i) const { return fItems.Item(i); }
    int IndexOf(const TqoGrid_Column* column) const { return fItems.IndexOf(column); }
    virtual TqoGrid_Column* Add();
    // Drops the column's X items from every grid that shows it, then frees it.
    void Delete(int i);
    void Clear();
    // Copies the other collection's columns over these.
    void Assign(const TqoGrid_Columns& source);

    bool CellVisibilityOutOfDate() const { return fCellVisibiltyOutOfDate; }
    void SetCellVisibilityOutOfDate(bool v) { fCellVisibiltyOutOfDate = v; }
    // Every shown X item's Hide from its column's Hidden.
    void ApplyCellVisibility();

private:
    friend class TqoGrid_Column;

    TqoOwnedList<TqoGrid_Column> fItems;
    bool fCellVisibiltyOutOfDate = false;
    TqoGrid* fGrid;
    TqoGrid_SubGrid* fSubGrid;
};

} // namespace qo
