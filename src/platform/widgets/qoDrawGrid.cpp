#include "platform/widgets/qoDrawGrid.h"

#include "platform/core/qoErrors.h"
#include "platform/graphics/qoDCSaver.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>

namespace qo {

namespace {
constexpr int SizingReach = 2;
} // namespace

TDrawGrid::TDrawGrid(TComponent* owner) : TqoScrollingControl(owner) {
    ControlStyle |= csOpaque;
    TabStop = true;
    SetColor(clWindow);
    SetBounds(0, 0, 320, 120);
}

TDrawGrid::TAxis TDrawGrid::Axis(TScrollBarKind axis) const {
    if (axis == sbHorizontal) return {fColCount, fFixedCols, fDefaultColWidth, fColWidths};
    return {fRowCount, fFixedRows, fDefaultRowHeight, fRowHeights};
}

int TDrawGrid::Extent(TScrollBarKind axis) const {
    const TRect visible = VisibleRect();
    return axis == sbHorizontal ? visible.Width() : visible.Height();
}

int TDrawGrid::FixedExtent(const TAxis& a) const {
    int extent = 0;
    for (int i = 0; i < a.Fixed; ++i) extent += a.Size(i) + GridLineWidth();
    return extent;
}

template <class F> void TDrawGrid::ForEachShowing(TScrollBarKind axis, F visit) const {
    const TAxis a = Axis(axis);
    const int extent = Extent(axis);
    const int line = GridLineWidth();
    int start = 0;
    for (int i = 0; i < a.Fixed && start < extent; ++i) {
        visit(i, start, a.Size(i));
        start += a.Size(i) + line;
    }
    for (int i = a.Fixed + ScrollPos(axis); i < a.Count && start < extent; ++i) {
        visit(i, start, a.Size(i));
        start += a.Size(i) + line;
    }
}

TqoScrollExtent TDrawGrid::ScrollExtent(TScrollBarKind axis, const TRect& visible) const {
    const TAxis a = Axis(axis);
    const int available = (axis == sbHorizontal ? visible.Width() : visible.Height()) - FixedExtent(a);
    TqoScrollExtent extent{a.Count - a.Fixed, 0};
    // Counted from the end: the last page shows whole.
    for (int i = a.Count - 1, used = 0; i >= a.Fixed; --i) {
        used += a.Size(i) + GridLineWidth();
        if (used > available) break;
        ++extent.Page;
    }
    extent.Page = std::max(extent.Page, std::min(extent.Count, 1));
    return extent;
}

int TDrawGrid::UnitsFitting(TScrollBarKind axis, int position) const {
    const TAxis a = Axis(axis);
    const int available = Extent(axis) - FixedExtent(a);
    int units = 0;
    for (int i = a.Fixed + position, used = 0; i < a.Count; ++i, ++units) {
        used += a.Size(i) + GridLineWidth();
        if (used > available) break;
    }
    return std::max(units, 1);
}

int TDrawGrid::FirstPositionShowing(TScrollBarKind axis, int unit) const {
    const TAxis a = Axis(axis);
    const int available = Extent(axis) - FixedExtent(a);
    int first = unit;
    for (int used = a.Size(a.Fixed + unit) + GridLineWidth(); first > 0; --first) {
        used += a.Size(a.Fixed + first - 1) + GridLineWidth();
        if (used > available) break;
    }
    return first;
}

void TDrawGrid::ScrollPosChanged(TScrollBarKind) {
    OnTopLeftChanged.Fire(this);
}

void TDrawGrid::CheckCounts(int cols, int rows, int fixedCols, int fixedRows) const {
    if (fixedCols < 0 || fixedRows < 0) throw EqoError("Fixed counts of a grid cannot be negative");
    if (fixedCols >= cols) throw EqoError("Fixed column count must be less than column count");
    if (fixedRows >= rows) throw EqoError("Fixed row count must be less than row count");
}

void TDrawGrid::SetColCount(int count) {
    count = std::max(count, 1);
    fFixedCols = std::min(fFixedCols, count - 1);
    fColCount = count;
    CountsChanged();
}

void TDrawGrid::SetRowCount(int count) {
    count = std::max(count, 1);
    fFixedRows = std::min(fFixedRows, count - 1);
    fRowCount = count;
    CountsChanged();
}

void TDrawGrid::SetFixedCols(int count) {
    CheckCounts(fColCount, fRowCount, count, fFixedRows);
    fFixedCols = count;
    CountsChanged();
}

void TDrawGrid::SetFixedRows(int count) {
    CheckCounts(fColCount, fRowCount, fFixedCols, count);
    fFixedRows = count;
    CountsChanged();
}

void TDrawGrid::CountsChanged() {
    if (int(fColWidths.size()) > fColCount) fColWidths.resize(size_t(fColCount));
    if (int(fRowHeights.size()) > fRowCount) fRowHeights.resize(size_t(fRowCount));
    fCol = std::clamp(fCol, fFixedCols, fColCount - 1);
    fRow = std::clamp(fRow, fFixedRows, fRowCount - 1);
    UpdateScrollBars();
    Invalidate();
}

void TDrawGrid::SetDefaultColWidth(int width) {
    fDefaultColWidth = std::max(width, 0);
    CountsChanged();
}

void TDrawGrid::SetDefaultRowHeight(int height) {
    fDefaultRowHeight = std::max(height, 0);
    CountsChanged();
}

int TDrawGrid::ColWidths(int col) const {
    if (col < 0 || col >= fColCount) throw EListError(col);
    return Axis(sbHorizontal).Size(col);
}

int TDrawGrid::RowHeights(int row) const {
    if (row < 0 || row >= fRowCount) throw EListError(row);
    return Axis(sbVertical).Size(row);
}

void TDrawGrid::SetSize(std::vector<int>& sizes, int count, int defaultSize, int index, int size) {
    if (index < 0 || index >= count) throw EListError(index);
    size = std::max(size, 0);
    if (sizes.empty() && size == defaultSize) return;
    // Per-index sizes are kept only once one differs from the default.
    if (int(sizes.size()) < count) sizes.resize(size_t(count), defaultSize);
    sizes[size_t(index)] = size;
    UpdateScrollBars();
    Invalidate();
}

void TDrawGrid::SetColWidths(int col, int width) {
    SetSize(fColWidths, fColCount, fDefaultColWidth, col, width);
}
void TDrawGrid::SetRowHeights(int row, int height) {
    SetSize(fRowHeights, fRowCount, fDefaultRowHeight, row, height);
}

void TDrawGrid::SetOptions(TGridOptions options) {
    fOptions = options;
    CountsChanged();
}

void TDrawGrid::SetCell(int col, int row) {
    col = std::clamp(col, fFixedCols, fColCount - 1);
    row = std::clamp(row, fFixedRows, fRowCount - 1);
    if (col == fCol && row == fRow) return;
    const TqoAlive::TWatch alive = fAlive.Watch();
    bool canSelect = true;
    OnSelectCell.Fire(this, col, row, canSelect);
    if (!alive || !canSelect) return;
    fCol = col;
    fRow = row;
    Invalidate();
    ScrollIntoView(sbHorizontal, col - fFixedCols);
    if (alive) ScrollIntoView(sbVertical, row - fFixedRows);
}

TRect TDrawGrid::CellRect(int col, int row) const {
    TRect rect;
    ForEachShowing(sbHorizontal, [&](int i, int start, int size) {
        if (i == col) rect.Left = start, rect.Right = start + size;
    });
    ForEachShowing(sbVertical, [&](int i, int start, int size) {
        if (i == row) rect.Top = start, rect.Bottom = start + size;
    });
    return rect.IsEmpty() ? TRect{} : rect;
}

bool TDrawGrid::MouseToCell(TPoint p, int& col, int& row) const {
    col = row = -1;
    if (!VisibleRect().Contains(p)) return false;
    const int line = GridLineWidth();
    ForEachShowing(sbHorizontal, [&](int i, int start, int size) {
        if (p.X >= start && p.X < start + size + line) col = i;
    });
    ForEachShowing(sbVertical, [&](int i, int start, int size) {
        if (p.Y >= start && p.Y < start + size + line) row = i;
    });
    return col >= 0 && row >= 0;
}

void TDrawGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    TCanvas& canvas = Canvas();
    const bool highlight = (state & gdSelected) && (fOptions & goDrawFocusSelected);
    canvas.Brush().Color = state & gdFixed ? clBtnFace : highlight ? clHighlight : Color();
    canvas.Font().Color = highlight ? clHighlightText : Font().Color;
    canvas.FillRect(rect);
    OnDrawCell.Fire(this, col, row, rect, state);
}

void TDrawGrid::Paint() {
    TCanvas& canvas = Canvas();
    const TRect visible = VisibleRect();
    qoWidgetPaint::Fill(canvas, visible, Color());
    const int line = GridLineWidth();
    const auto lineColor = [&](bool fixed) { return fixed ? SystemColor(COLOR_WINDOWFRAME) : clBtnFace; };
    ForEachShowing(sbVertical, [&](int row, int y, int height) {
        ForEachShowing(sbHorizontal, [&](int col, int x, int width) {
            const bool fixed = row < fFixedRows || col < fFixedCols;
            TGridDrawState state = fixed ? gdFixed : 0;
            if (col == fCol && row == fRow) state |= gdSelected | (Focused() ? gdFocused : 0);
            TRect cell = TRect::Bounds(x, y, width, height);
            {
                TqoDCSaver saver(canvas);
                DrawCell(col, row, cell, state);
            }
            if (fixed) qoWidgetPaint::Edge(canvas, cell, qoWidgetPaint::edRaisedInner);
            if (state & gdFocused) qoWidgetPaint::FocusRect(canvas, TRect::Bounds(x, y, width, height));
            if (!line) return;
            const bool vertical = fOptions & (fixed ? goFixedVertLine : goVertLine);
            const bool horizontal = fOptions & (fixed ? goFixedHorzLine : goHorzLine);
            if (vertical)
                qoWidgetPaint::Fill(canvas, TRect(x + width, y, x + width + line, y + height + line),
                                    lineColor(fixed));
            if (horizontal)
                qoWidgetPaint::Fill(canvas, TRect(x, y + height, x + width + line, y + height + line),
                                    lineColor(fixed));
        });
    });
    // The corner between the two bars.
    if (ScrollBar(sbHorizontal) && ScrollBar(sbVertical))
        qoWidgetPaint::Fill(canvas, TRect(visible.Right, visible.Bottom, Width(), Height()), clBtnFace);
}

int TDrawGrid::RowBorderAt(TPoint p) const {
    if (!(fOptions & goRowSizing) || p.X >= FixedExtent(Axis(sbHorizontal))) return -1;
    int found = -1;
    ForEachShowing(sbVertical, [&](int row, int start, int size) {
        if (std::abs(p.Y - (start + size)) <= SizingReach) found = row;
    });
    return found;
}

void TDrawGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (CanFocus() && !Focused()) SetFocus();
    TqoScrollingControl::MouseDown(button, shift, x, y);
    if (!alive || button != mbLeft) return;
    fSizingRow = RowBorderAt({x, y});
    if (fSizingRow >= 0) {
        fSizingStart = y;
        fSizingHeight = RowHeights(fSizingRow);
        return;
    }
    int col, row;
    if (MouseToCell({x, y}, col, row) && col >= fFixedCols && row >= fFixedRows) SetCell(col, row);
}

void TDrawGrid::MouseMove(TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoScrollingControl::MouseMove(shift, x, y);
    if (!alive) return;
    if (fSizingRow >= 0)
        SetRowHeights(fSizingRow, fSizingHeight + y - fSizingStart);
    else
        SetCursor(RowBorderAt({x, y}) >= 0 ? crVSplit : crDefault);
}

void TDrawGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    const int sized = fSizingRow;
    fSizingRow = -1;
    if (button == mbLeft && sized >= 0) OnRowSized.Fire(this, sized);
    if (alive) TqoScrollingControl::MouseUp(button, shift, x, y);
}

void TDrawGrid::MoveCurrent(int dCol, int dRow) {
    SetCell(fCol + dCol, fRow + dRow);
}

void TDrawGrid::KeyDown(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoScrollingControl::KeyDown(key, shift);
    if (!alive) return;
    const int page = UnitsFitting(sbVertical, ScrollPos(sbVertical));
    switch (key) {
    case VK_LEFT:
        MoveCurrent(-1, 0);
        break;
    case VK_RIGHT:
        MoveCurrent(1, 0);
        break;
    case VK_UP:
        MoveCurrent(0, -1);
        break;
    case VK_DOWN:
        MoveCurrent(0, 1);
        break;
    case VK_PRIOR:
        MoveCurrent(0, -page);
        break;
    case VK_NEXT:
        MoveCurrent(0, page);
        break;
    case VK_HOME:
        SetCell(shift & ssCtrl ? fCol : fFixedCols, shift & ssCtrl ? fFixedRows : fRow);
        break;
    case VK_END:
        SetCell(shift & ssCtrl ? fCol : fColCount - 1, shift & ssCtrl ? fRowCount - 1 : fRow);
        break;
    }
}

void TDrawGrid::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    case WM_CAPTURECHANGED:
        fSizingRow = -1;
        break;
    }
    TqoScrollingControl::WndProc(message);
}

} // namespace qo
