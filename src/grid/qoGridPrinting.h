#pragma once
// Prints a grid view onto a foreign device context at a position and a scale:
// the grid is laid out for the page from a top-left cell, printed once off
// the page so that every cell knows where it lands, the rows that fit are
// counted (a bottom limit ends the page at the last row that fits and names
// it to the caller), and then those rows are printed for real. Rows asked for
// beyond the last one add blank space. The grid's scroll position, bounds and
// printing state come back afterwards, also when printing fails.
#include "grid/qoBabGridView.h"
#include "grid/qoHeaderPrint.h"

namespace qo {

struct TqoGridPrintArgs : TqoPrintTarget {
    TBabGridView_Custom* Grid = nullptr;
    // A cell of the first row and column to print; nil for the first non-fixed ones.
    TBabCell* TopLeft = nullptr;
    // Negative: every row from the top-left cell's on.
    int Rows = -1;
    // Screen pixels.
    int Width = 0;
    // The fixed rows (the header row) print above Y and the used height leaves them out.
    bool FixedRowsAbove = false;
    // The callback gets the row item (TAxisContentItem) of the last row that fitted.
    // Hidden rows count toward Rows.
    TqoHeaderPrint Limits;
    // Runs after the rows printed, while the grid still lies out the printed rows
    // as if on screen, with their used height: what prints beside them reads them.
    std::function<void(int usedHeight)> WhileLaidOut;
};

class TqoGridPrinting {
public:
    // The state a print changes and gives back.
    struct TSaved {
        int Top = 0, Left = 0;
        TRect Bounds;
        bool Entered = false;
        // The bottom limit ended the page after this row.
        bool LimitReached = false;
        TAxisContentItem* LastFitted = nullptr;
        int LimitValue = 0;
    };
    // Raises EqoError for a scale that is not positive or a top-left cell of another grid.
    static TqoPrintResult Print(const TqoGridPrintArgs& args);
    static TqoPrintResult BeforePrintAndPrint(const TqoGridPrintArgs& args, TSaved& saved);
    // Gives back what BeforePrintAndPrint changed; once.
    static void ResetAfterPrint(TBabGridView_Custom& grid, TSaved& saved);
};

} // namespace qo
