// What a host asks of the chart's model: items added to rows and removed,
// links, selection, the item at a point and where an item is, and the scale
// moved so that a row or the active item shows.
#include "gantt/qoGant.h"

#include <algorithm>
#include <utility>

namespace qo {

namespace {
constexpr TRect kNoRect{-1, -1, -1, -1};
} // namespace

TqoDataEntity_GantTime* TqoGant_ComBasic::AddGantTime(TqoDataEntity_Tree* node, int layer) {
    return AddGantTimeToGantRow(node ? fRowList->FindRowFromTreeNode(node) : nullptr, layer);
}

// The insert handler gives the item its defaults before the host hears of it;
// an item the host deleted again from there is not returned.
TqoDataEntity_GantTime* TqoGant_ComBasic::AddGantTimeToGantRow(TGantRow* row, int layer) {
    if (!row || !fRowList || row->RowList() != fRowList) return nullptr;
    TqoDataList_GantRow* list = row->Layer(layer);
    if (!list) return nullptr;
    const TqoAlive::TWatch alive = fAlive.Watch();
    // The host hears of the item and may free the component, and with it the layer.
    TqoKeepAlive<TqoExposable> keep({list});
    fAddingItem = true;
    fAddedItem = nullptr;
    try {
        list->Add();
    } catch (...) {
        if (alive) fAddingItem = false;
        throw;
    }
    if (!alive) return nullptr;
    fAddingItem = false;
    return std::exchange(fAddedItem, nullptr);
}

void TqoGant_ComBasic::RemoveGantTime(TqoDataEntity_GantTime* item) {
    if (item && item->OwningDataList()) item->OwningDataList()->Remove(item);
}

TqoDataEntity_Link* TqoGant_ComBasic::AddLink() {
    auto* link = dynamic_cast<TqoDataEntity_Link*>(fLinksDataList->Add());
    if (!link) return nullptr;
    link->SetLinkStyle(fDefaultLinkStyle);
    link->SetLinkColor(fDefaultLinkColor);
    link->SetLinkPenWidth(FDefaultLinkPenWidth);
    return link;
}

// The item knows its links: no other link of the chart is looked at, and they
// go from the last to the first without renumbering the others. Their
// freeing may run host code, so they are held meanwhile and each is checked
// to be still in the list before it goes.
void TqoGant_ComBasic::DropAllLinks(TqoDataEntity_GantTime* item) {
    if (!item || !fLinksDataList) return;
    std::vector<TqoDataEntity_Link*> links = item->Links();
    if (links.empty()) return;
    TqoKeepAlive<TqoDataEntity_Link> keep(links);
    std::sort(links.begin(), links.end(),
              [](TqoDataEntity_Link* a, TqoDataEntity_Link* b) { return a->ListOrder() > b->ListOrder(); });
    for (TqoDataEntity_Link* link : links)
        if (fLinksDataList && link->OwningDataList() == fLinksDataList) fLinksDataList->Remove(link);
}

void TqoGant_ComBasic::ClearSelections() {
    if (!fAllDataEntities) return;
    for (int32_t i = 0; i < fAllDataEntities->Count(); ++i) fAllDataEntities->Items(i)->ClearSelections();
}

TqoDataEntity_GantTime* TqoGant_ComBasic::GetDataEntityFromXY(int x, int y) {
    TGantRow* row = fRowList ? fRowList->FindRowFromY(y) : nullptr;
    return row ? row->FindDataEntityFromXY(x, y) : nullptr;
}

TRect TqoGant_ComBasic::RectFromDataEntity(TqoDataEntity_GantTime* item) {
    TGantRow* row = item ? item->Row() : nullptr;
    TRect rect;
    return row && row->RectFromDataEntity(item, rect) ? rect : kNoRect;
}

bool TqoGant_ComBasic::IsTimeVisible(TqoDataEntity_GantTime* item) {
    const TDateTime start = Start(), stop = Stop();
    const TDateTime a = item->Start(), b = item->Stop();
    return (a >= start && a <= stop) || (b >= start && b <= stop) || (a < start && b > stop);
}

// The first match of the last layer, in row then layer order, that holds one.
TqoDataEntity_GantTime* TqoGant_ComBasic::FindGantTimeObjectFromUserReference(const void* reference) {
    TqoDataEntity* found = nullptr;
    for (int32_t r = 0; fRowList && r < fRowList->Count(); ++r) {
        TqoDataList2lev* layers = fRowList->GetGantRow(r)->DataLists();
        for (int32_t l = 0; layers && l < layers->Count(); ++l)
            if (TqoDataEntity* match = layers->Items(l)->FindFromUserReference(reference)) found = match;
    }
    return static_cast<TqoDataEntity_GantTime*>(found);
}

void TqoGant_ComBasic::MakeSureRowInView(TGantRow* row) {
    TqoDataList2lev* layers = row ? row->DataLists() : nullptr;
    if (!layers) return;
    TDateTime first = 268435455.0, last = 0.0;
    bool any = false;
    for (int32_t l = 0; l < layers->Count(); ++l) {
        TqoDataList& layer = *layers->Items(l);
        for (int32_t k = 0; k < layer.LoadedCount(); ++k) {
            const auto* item = static_cast<const TqoDataEntity_GantTime*>(layer.Loaded(k));
            first = std::min(first, item->Start());
            last = std::max(last, item->Stop());
            any = true;
        }
    }
    if (any) SetRange(first, last);
}

// The scaler's start moves the window whole: the stop is set after it.
void TqoGant_ComBasic::SetRange(TDateTime start, TDateTime stop) {
    SetStart(start);
    SetStop(stop);
}

// An item wider than the window is shown exactly; otherwise the window keeps
// its width and moves just enough to take the item in.
void TqoGant_ComBasic::MakeSureActiveInView() {
    if (!fActiveDataEntity) return;
    const TDateTime a = fActiveDataEntity->Start(), b = fActiveDataEntity->Stop();
    const TDateTime start = Start(), stop = Stop();
    if (a <= start && b > stop)
        SetRange(a, b);
    else if (a < start)
        SetRange(a, stop + (a - start));
    else if (b > stop)
        SetRange(start + (b - stop), b);
}

// The row's host events may free the chart, and the node with it.
TqoDataEntity_GridTreeNode* TqoGant_ComBasic::GridNode_Add(TqoDataEntity_GridTreeNode* owner) {
    TqoGridTree* tree = fGrid ? fGrid->GridTree() : nullptr;
    if (!tree) return nullptr;
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoDataEntity_GridTreeNode* node = tree->AddDataEntity(owner);
    return alive ? node : nullptr;
}

void TqoGant_ComBasic::GridNode_Remove(TqoDataEntity_GridTreeNode* node) {
    TqoGridTree* tree = fGrid ? fGrid->GridTree() : nullptr;
    if (tree && node) tree->RemoveDataEntity(node);
}

TqoDataEntity_GantTime* TqoGant_ComBasic::GridNode_AddGantTime(TqoDataEntity_GridTreeNode* node, int layer) {
    return AddGantTimeToGantRow(node && fRowList ? fRowList->FindRowFromGridNode(node) : nullptr, layer);
}

TGantRow* TqoGant_ComBasic::GetActiveGantRow() {
    if (!fRowList) return nullptr;
    if (fUseGridNotTree) {
        TqoDataEntity_GridTreeNode* node = fGrid->CurrentNode();
        return node ? fRowList->FindRowFromGridNode(node) : nullptr;
    }
    TqoDataEntity_Tree* current = fTree->CurrentDataEntity();
    return current ? fRowList->FindRowFromTreeNode(current) : nullptr;
}

void TqoGant_ComBasic::SetActiveDataEntity(TqoDataEntity_GantTime* item) {
    fActiveDataEntity = item;
    if (!OnHintInfo) return;
    if (item)
        OnHintInfo(item, item->Start(), item->Stop(), item->Stop() - item->Start());
    else
        OnHintInfo(nullptr, 0, 0, 0);
}

} // namespace qo
