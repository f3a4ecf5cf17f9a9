#pragma once
// The draw grid: fixed columns and rows that stay while the rest scrolls by
// whole cells, column widths and row heights (a default and per-index
// values), owner drawing of each cell, a current cell moved by mouse and
// keys, rows sized by dragging their border in the fixed column, and
// OnTopLeftChanged whenever the first scrolled row or column changes. Only
// the rows and columns that show are visited, whatever their number.
#include "platform/widgets/qoScrollingControl.h"

#include <vector>

namespace qo {

using TGridDrawState = uint32_t;
constexpr TGridDrawState gdSelected = 0x1;
constexpr TGridDrawState gdFocused = 0x2;
constexpr TGridDrawState gdFixed = 0x4;

using TGridOptions = uint32_t;
constexpr TGridOptions goFixedVertLine = 0x1;
constexpr TGridOptions goFixedHorzLine = 0x2;
constexpr TGridOptions goVertLine = 0x4;
constexpr TGridOptions goHorzLine = 0x8;
constexpr TGridOptions goRowSizing = 0x10;
constexpr TGridOptions goDrawFocusSelected = 0x20;

using TDrawCellEvent =
    TqoEvent<void(TComponent* sender, int col, int row, const TRect& rect, TGridDrawState state)>;
using TSelectCellEvent = TqoEvent<void(TComponent* sender, int col, int row, bool& canSelect)>;
using TRowSizedEvent = TqoEvent<void(TComponent* sender, int row)>;

class TDrawGrid : public TqoScrollingControl {
public:
    explicit TDrawGrid(TComponent* owner);

    int ColCount() const { return fColCount; }
    int RowCount() const { return fRowCount; }
    int FixedCols() const { return fFixedCols; }
    int FixedRows() const { return fFixedRows; }
    // Counts below 0 and fixed counts that leave no scrolled cell raise EqoError.
    void SetColCount(int count);
    void SetRowCount(int count);
    void SetFixedCols(int count);
    void SetFixedRows(int count);

    int DefaultColWidth() const { return fDefaultColWidth; }
    int DefaultRowHeight() const { return fDefaultRowHeight; }
    // Sizes below 0 count as 0.
    void SetDefaultColWidth(int width);
    void SetDefaultRowHeight(int height);
    int ColWidths(int col) const;
    int RowHeights(int row) const;
    void SetColWidths(int col, int width);
    void SetRowHeights(int row, int height);
    int GridLineWidth() const { return fOptions & (goVertLine | goHorzLine) ? 1 : 0; }
    TGridOptions Options() const { return fOptions; }
    void SetOptions(TGridOptions options);

    // The first scrolled row and column that show.
    int TopRow() const { return fFixedRows + ScrollPos(sbVertical); }
    int LeftCol() const { return fFixedCols + ScrollPos(sbHorizontal); }
    void SetTopRow(int row) { ScrollTo(sbVertical, row - fFixedRows); }
    void SetLeftCol(int col) { ScrollTo(sbHorizontal, col - fFixedCols); }
    // The current cell; setting it asks OnSelectCell and scrolls it into view.
    int Row() const { return fRow; }
    int Col() const { return fCol; }
    void SetCell(int col, int row);

    // A cell's rectangle in client coordinates; empty when it does not show.
    TRect CellRect(int col, int row) const;
    // The cell at a client point; false outside every cell.
    bool MouseToCell(TPoint p, int& col, int& row) const;

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TNotifyEvent OnTopLeftChanged;
    TRowSizedEvent OnRowSized;

protected:
    void Paint() override;
    // Fills the background, then OnDrawCell.
    virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void WndProc(TMessage& message) override;

    TqoScrollExtent ScrollExtent(TScrollBarKind axis, const TRect& visible) const override;
    int UnitsFitting(TScrollBarKind axis, int position) const override;
    int FirstPositionShowing(TScrollBarKind axis, int unit) const override;
    void ScrollPosChanged(TScrollBarKind axis) override;

private:
    // One axis seen alike for rows and columns.
    struct TAxis {
        int Count, Fixed, Default;
        const std::vector<int>& Sizes;
        int Size(int i) const { return i < int(Sizes.size()) ? Sizes[size_t(i)] : Default; }
    };
    TAxis Axis(TScrollBarKind axis) const;
    int Extent(TScrollBarKind axis) const;
    int FixedExtent(const TAxis& a) const;
    void SetSize(std::vector<int>& sizes, int count, int defaultSize, int index, int size);
    // Start of each showing cell of an axis from the fixed ones on, with their indexes.
    template <class F> void ForEachShowing(TScrollBarKind axis, F visit) const;
    // The row whose bottom border lies within reach of y in the fixed column; -1 when none.
    int RowBorderAt(TPoint p) const;
    void CheckCounts(int cols, int rows, int fixedCols, int fixedRows) const;
    void CountsChanged();
    void MoveCurrent(int dCol, int dRow);

    TqoAlive fAlive;
    int fColCount = 5, fRowCount = 5, fFixedCols = 1, fFixedRows = 1;
    int fDefaultColWidth = 64, fDefaultRowHeight = 24;
    std::vector<int> fColWidths, fRowHeights; // empty: all default
    TGridOptions fOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;
    int fRow = 1, fCol = 1;
    int fSizingRow = -1, fSizingStart = 0, fSizingHeight = 0;
};

} // namespace qo
