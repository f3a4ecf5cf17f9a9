#include "grid/qoBabGridContentViewer.h"

namespace qo {

TBabGridCellForViewer::TBabGridCellForViewer(void* viewer, TBabCellDataClass simpleCellDataClass,
                                             TBabCellDataClass gridCellDataClass)
    : TBabGridCell(nullptr), fSelectionChangeEvent(std::make_unique<TEvent>(this)),
      fAxisChangeEvent(std::make_unique<TEvent>(this)), fUserSizeEvent(std::make_unique<TEvent>(this)),
      fBabSimpleCellDataClass(simpleCellDataClass), fBabGridCellDataClass(gridCellDataClass),
      fViewer(viewer) {
    AdoptData(CreateBabCellData(this));
    fBabCellData->InitContent();
}

TBabGridCellForViewer::~TBabGridCellForViewer() {
    // The cells report their end through this root's callbacks, so they go first.
    FreeContent();
    fSelectionChangeEvent.reset();
    fAxisChangeEvent.reset();
    fUserSizeEvent.reset();
}

} // namespace qo
