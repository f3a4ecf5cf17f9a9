#include "gantt/qoGantGridPrinting.h"

#include "grid/qoGrid.h"
#include "grid/qoGridPrinting.h"
#include "grid/qoGridTree.h"
#include "platform/core/qoErrors.h"

namespace qo {

TqoPrintResult TqoGantGridPrinting::PrintRows(const TqoPrintTarget& target, TqoDataEntity_GridTreeNode* start,
                                              int rows, int width, const TqoHeaderPrint& limits,
                                              const std::function<void(int usedHeight)>& besideRows) {
    TqoGridPrintArgs args;
    static_cast<TqoPrintTarget&>(args) = target;
    args.Grid = &fGrid;
    args.Rows = rows;
    args.Width = width;
    args.FixedRowsAbove = true;
    args.WhileLaidOut = besideRows;
    if (start) {
        TAxisContentItem* row = start->AxisContentItem();
        args.TopLeft = row && start->GridTree() == fGrid.GetTree()
                           ? fGrid.Cell(fGrid.MainGrid()->FixedCols(), row->ListIndex())
                           : nullptr;
        if (!args.TopLeft) throw EqoError("The start row is not a row of this grid");
    }
    args.Limits.Right = limits.Right;
    args.Limits.Bottom = limits.Bottom;
    if (limits.Callback)
        args.Limits.Callback = [&limits](bool isRight, int value, void* data) {
            limits.Callback(isRight, value, TqoGrid::AxisContentItemToGridTreeNode(static_cast<TAxisContentItem*>(data)));
        };
    return TqoGridPrinting::Print(args);
}

void TqoGantGridPrinting::AnnounceTopLeft() { fGrid.OnTopLeftChanged.Fire(&fGrid); }

} // namespace qo
