#pragma once
// The multi-column grid that heads the Gantt chart's rows in grid mode. It
// gives the grid view a column model: an info column and a header row,
// columns whose kind decides cell type and editor, named cell layouts,
// sub-grid and sub-tree columns built from named definitions, icons,
// grouping, sorting by a column, the saving and restoring of expanded states
// and a last column stretched to the view's width.
#include "grid/qoBabGridView.h"
#include "grid/qoGridCellLayout.h"
#include "grid/qoGridColumn.h"
#include "grid/qoGridSubGrid.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qo {

class TqoGrid : public TBabGridView_Custom {
public:
    static constexpr int InfoColumnWidth = 20;
    // The user size that stands for "the rest of the view's width".
    static constexpr int StretchMarker = 1000;

    using TColumnSortEvent = TqoEvent<void(TqoGrid* grid, TqoGrid_Column* column, bool upNotDown, bool& proceed)>;
    using TUserSortEvent =
        TqoEvent<void(TqoGrid* grid, TqoGrid_Column* column, std::vector<TAxisContentItem*>& rows, bool& proceed)>;
    using TSortStringEvent =
        TqoEvent<void(TqoGrid* grid, TqoGrid_Column* column, TBabCell* cell, std::string& sortString)>;
    using TColumnCellEvent = TqoEvent<void(TqoGrid* grid, TqoGrid_Column* column, TBabCell* cell)>;
    using TIndexEvent = TqoEvent<void(TqoGrid* grid, int index)>;
    // A node's key for the saved expanded state.
    using TExpandKey = std::function<std::string(TqoGrid* grid, TAxisContentItem* row)>;
    using TInitTreeSubDataListEvent =
        TqoEvent<void(TqoGrid* grid, TqoGridTree* tree, TqoDataEntity_GridTreeNode* node)>;
    // A saved expanded node: its key and its level.
    struct TExpandedEntry {
        std::string Key;
        int Level = 0;
    };

    explicit TqoGrid(TComponent* owner);
    ~TqoGrid() override;

    // Columns, definitions and layouts.
    TqoGrid_Columns* Columns() const { return fqoGrid_Columns.get(); }
    void SetColumns(const TqoGrid_Columns& source) { fqoGrid_Columns->Assign(source); }
    TqoGrid_SubGrids* SubGrids() const { return fSubGrids.get(); }
    void SetSubGrids(const TqoGrid_SubGrids& source) { fSubGrids->Assign(source); }
    TqoCellLayouts* CellLayouts() const { return fCellLayouts.get(); }
    void SetCellLayouts(const TqoCellLayouts& source) { fCellLayouts->Assign(source); }
    // Appends a column; the first one builds the fixed items at once.
    TqoGrid_Column* AddColumn();

    // Rows; each returns its new Y item. Indexes are true ones, the header row counted.
    TAxisContentItem* AddRow(void* reference);
    TAxisContentItem* InsertRow(int index, void* reference);
    // Nothing for a cell that is not a grid.
    TAxisContentItem* AddRowInSubGrid(TBabCell* gridCell, void* reference);
    TAxisContentItem* InsertRowInSubGrid(TBabCell* gridCell, int index, void* reference);

    // Cells and columns.
    TBabCell* Cell(int x, int y);
    TBabCell* GetCell(int x, int y) { return Cell(x, y); }
    TBabCell* GetCellAtPixel(int x, int y);
    int CellCountX();
    int CellCountY();
    TqoGrid_Column* CellToColumn(TBabCell* cell) const;
    static TqoGrid_Column* AxisContentItemToColumn(TAxisContentItem* item);
    // The column's X item in the main grid.
    TAxisContentItem* ColumnToAxisContentItem(TqoGrid_Column* column) const;
    int GetRowHeight(int y);
    void SetRowHeight(int y, int height);
    TBabCell* FocusedCell() const;
    void SetFocusedCell(TBabCell* cell);
    TBabCell* TopLeftCell();
    void SetTopLeftCell(TBabCell* cell);

    // Properties.
    bool HasHeaders() const { return fHasHeaders; }
    virtual void SetHasHeaders(bool v);
    bool HasInfoCol() const { return fHasInfoCol; }
    virtual void SetHasInfoCol(bool v);
    bool ExtendLastColumnToWidth() const { return fExtendLastColumnToWidth; }
    void SetExtendLastColumnToWidth(bool v);
    bool UserSortEnable() const { return fUserSortEnable; }
    void SetUserSortEnable(bool v) { fUserSortEnable = v; }
    void* IntegrationOwner() const { return fIntegrationOwner; }
    void SetIntegrationOwner(void* owner) { fIntegrationOwner = owner; }
    TqoGrid_Column* SortingColumn() const { return fSortingColumn; }
    bool SortUpNotDown() const { return fSortUpNotDown; }
    bool IsExpanding() const { return fIsExpanding; }

    // Sorts by a column as a click on its header would.
    void SortColumn(int index, bool upNotDown);
    // The combo editor's list and selection; the host calls it from OnBeforeEditWithCombo.
    void InitEditCombo(const std::vector<std::string>& strings, int currentIndex);
    const std::vector<std::string>& EditComboStrings() const { return fEditComboStrings; }
    int EditComboIndex() const { return fEditComboIndex; }

    // Grid trees: the main grid's and those of sub-grid cells.
    void SetUseTree(bool on) { SetUseTreeInSubGrid(MainGrid(), on); }
    bool GetUseTree() const { return GetUseTreeInSubGrid(MainGrid()); }
    TqoGridTree* GetTree() const { return GetTreeInSubGrid(MainGrid()); }
    void SetUseTreeInSubGrid(TBabCell* gridCell, bool on);
    bool GetUseTreeInSubGrid(TBabCell* gridCell) const;
    TqoGridTree* GetTreeInSubGrid(TBabCell* gridCell) const;
    // The tree that drives a grid cell's rows, none when it has none.
    static TqoGridTree* TreeOf(TBabGridCell* grid);
    TqoDataEntity_GridTreeNode* CellToNode(TBabCell* cell) const;
    static TqoDataEntity_GridTreeNode* AxisContentItemToGridTreeNode(TAxisContentItem* item);
    TqoDataEntity_GridTreeNode* CurrentNode() const { return CellToNode(FocusedCell()); }
    virtual std::unique_ptr<TqoGridTree> CreateGridTree(TBabGridCell* gridCell);

    // Expanded states of the main grid's tree rows; a key function of none uses the row's texts.
    void ExpandedStateSave(const TExpandKey& key = nullptr);
    void ExpandedStateRestore(const TExpandKey& key = nullptr);
    void SaveExpandStateInStringList() { ExpandedStateSave(); }
    void ExpandInGridFromStringList() { ExpandedStateRestore(); }
    const std::vector<TExpandedEntry>& ExpandStateStringList() const { return fExpandStateStringList; }
    bool ExpandedStateAlreadySaved() const { return fExpandedStateAlreadySaved; }

    // Rebuilds the fixed items and column items when they are out of date.
    void EnsureFixed();
    void RedrawIfNeeded();
    // Builds a grid cell's info column, header row and column items from a collection.
    void InitColumnsAndFixed(TBabGridCell* grid, TqoGrid_Columns* columns, bool hasInfoCol, bool hasHeaders);
    void NeedEnsureFixed();

    // Editors: the editor type that a cell's column asks for, whether the date
    // editor shows a check box and whether it edits a time.
    struct TEditorChoice {
        TBabEditorType EditorType = babETEdit;
        bool DateCheckBox = false;
        bool TimeMode = false;
    };
    TEditorChoice ChooseEditor(TBabCell* cell, TBabEditorType current);
    // Raises OnBeforeEditWithCombo for a cell about to be edited with the combo editor.
    void BeforeEditWithCombo(TBabCell* cell);
    // A read-only column's cells refuse edits unless the host's OnEditorCanModify says otherwise.
    bool EditorCanModifyDefaultValue(TBabCell* cell) override;
    // Sets the date editor's mode and check box, and has the host fill the combo editor's list.
    std::string InitEditor(TWinControl* editor, TBabCell* cell) override;

    // Hooks called by the collections.
    virtual void _ColumnDestroy(TqoGrid_Column* column) { (void)column; }
    virtual void _ColumnCreated(TqoGrid_Column* column) { (void)column; }
    virtual void _CellLayoutDestroy(TqoCellLayout* layout) { (void)layout; }
    virtual void _CellLayoutCreated(TqoCellLayout* layout) { (void)layout; }
    // Every column's resolved layout is read again; cells that use the layout lose it.
    void CellLayoutsChanged(TLayoutProp* removed);
    // A column about to go is no longer the sorting column.
    void ForgetColumn(TqoGrid_Column* column);
    // A simple cell's layout when nothing else gives one.
    TLayoutProp* DefaultLayoutFor(TBabCell* cell);
    bool Destroying() const { return fDestroying; }

    TColumnSortEvent OnColumnSort;
    TIndexEvent OnColumnResized, OnRowResized;
    TSortStringEvent OnGetUserSortCompareString;
    TUserSortEvent OnUserSort;
    TColumnCellEvent OnBeforeEditWithCombo;
    TInitTreeSubDataListEvent OnInitTreeSubDataList;
    // The root's virtual-row questions; the grid forwards them to a grid tree first.
    TqoEvent<void(TBabGridCell* grid, TAxisContentItem* item, bool axis)> OnVirtualLoad;
    TqoEvent<void(TBabGridCell* grid, TAxisContentItem* item, bool axis, bool perform, bool& answer)>
        OnVirtualUnLoad;

    // The view's slots.
    void initSubGridContent(TBabSubGridCellData* data) override;
    void InitContent(TBabSimpleCellStringData* data) override;
    void HardViewParamsUpdate() override;
    void TopLeftChanged() override;
    void DoGridResize() override;
    void UserSizeChanged(TAxisContentItem* item) override;
    bool GetExpandLastColumnIfShort() override;
    int GetWidthOffAxisContentItemForHeightCalculation(TAxisContentItem* column) override;
    bool CellHasButton(TBabCell* cell) override;
    bool IsButtonExpanded(TBabCell* cell) override;
    bool IsButtonTerminal(TBabCell* cell) override;
    bool ButtonHasNonHiddenChildren(TBabCell* cell) override;
    TBabCell* GetParentButtonCell(TBabCell* cell) override;
    int CellInset(TBabCell* cell) override;
    void DoButtonAction(TBabCell* cell) override;
    void OnCellDeInit(TBabCell* cell) override;
    void _OnKeepAfterUnLoad(TBabGridCell* grid, TAxisContentItem* item, bool axis, bool& keep) override;
    void _OnUnloadIntervall(TBabGridCell* grid, TAxisContentItem* item, bool axis, int& first, int& last) override;
    void _OnDeleteOfUnloaded(TBabGridCell* grid, bool axis, int& first, int& last) override;
    bool CellHasIcon(TBabCell* cell) override;
    int CellIconIndex(TBabCell* cell) override;
    bool _OnCheckCellGrouping(TBabCell* above, TBabCell* below) override;
    void DoSortCell(TBabCell* cell, bool upNotDown) override;
    bool CheckSortAllow(TBabCell* cell) override;
    void PreDrawGetStringAndSetAttributes(TBabCell* cell, std::string& text, bool& isBoolean,
                                          bool& ticked) override;

    // The width of an item as shown, a stretched one counting the rest of its grid.
    int ShownWidth(TAxisContentItem* item);
    // Stretches the last column now (it runs deferred after layout changes).
    void DoExtendLastColumnToWidth(void* = nullptr);

protected:
    void OffscreenPaint() override;
    virtual void DestroyColumns();
    virtual std::unique_ptr<TqoGrid_Columns> CreateColumnsCollection(TqoGrid_SubGrid* subGrid);
    virtual std::unique_ptr<TqoGrid_SubGrids> CreateSubGridsCollection();
    virtual std::unique_ptr<TqoCellLayouts> CreateCellLayoutsCollection();
    virtual void _InitTreeSubDataList(TqoGridTree* tree, TqoDataEntity_GridTreeNode* node);
    virtual void DoInternalResortOfContent();
    virtual std::string GetSortString(TAxisContentItem* row);

    // Sorts rows by the sorting column (or lets OnUserSort do it).
    void SortRows(std::vector<TAxisContentItem*>& rows);
    void SortByColumn(TqoGrid_Column* column, bool upNotDown);
    // Sorts the rows of the main grid's tree level by level; false without a tree.
    bool SortTreeRows();

private:
    friend class TqoGrid_SubGrid;

    // Sizes the grid sets itself raise no resize events.
    struct TInternalSizing {
        int& Depth;
        explicit TInternalSizing(int& depth) : Depth(depth) { ++Depth; }
        ~TInternalSizing() { --Depth; }
    };
    void SetSize(TAxisContentItem* item, int size);
    TqoGrid_Columns* ColumnsOf(TBabGridCell* grid) const;
    void ForEachColumn(const std::function<void(TqoGrid_Column*)>& action) const;
    static void ForEachExistingCell(TBabGridCell* grid, const std::function<void(TBabCell*)>& action);
    void RequestStretch();
    void CancelDeferred();

    TBabCellType CreateCellType(TBabGridCell* grid, TAxisContentItem* column, TAxisContentItem* row);
    void StretchSubGrids();
    void ClearExpandedStateMark(void* = nullptr);
    void WireVirtualRows();
    // The node of a cell's row when the cell's grid is driven by a tree.
    TqoDataEntity_GridTreeNode* NodeOf(TBabCell* cell) const;
    std::string DefaultExpandKey(TAxisContentItem* row);
    // Expands the rows of a level whose keys were saved; answers whether any was expanded.
    bool RestoreLevel(int level, const TExpandKey& key);
    void SortNodeList(TqoDataList_GridTree* list);
    std::string CellSortText(TqoGrid_Column* column, TBabCell* cell);

    bool fHasInfoCol = true;
    bool fHasHeaders = true;
    bool fExtendLastColumnToWidth = false;
    bool fUserSortEnable = false;
    std::unique_ptr<TqoCellLayouts> fCellLayouts;
    void* fIntegrationOwner = nullptr;
    std::unique_ptr<TqoGrid_Columns> fqoGrid_Columns;
    bool fNeedEnsureFixed = true;
    TqoGrid_Column* fSortingColumn = nullptr;
    bool fSortUpNotDown = false;
    int fLastKnownLeft = 0;
    std::unique_ptr<TqoGrid_SubGrids> fSubGrids;
    bool fIsExpanding = false;
    bool fDestroying = false;
    int fInternalSizing = 0;
    std::vector<TExpandedEntry> fExpandStateStringList;
    bool fExpandedStateAlreadySaved = false;
    // A cell whose button action runs host code; cleared when the cell is freed meanwhile.
    TBabCell* fButtonCell = nullptr;
    std::vector<std::string> fEditComboStrings;
    int fEditComboIndex = -1;
};

} // namespace qo
