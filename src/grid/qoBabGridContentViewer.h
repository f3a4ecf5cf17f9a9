#pragma once
// The outermost grid: it knows the viewer and carries the callbacks and events
// through which the model talks to it. Every callback is optional.
#include "grid/qoBabGridContentGrid.h"

namespace qo {

class TBabGridCellForViewer : public TBabGridCell {
public:
    // The root makes its own data object from the grid cell-data class at once.
    TBabGridCellForViewer(void* viewer, TBabCellDataClass simpleCellDataClass,
                          TBabCellDataClass gridCellDataClass);
    ~TBabGridCellForViewer() override;

    TBabGridCellForViewer* AsViewerRoot() override { return this; }
    void* Viewer() const { return fViewer; }
    const TBabCellDataClass& BabSimpleCellDataClass() const { return fBabSimpleCellDataClass; }
    const TBabCellDataClass& BabGridCellDataClass() const { return fBabGridCellDataClass; }

    TEvent* SelectionChangeEvent() const { return fSelectionChangeEvent.get(); }
    TEvent* AxisChangeEvent() const { return fAxisChangeEvent.get(); }
    TEvent* UserSizeEvent() const { return fUserSizeEvent.get(); }

    // "axis" is true for the rows (Y axis), false for the columns.
    TqoEvent<void(TBabGridCellForViewer* root, TBabCell* cell, bool selected)> OnInternalSelectionChanged;
    TqoEvent<void(TBabGridCellForViewer* root, TBabCell* cell, TRect& rect)> OnCellRectTampering;
    TqoEvent<void(TRect& rect)> OnScaleRect;
    TqoEvent<void(TBabCell* cell)> OnCellDeInit;
    TqoEvent<bool(TBabCell* above, TBabCell* below)> OnCheckCellGrouping;
    TqoEvent<void(TBabGridCell* grid, TAxisContentItem* item, bool axis)> OnVirtualLoad;
    TqoEvent<void(TBabGridCell* grid, TAxisContentItem* item, bool axis, bool perform, bool& answer)>
        OnVirtualUnLoad;
    TqoEvent<void(TBabGridCell* grid, TAxisContentItem* item, bool axis, bool& keep)> OnKeepAfterUnloadCheck;
    TqoEvent<void(TBabGridCell* grid, TAxisContentItem* item, bool axis, int& first, int& last)>
        OnUnloadIntervall;
    TqoEvent<void(TBabGridCell* grid, bool axis, int& first, int& last)> OnDeleteOfUnloaded;
    TqoEvent<TBabCellType(TBabGridCell* grid, TAxisContentItem* column, TAxisContentItem* row)> OnCreateCell;
    TqoEvent<void(TBabGridCellForViewer* root, TBabCell* cell, int& height)> OnMeasureHeight;

private:
    std::unique_ptr<TEvent> fSelectionChangeEvent;
    std::unique_ptr<TEvent> fAxisChangeEvent;
    std::unique_ptr<TEvent> fUserSizeEvent;
    TBabCellDataClass fBabSimpleCellDataClass;
    TBabCellDataClass fBabGridCellDataClass;
    void* fViewer;
};

} // namespace qo
