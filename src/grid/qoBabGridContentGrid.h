#pragma once
// A cell that holds a table of cells: its axes, its matrix, its scroll
// position, its size calculation and drawing traversal, hit tests,
// selection, focus and navigation.
#include "grid/qoBabGridContentAxis.h"
#include "grid/qoBabGridContentCell.h"
#include "grid/qoBabGridContentMatrix.h"
#include "platform/core/qoInput.h"

#include <memory>

namespace qo {

class TBabGridCell : public TBabCell {
public:
    // The per-cell drawing callback: visible rectangle, cell, drawing state.
    using TDrawCellCallback = TqoEvent<void(const TRect&, TBabCell*, TBabDrawState)>;

    explicit TBabGridCell(TBabGridCell* parent);
    ~TBabGridCell() override;

    TBabCellType CellType() const override { return babCellTypeGrid; }
    int GetCalculatedHeight() override;
    int GetCalculatedWidth() override;
    // Also sets every loaded non-fixed cell of the grid.
    void SetSelected(bool v) override;
    virtual std::unique_ptr<TBabCellData> CreateBabCellData(TBabCell* cell);

    TAxisContentList* AxisContentListX() const { return fAxisContentListX.get(); }
    TAxisContentList* AxisContentListY() const { return fAxisContentListY.get(); }
    TCellMatris* CellMatris() const { return fCellMatris.get(); }
    TEvent* TopLeftChangedEvent() const { return fTopLeftChangedEvent.get(); }
    TEvent* FocusedCellChangeEvent() const { return fFocusedCellChangeEvent.get(); }
    TBabCell* getCell(int x, int y) { return fCellMatris->getCell(x, y); }

    int Top() const { return fTop; }
    void SetTop(int v);
    int Left() const { return fLeft; }
    void SetLeft(int v);
    int Top_ScrollVal() const { return fAxisContentListY->Convert_TrueIndexToVisible(fTop); }
    int Left_ScrollVal() const { return fAxisContentListX->Convert_TrueIndexToVisible(fLeft); }
    int FixedRows() const { return fAxisContentListY->FixedItems(); }
    void SetFixedRows(int v);
    int FixedCols() const { return fAxisContentListX->FixedItems(); }
    void SetFixedCols(int v);
    bool RowSelect() const { return fRowSelect; }
    void SetRowSelect(bool v) { fRowSelect = v; }
    bool MultiSelect() const { return fMultiSelect; }
    void SetMultiSelect(bool v) { fMultiSelect = v; }
    int VisibleColCount() const { return fVisibleColCount; }
    int VisibleRowCount() const { return fVisibleRowCount; }
    bool LastColumnShow() const { return fLastColumnShow; }
    bool LastRowShow() const { return fLastRowShow; }
    int BrokenColumn() const { return fBrokenColumn; }
    const TRect& DrawRect() const { return fDrawRect; }

    // Sizes and places the cells for a drawing rectangle.
    void CalcVisibleArea(const TRect& rect);
    void Draw(const TRect& rect, const TDrawCellCallback& callback);
    // True column and row under a pixel, -1 each when none.
    TPoint GridCoordsFromPix(int X, int Y) const;
    TBabCell* CellFromPix(int X, int Y, bool recurse);
    bool IsFixedCell(int x, int y) const;

    TBabCell* FocusedCell() const { return fFocusedCell; }
    void SetFocusedCell(TBabCell* cell);
    TBabCell* FocusedCellDownTrack() const;
    TBabCell* Anchor() const { return fAnchor; }
    void UpdateMultiSelect(TBabCell* cell, TShiftState shift);
    // Corners of the rectangle of true indexes in any order; only loaded cells take part.
    void AreaSelect(bool v, const TRect& area);
    TBabCell* FindNeighbourCell(TBabCell* cell, TBabDirection direction, bool recurse);

protected:
    // Frees events, cells and axes, in that order; the root calls it while its callbacks still live.
    void FreeContent();

private:
    friend class TAxisContentList;
    friend class TCellMatris;
    friend class TBabCell;

    // Axis hooks, by loaded index.
    void InsertingAxisItem(TAxisContentList* axis, int loadedIndex);
    void DroppingAxisItem(TAxisContentList* axis, int loadedIndex);
    void MovingAxisItem(TAxisContentList* axis, int from, int to);
    void ReorderingAxisItems(TAxisContentList* axis, int from, const std::vector<int>& order);
    TCellMatris::TCellLine TakingAxisItem(TAxisContentList* axis, int loadedIndex);
    void PuttingAxisItem(TAxisContentList* axis, int loadedIndex, TCellMatris::TCellLine cells);
    void AfterAxisDrop(TAxisContentList* axis);
    std::unique_ptr<TBabCell> CreateCell(TAxisContentItem* itemX, TAxisContentItem* itemY);
    void ForgetCell(TBabCell* cell);
    // A focused cell freed while the structure changed is announced once it is whole again.
    void ReportFocusLoss();

    // Size calculation steps.
    int MeasureColumn(TAxisContentItem* column, int x, const TRect& rect, unsigned generation, int& lastRow);
    void MeasureCell(TBabCell* cell, TAxisContentItem* column, TAxisContentItem* row, const TRect& rect);
    void PlaceColumns(int lastColumn);
    void PlaceRows(int lastRow);
    void DrawColumn(TAxisContentItem* column, const std::vector<TAxisContentItem*>& rows, const TRect& rect,
                    const TDrawCellCallback& callback);
    TBabDrawState StateOf(TBabCell* cell) const;

    // Navigation steps.
    TBabCell* StepCell(TBabCell* start, TBabDirection direction);
    TPoint Stepped(TPoint from, TBabDirection direction) const;
    TBabCell* NearestShownRow(TBabCell* found, TBabCell* start);
    bool OnHiddenLine(TBabCell* cell) const;

    bool fMultiSelect = true;
    std::unique_ptr<TAxisContentList> fAxisContentListX;
    std::unique_ptr<TAxisContentList> fAxisContentListY;
    std::unique_ptr<TCellMatris> fCellMatris;
    std::unique_ptr<TEvent> fTopLeftChangedEvent;
    std::unique_ptr<TEvent> fFocusedCellChangeEvent;
    int fTop = 0;
    int fLeft = 0;
    TRect fDrawRect;
    int fVisibleColCount = 0;
    int fVisibleRowCount = 0;
    bool fLastColumnShow = true;
    int fBrokenColumn = 0;
    bool fLastRowShow = true;
    TBabCell* fFocusedCell = nullptr;
    bool fFocusLost = false;
    TBabCell* fAnchor = nullptr;
    bool fRowSelect = false;
    bool fInRowSelect = false; // a row selection is spreading over the row
};

class TBabSubGridCell : public TBabGridCell {
public:
    using TBabGridCell::TBabGridCell;
};

} // namespace qo
