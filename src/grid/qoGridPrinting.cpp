// Grid printing: layout for the page, the off-page print, the rows that fit,
// the real print.
#include "grid/qoGridPrinting.h"

#include "platform/core/qoErrors.h"
#include "platform/core/qoRounding.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace qo {

namespace {
// Device units of layout when no page limit says otherwise.
constexpr int LayoutHeight = 10000;
// Screen pixels of each row asked for beyond the last one.
constexpr int BlankRowHeight = 20;

int FirstShownColumn(TBabGridCell& root) {
    TAxisContentList* columns = root.AxisContentListX();
    for (int x = 0; x < columns->Count(); ++x)
        if (TAxisContentItem* column = columns->Items(x); column && !column->Hide()) return x;
    return -1;
}

// The printed height of the fixed rows, as the off-page print placed them.
int FixedRowsBottom(TBabGridCell& root, int column) {
    int bottom = 0;
    for (int y = 0; y < root.FixedRows() && column >= 0; ++y)
        if (TBabCell* cell = root.getCell(column, y)) bottom = std::max(bottom, cell->VisibleRect_Untampered().Bottom);
    return bottom;
}

// Lays the grid out at a size in screen pixels while it prints.
void LayOut(TBabGridView_Custom& grid, const TRect& bounds, int width, int height) {
    grid.SetSizeDontTell(TRect::Bounds(bounds.Left, bounds.Top, width, height));
    grid.MainGrid()->CalcVisibleArea(grid.GetDrawRect());
}

class TRowWalk {
public:
    // originY: where the grid's top lands on the page.
    TRowWalk(const TqoGridPrintArgs& args, int originY)
        : fArgs(args), fOriginY(originY), fArmed(args.Limits.Armed() && args.Limits.Bottom != -1) {}

    // Walks the rows from the top row; false when no row was drawn.
    bool Run(TBabGridCell& root, int top) {
        const int column = FirstShownColumn(root);
        TAxisContentList* rows = root.AxisContentListY();
        int y = top;
        bool stopped = false;
        for (; y < rows->Count() && Wanted(); ++y) {
            TAxisContentItem* item = rows->Items(y);
            if (!item || item->Hide()) {
                ++fCounted;
                continue;
            }
            TBabCell* cell = column >= 0 ? root.getCell(column, y) : nullptr;
            const TRect drawn = cell ? cell->VisibleRect_Untampered() : TRect(-1, -1, -1, -1);
            // Below the layout: the page holds no more.
            if (drawn.Bottom <= 0) {
                stopped = true;
                break;
            }
            if (fArmed && fOriginY + drawn.Bottom > fArgs.Limits.Bottom) {
                // A row taller than the page prints cut, so that every page moves on.
                if (fBottom < 0) Take(drawn.Bottom, item);
                fReport = true;
                stopped = true;
                break;
            }
            Take(drawn.Bottom, item);
        }
        if (!stopped && y >= rows->Count()) AddBlankRows();
        return fBottom >= 0;
    }
    int Bottom() const { return fBottom; }
    int Counted() const { return fCounted; }
    // The limit was reached: the caller is told, once the grid is given back.
    bool Report() const { return fReport; }
    TAxisContentItem* LastFitted() const { return fLastFitted; }

private:
    bool Wanted() const { return fArgs.Rows < 0 || fCounted < fArgs.Rows; }
    void Take(int bottom, TAxisContentItem* item) {
        fBottom = bottom;
        fLastFitted = item;
        ++fCounted;
    }
    void AddBlankRows() {
        if (fArgs.Rows < 0 || fBottom < 0) return;
        const int blank = Round(BlankRowHeight * fArgs.ScaleY);
        for (int n = fCounted; n < fArgs.Rows && blank > 0; ++n) {
            if (fArmed && fOriginY + fBottom + blank > fArgs.Limits.Bottom) break;
            fBottom += blank;
        }
    }

    const TqoGridPrintArgs& fArgs;
    int fOriginY;
    bool fArmed;
    int fBottom = -1;
    int fCounted = 0;
    bool fReport = false;
    TAxisContentItem* fLastFitted = nullptr;
};
} // namespace

TqoPrintResult TqoGridPrinting::Print(const TqoGridPrintArgs& args) {
    if (!args.Grid) throw EqoError("Grid printing needs a grid");
    args.Check();
    if (args.TopLeft && args.TopLeft->getGridCell() != args.Grid->MainGrid())
        throw EqoError("The top-left cell is not a cell of this grid");
    TSaved saved;
    TqoPrintResult result;
    try {
        result = BeforePrintAndPrint(args, saved);
    } catch (...) {
        ResetAfterPrint(*args.Grid, saved);
        throw;
    }
    ResetAfterPrint(*args.Grid, saved);
    // Told last: the callback may do anything once the grid is given back.
    if (saved.LimitReached) {
        const TqoPrintSizeCallback callback = args.Limits.Callback;
        callback(false, saved.LimitValue, saved.LastFitted);
    }
    return result;
}

TqoPrintResult TqoGridPrinting::BeforePrintAndPrint(const TqoGridPrintArgs& args, TSaved& saved) {
    TBabGridView_Custom& grid = *args.Grid;
    TBabGridCellForViewer& root = *grid.MainGrid();
    saved = {root.Top(), root.Left(), grid.BoundsRect()};
    grid.BeginPrint();
    saved.Entered = true;
    const int width = std::max(0, args.Width);
    const int W = Round(width * args.ScaleX);
    const int H = args.Limits.Armed() ? std::max(LayoutHeight, args.Limits.Bottom + 100) : LayoutHeight;
    const int top = std::max(args.TopLeft ? args.TopLeft->RowIndex() : 0, root.FixedRows());
    root.SetTop(top);
    root.SetLeft(args.TopLeft ? args.TopLeft->ColumnIndex() : root.FixedCols());
    LayOut(grid, saved.Bounds, width, int(std::ceil(H / args.ScaleY)));
    // Off the page: every cell that shows learns its printed rectangle.
    grid.Print(*args.DC, -1000, -H, args.ScaleX, args.ScaleY, true);
    const int above = args.FixedRowsAbove ? FixedRowsBottom(root, FirstShownColumn(root)) : 0;
    TRowWalk walk(args, args.Y - above);
    TqoPrintResult result;
    result.UsedWidth = W;
    if (walk.Run(root, top)) {
        const int height = walk.Bottom() + 1;
        LayOut(grid, saved.Bounds, width, int(std::ceil(height / args.ScaleY)));
        grid.Print(*args.DC, args.X, args.Y - above, args.ScaleX, args.ScaleY, true);
        result.UsedHeight = height - above;
        if (args.WhileLaidOut) args.WhileLaidOut(result.UsedHeight);
    }
    result.RowsPrinted = walk.Counted();
    saved.LimitReached = walk.Report();
    saved.LastFitted = walk.LastFitted();
    saved.LimitValue = walk.Bottom();
    return result;
}

void TqoGridPrinting::ResetAfterPrint(TBabGridView_Custom& grid, TSaved& saved) {
    if (!std::exchange(saved.Entered, false)) return;
    TBabGridCellForViewer& root = *grid.MainGrid();
    root.SetTop(saved.Top);
    root.SetLeft(saved.Left);
    grid.SetSizeDontTell(saved.Bounds);
    grid.EndPrint();
    grid.SetSoftViewParamsOutOfDate();
}

} // namespace qo
