// A row's layers, its settings and its end.
#include "gantt/qoGantRow.h"

#include "gantt/qoGantRowList.h"
#include "grid/qoGridTree.h"
#include "grid/qoTree.h"

#include <cassert>
#include <exception>

namespace qo {

void TqoDataList_GantRow::CleanForFree() {
    fRow = nullptr;
    TqoDataList::CleanForFree();
}

TGantRow::TGantRow(TGantRowList* list, TqoDataEntity_Tree* treeNode, TqoDataEntity_GridTreeNode* gridNode)
    : fNodeIsGrid(!treeNode && gridNode),
      fNode(treeNode ? static_cast<TqoDataEntity*>(treeNode) : gridNode),
      fGantRowList(list) {
    IGantRowOwner* gant = Gant();
    assert(gant && "a row is made for a row list of a chart");
    fDataListList = gant->CreateDataList2Lev();
    // Every row's set shares one handler, which finds the row in the set.
    static const TOnMissingIndex shared = [](TqoDataList2lev* list, int32_t index, bool& handled) {
        if (auto* row = static_cast<TGantRow*>(list->Owner())) row->OnMissingIndex(list, index, handled);
    };
    fDataListList->SetOwner(this);
    fDataListList->SetOnMissingIndex(shared);
    if (TqoDataList3lev* all = gant->AllDataEntities()) all->Add(fDataListList);
}

IGantRowOwner* TGantRow::Gant() const {
    return fGantRowList ? fGantRowList->Gant() : nullptr;
}

TGantRow::~TGantRow() { AbandonDetection(); }

TqoDataEntity_Tree* TGantRow::TreeNode() const {
    return fNodeIsGrid ? nullptr : static_cast<TqoDataEntity_Tree*>(fNode);
}

TqoDataEntity_GridTreeNode* TGantRow::GridTreeNode() const {
    return fNodeIsGrid ? static_cast<TqoDataEntity_GridTreeNode*>(fNode) : nullptr;
}

TqoDataList_GantRow* TGantRow::AddDataList() {
    if (!fDataListList) return nullptr;
    TqoDataList_GantRow* layer = Gant()->CreateDataList_GantRow();
    layer->AfterCreate(Gant()->GantTimeListController(), Gant()->ClassOfDataEntity_GantTime());
    layer->fRow = this;
    fDataListList->Append(layer);
    return layer;
}

TqoDataList_GantRow* TGantRow::Layer(int32_t index) {
    if (index < 0 || !fDataListList) return nullptr;
    while (fDataListList && fDataListList->Count() <= index) AddDataList();
    return fDataListList ? static_cast<TqoDataList_GantRow*>(fDataListList->Member(index)) : nullptr;
}

void TGantRow::OnMissingIndex(TqoDataList2lev* list, int32_t index, bool& handled) {
    if (list != fDataListList || index < 0) return;
    handled = Layer(index) != nullptr;
}

TGantRow::TRare& TGantRow::Rare() {
    if (!fRare) fRare = std::make_unique<TRare>();
    return *fRare;
}

void TGantRow::DataListOnSubCol(int32_t layer, int32_t subCol) {
    if (layer < 0 || layer >= kSubColLayers) return;
    Rare().SubColOfLayer[size_t(layer)] = subCol;
}

int32_t TGantRow::SubColOfLayer(int32_t layer) const {
    if (layer < 0 || layer >= kSubColLayers || !fRare) return 0;
    return fRare->SubColOfLayer[size_t(layer)];
}

bool TGantRow::RowTypeCheckOK() const {
    if (!Gant()) return false;
    return fNode && Gant()->UseGridNotTree() == fNodeIsGrid;
}

// The layers go from the last to the first, each out of the set before it is
// freed; freeing runs the host's delete handlers, which find the row without
// layers and may not add any.
void TGantRow::CleanForFree() {
    AbandonDetection();
    LeaveChart(Gant());
    if (fGantRowList) fGantRowList->fBands.erase(this);
    TqoDataList2lev* set = fDataListList;
    fDataListList = nullptr;
    if (set) {
        set->SetOnMissingIndex(nullptr);
        set->SetOwner(nullptr);
    }
    fNode = nullptr;
    fGantRowList = nullptr;
    if (set) FreeLayers(set);
}

// Searched from both ends at once: rows mostly go from the last or from the first.
void TGantRow::LeaveChart(IGantRowOwner* gant) {
    TqoDataList3lev* all = gant && fDataListList ? gant->AllDataEntities() : nullptr;
    for (int32_t front = 0, back = all ? all->Count() - 1 : -1; front <= back; ++front, --back) {
        if (all->Items(back) == fDataListList) return all->Delete(back);
        if (all->Items(front) == fDataListList) return all->Delete(front);
    }
}

// A handler that raises stops no layer from going; the first error is raised at the end.
void TGantRow::FreeLayers(TqoDataList2lev* set) {
    std::exception_ptr error;
    const auto free = [&error](TqoExposable* object) {
        try {
            object->FreeWheneverPossible();
        } catch (...) {
            if (!error) error = std::current_exception();
        }
    };
    while (set->Count() > 0) {
        TqoDataList* layer = set->Member(set->Count() - 1);
        set->Delete(set->Count() - 1);
        free(layer);
    }
    free(set);
    if (error) std::rethrow_exception(error);
}

} // namespace qo
