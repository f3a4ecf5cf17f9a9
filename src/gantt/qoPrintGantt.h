#pragma once
// Prints the whole Gantt chart (row header, date scaler and chart area side
// by side) onto a device context at a position and a scale, for a window of
// time and a range of rows. Without a handler of the component's
// OnPrintToHdcNewPage it prints once; with one, page by page: before each page
// the host gives the page's size, whether to go on and whether to render
// (else the page is only laid out), and may switch the device context through
// HdcToUseOnNewPage; pages go on until every row was printed. The chart comes
// back as it was (scaler range and size, chart area size, header mode, row
// offset, expanded rows), also when printing or the host fails. Printing does
// not nest.
#include "grid/qoHeaderPrint.h"
#include "platform/core/qoDateTime.h"

#include <functional>
#include <vector>

namespace qo {

class TqoDataEntity;
class TqoDataEntity_GridTreeNode;
class TqoDataEntity_Tree;
class TqoGant_ComBasic;

struct TqoGantPrintArgs : TqoPrintTarget {
    // Screen pixels: the header's width, the scaler's length and height.
    int TreeWidth = 0;
    int ScaleLength = 0, ScaleHeight = 0;
    // Negative: every row from the start row on.
    int RowsToPrint = -1;
    // Collapsed rows print with their children.
    bool ExpandAll = false;
    TDateTime StartDate = 0, StopDate = 0;
    // Without a page handler: the caller's limits, reported once the chart is back.
    TqoHeaderPrint Limits;
};

struct TqoGantPrintResult {
    // Of the last page printed, in device units.
    int UsedWidth = 0, UsedHeight = 0;
    // Rows printed on rendered pages.
    int RowsPrinted = 0;
    // Pages the host let go ahead.
    int Pages = 0;
};

class TqoPrintGantt {
public:
    // The header is the tree; start nil: its first row.
    static TqoGantPrintResult Print(TqoGant_ComBasic& gant, const TqoGantPrintArgs& args, TqoDataEntity_Tree* start);
    // The header is the grid; start nil: its first row. Raises EqoError without a grid that prints.
    static TqoGantPrintResult PrintWithGrid(TqoGant_ComBasic& gant, const TqoGantPrintArgs& args,
                                            TqoDataEntity_GridTreeNode* start);

    // Rows whose header node was collapsed and had children, expanded for printing.
    using TExpandedList = std::vector<TqoDataEntity*>;
    // With expandAll: every row's header node of the mode is expanded and those
    // that were collapsed are listed.
    static void Expand(TqoGant_ComBasic& gant, bool useGrid, bool expandAll, TExpandedList& list);
    static void Collapse(TqoGant_ComBasic& gant, bool expandAll, TExpandedList& list);

    // Device contexts that a host names by number in HdcToUseOnNewPage; the
    // source is asked at each page (a printer's page changes). Handles are
    // positive.
    static int RegisterDC(std::function<TqoDC*()> source);
    static void UnregisterDC(int handle);
    // Nil for a handle nobody registered.
    static TqoDC* FindDC(int handle);

private:
    // A page's limits and what the header reported of them.
    struct TPage {
        int Right = -1, Bottom = -1;
        bool RightReached = false, BottomReached = false;
        int RightValue = 0, BottomValue = 0;
        void* RightData = nullptr;
        void* BottomData = nullptr;
        TqoHeaderPrint Limits();
        // Passes what was reported on to a caller's callback.
        void Tell(const TqoPrintSizeCallback& callback) const;
    };
    static TqoGantPrintResult InternalPrint(TqoGant_ComBasic& gant, const TqoGantPrintArgs& args, bool useGrid,
                                            TqoDataEntity* start);
    static TqoGantPrintResult PrintPages(TqoGant_ComBasic& gant, const TqoGantPrintArgs& args, bool useGrid,
                                         TqoDataEntity* start, TqoDC& measure, const std::function<bool()>& alive);
    // One page; what the header reported of its limits goes into limits.
    static TqoPrintResult InternalPrintLoop(TqoGant_ComBasic& gant, TqoDC& dc, const TqoGantPrintArgs& args,
                                            bool useGrid, TqoDataEntity* start, int rows, TPage& page);
    // besideRows prints the chart area beside the printed rows: in grid mode
    // while the grid still lies them out, since the area reads their bands from it.
    static TqoPrintResult PrintHeader(TqoGant_ComBasic& gant, TqoDC& dc, const TqoGantPrintArgs& args, bool useGrid,
                                      TqoDataEntity* start, int rows, TPage& page,
                                      const std::function<void(int usedHeight)>& besideRows);
    static void CheckArgs(TqoGant_ComBasic& gant, const TqoGantPrintArgs& args, bool useGrid, TqoDataEntity* start);
    // The first row of the next page, nil when there is none.
    static TqoDataEntity* NextStart(bool useGrid, void* reported);
};

} // namespace qo
