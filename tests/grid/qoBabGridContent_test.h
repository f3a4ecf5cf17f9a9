#pragma once
// A root grid for the content model tests, filled with plain loaded items or
// with virtual (unloaded) ones.
#include "grid/qoBabGridContent.h"

#include <memory>

namespace qo::test {

struct TTestGrid {
    std::unique_ptr<TBabGridCellForViewer> root = std::make_unique<TBabGridCellForViewer>(
        nullptr, TBabCellDataClass::Of<TBabSimpleCellData>(), TBabCellDataClass::Of<TBabGridCellData>());

    TAxisContentList* X() const { return root->AxisContentListX(); }
    TAxisContentList* Y() const { return root->AxisContentListY(); }

    void Fill(int columns, int rows) {
        for (int i = 0; i < columns; ++i) X()->AddNew(nullptr);
        for (int i = 0; i < rows; ++i) Y()->AddNew(nullptr);
    }
    // The owner lets every item go when asked.
    void AllowUnload() {
        root->OnVirtualUnLoad = [](TBabGridCell*, TAxisContentItem*, bool, bool, bool& answer) {
            answer = true;
        };
    }
};

} // namespace qo::test
