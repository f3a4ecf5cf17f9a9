// What the view asks of a cell that the grid answers from the cell's column:
// the button column, icons and the grouping of equal cells.
#include "grid/qoGrid.h"

namespace qo {

bool TqoGrid::CellHasButton(TBabCell* cell) {
    const TqoGrid_Column* column = CellToColumn(cell);
    return column ? column->TreeButton() : TBabGridView_Custom::CellHasButton(cell);
}

bool TqoGrid::CellHasIcon(TBabCell* cell) {
    const TqoGrid_Column* column = CellToColumn(cell);
    return column && column->HasIcon() && CellIconIndex(cell) != -1;
}

bool TqoGrid::_OnCheckCellGrouping(TBabCell* above, TBabCell* below) {
    TqoGrid_Column* column = CellToColumn(above);
    if (!column || !column->Groupcells() || above->IsFixed()) return false;
    if (column->OnGroupcellCompare()) return column->OnGroupcellCompare()(this, column, above, below);
    return GetText(above) == GetText(below);
}


} // namespace qo
