// One printed page of the Gantt chart: the header (tree or grid), the scaler
// above the chart area beside it, each through its own printing at the
// page's scale, and the chart given back as it was.
#include "gantt/qoPrintGantt.h"

#include "data/qoDoLater.h"
#include "gantt/qoGant.h"
#include "gantt/qoGantGridPrinting.h"
#include "grid/qoPrintTree.h"
#include "platform/core/qoRounding.h"

namespace qo {

namespace {
// What a page changes of the chart, given back when it ends, also after a failure.
class TChartState {
public:
    explicit TChartState(TqoGant_ComBasic& gant)
        : fGant(gant), fRange(gant.DateScaler()->SaveRangeState()), fScalerBounds(gant.DateScaler()->BoundsRect()),
          fChartBounds(gant.GA()->BoundsRect()), fUseGrid(gant.UseGridNotTree()),
          fRowDrawOffset(gant.RowDrawOffset()) {
        gant.BeginUpdate();
    }
    ~TChartState() {
        TqoDateScaler& scaler = *fGant.DateScaler();
        fGant.GA()->SetSizeDontTell(fChartBounds);
        fGant.SetRowDrawOffset(fRowDrawOffset);
        // The size first: a resize marks the range for adjusting, which the saved state undoes.
        scaler.SetSizeDontTell(fScalerBounds);
        scaler.RestoreRangeState(fRange);
        fGant.SetUseGridNotTree(fUseGrid);
        fGant.EndUpdate();
    }
    TChartState(const TChartState&) = delete;
    TChartState& operator=(const TChartState&) = delete;
    const TRect& ScalerBounds() const { return fScalerBounds; }
    const TRect& ChartBounds() const { return fChartBounds; }

private:
    TqoGant_ComBasic& fGant;
    TqoDateScaler::TRangeState fRange;
    TRect fScalerBounds, fChartBounds;
    bool fUseGrid;
    int fRowDrawOffset;
};

// The band top of the first printed tree row, which the chart area draws at its top.
int FirstRowTop(TqoGant_ComBasic& gant, TqoDataEntity* start) {
    TqoDataEntity_Tree* first = TqoPrintTree::FirstRow(gant.TreeView(), static_cast<TqoDataEntity_Tree*>(start));
    TGantRow* row = first ? gant.RowList()->FindRowFromTreeNode(first) : nullptr;
    const int top = row ? gant.TreeView()->RowBand(*row).Top : -1;
    return top == -1 ? 0 : top;
}
} // namespace

TqoHeaderPrint TqoPrintGantt::TPage::Limits() {
    return {Right, Bottom, [this](bool isRight, int value, void* data) {
                (isRight ? RightReached : BottomReached) = true;
                (isRight ? RightValue : BottomValue) = value;
                (isRight ? RightData : BottomData) = data;
            }};
}

void TqoPrintGantt::TPage::Tell(const TqoPrintSizeCallback& callback) const {
    if (!callback) return;
    if (RightReached) callback(true, RightValue, RightData);
    if (BottomReached) callback(false, BottomValue, BottomData);
}

TqoPrintResult TqoPrintGantt::InternalPrintLoop(TqoGant_ComBasic& gant, TqoDC& dc, const TqoGantPrintArgs& args,
                                                bool useGrid, TqoDataEntity* start, int rows, TPage& page) {
    TChartState state(gant);
    gant.SetUseGridNotTree(useGrid);
    TqoDateScaler& scaler = *gant.DateScaler();
    scaler.SetStart(args.StartDate);
    scaler.SetStop(args.StopDate);
    const TRect& sb = state.ScalerBounds();
    scaler.SetSizeDontTell(TRect::Bounds(sb.Left, sb.Top, args.ScaleLength, args.ScaleHeight));
    scaler.BeginUpdate();
    scaler.EndUpdate();
    // Pending sub-column and scroll updates go in before anything is measured.
    TDoLater::DoAllNow();
    const double sx = args.ScaleX, sy = args.ScaleY;
    const int left = args.X + Round(args.TreeWidth * sx), top = args.Y + Round(args.ScaleHeight * sy);
    const auto printArea = [&](int usedHeight) {
        TqoOffscreenPaint_GA& area = *gant.GA();
        const TRect& cb = state.ChartBounds();
        area.SetSizeDontTell(TRect::Bounds(cb.Left, cb.Top, args.ScaleLength, Round(usedHeight / sy)));
        if (!useGrid) gant.SetRowDrawOffset(FirstRowTop(gant, start));
        // The rows' places come from the grid's layout, which is the page's now.
        if (useGrid) gant.RowList()->GeometryChanged();
        if (usedHeight > 0) area.Print(dc, left, top, sx, sy, true);
    };
    const TqoPrintResult header = PrintHeader(gant, dc, args, useGrid, start, rows, page, printArea);
    // And the screen's again.
    if (useGrid) gant.RowList()->GeometryChanged();
    scaler.Print(dc, left, args.Y, sx, sy, true);
    const TqoPrintResult used{Round(args.ScaleLength * sx) + header.UsedWidth,
                              Round(args.ScaleHeight * sy) + header.UsedHeight, header.RowsPrinted};
    // The header knows only its own width: the chart says when it is wider than the page.
    if (page.Right != -1 && args.X + used.UsedWidth > page.Right && !page.RightReached)
        page.Limits().Callback(true, used.UsedWidth, nullptr);
    return used;
}

TqoPrintResult TqoPrintGantt::PrintHeader(TqoGant_ComBasic& gant, TqoDC& dc, const TqoGantPrintArgs& args,
                                          bool useGrid, TqoDataEntity* start, int rows, TPage& page,
                                          const std::function<void(int usedHeight)>& besideRows) {
    const double sy = args.ScaleY;
    if (useGrid) {
        // The grid's header row stands beside the scaler's lower part, its rows below the scaler.
        TqoPrintTarget target = args;
        target.DC = &dc;
        target.Y = args.Y + Round(args.ScaleHeight * sy);
        return gant.Grid()->Printing()->PrintRows(target, static_cast<TqoDataEntity_GridTreeNode*>(start), rows,
                                                  args.TreeWidth, page.Limits(), besideRows);
    }
    TqoTreePrintArgs tree;
    static_cast<TqoPrintTarget&>(tree) = args;
    tree.DC = &dc;
    tree.Y = args.Y + Round(args.ScaleHeight * sy);
    tree.Tree = gant.TreeView();
    tree.Width = args.TreeWidth;
    tree.StartRow = static_cast<TqoDataEntity_Tree*>(start);
    tree.RowsToPrint = rows;
    tree.ExpandAll = args.ExpandAll;
    tree.RowHeight = gant.RowHeight();
    tree.Limits = page.Limits();
    const TqoPrintResult printed = TqoPrintTree::Print(tree);
    besideRows(printed.UsedHeight);
    return printed;
}

} // namespace qo
