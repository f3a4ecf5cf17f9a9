#pragma once
// How the chart prints the grid that heads its rows in grid mode: the rows
// from a node's row on, at a place and scale, up to a bottom limit that names
// the node of the last row that fitted. TqoGantGridPrinting does it for the
// grid component; a grid header hands it out through IGantGridHeader.
#include "grid/qoHeaderPrint.h"

namespace qo {

class TqoDataEntity_GridTreeNode;
class TqoGrid;

class IGantGridPrinting {
public:
    virtual ~IGantGridPrinting() = default;
    // start nil: the first row; rows negative: every row from the start on.
    // The header row prints above the target's y and the used height leaves it
    // out. The callback's data is the node of the last row that fitted.
    // besideRows runs while the grid lies out the printed rows as on screen.
    virtual TqoPrintResult PrintRows(const TqoPrintTarget& target, TqoDataEntity_GridTreeNode* start, int rows,
                                     int width, const TqoHeaderPrint& limits,
                                     const std::function<void(int usedHeight)>& besideRows) = 0;
    // Tells the grid's listeners that its top-left cell changed, once printing is over.
    virtual void AnnounceTopLeft() = 0;
};

class TqoGantGridPrinting : public IGantGridPrinting {
public:
    explicit TqoGantGridPrinting(TqoGrid& grid) : fGrid(grid) {}
    // Raises EqoError for a start node without a row in this grid.
    TqoPrintResult PrintRows(const TqoPrintTarget& target, TqoDataEntity_GridTreeNode* start, int rows, int width,
                             const TqoHeaderPrint& limits, const std::function<void(int usedHeight)>& besideRows) override;
    void AnnounceTopLeft() override;

private:
    TqoGrid& fGrid;
};

} // namespace qo
