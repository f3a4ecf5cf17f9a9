#pragma once
// The grid tree as the grid makes it: while the grid sorts a node list, the
// list's comparison is the grid's, so that the rows follow the sorted nodes.
#include "grid/qoGridTree.h"

#include <functional>

namespace qo {

class TqoGridTreeOfGrid : public TqoGridTree {
public:
    using TCompare = std::function<int32_t(TqoDataEntity* a, TqoDataEntity* b)>;

    // Sorts the list with the comparison; the rows follow.
    void SortList(TqoDataList_GridTree* list, TCompare compare) {
        struct TScope {
            TCompare& Slot;
            ~TScope() { Slot = nullptr; }
        } scope{fCompare};
        fCompare = std::move(compare);
        list->Sort(false);
    }

protected:
    friend class TqoGridTree;
    using TqoGridTree::TqoGridTree;

    int32_t _SortCompare(TqoDataEntity* a, TqoDataEntity* b) override {
        const int32_t byIndex = TqoGridTree::_SortCompare(a, b);
        return fCompare ? fCompare(a, b) : byIndex;
    }

private:
    TCompare fCompare;
};

} // namespace qo
