// Virtual rows: the grid unloads whole top-level subtrees, of which only the
// top-level rows stay counted; a reloaded row is matched to the top-level
// node beside its loaded neighbour, and nodes without rows may leave memory.
#include "grid/qoGridTree.h"

#include "grid/qoGridTreeHold.h"

#include <algorithm>
#include <vector>

namespace qo {

namespace {

TqoDataEntity_GridTreeNode* TopLevel(TqoDataEntity_GridTreeNode* node) {
    while (TqoDataEntity_GridTreeNode* parent = node->ParentNode()) node = parent;
    return node;
}

// Counts a running call for as long as it lives, also when it throws.
class TNesting {
public:
    explicit TNesting(int& counter) : fCounter(counter) { ++fCounter; }
    ~TNesting() { --fCounter; }
    TNesting(const TNesting&) = delete;
    TNesting& operator=(const TNesting&) = delete;

private:
    int& fCounter;
};

} // namespace

// ---- Loading ----

void TqoGridTree::_OnGridRowReload(TAxisContentItem* item) {
    const TNesting nesting(fGridReload);
    TqoDataEntity_GridTreeNode* node = NodeForReloadedRow(item);
    if (!node) throw EqoError(NoLoadedItemMessage);
    if (node->fAxisContentItem) throw EqoError(UnloadedOrLoadedMessage);
    LinkRow(node, item);
    ShowRow(node, node->IsVisible());
}

// The unloaded rows are those of top-level nodes, in their order: the row
// belongs to the top-level node next to the neighbour's, or without a linked
// neighbour to the root node at the row's place.
TqoDataEntity_GridTreeNode* TqoGridTree::NodeForReloadedRow(TAxisContentItem* item) {
    TAxisContentList* rows = Rows();
    const int index = item->ListIndex();
    const int loaded = rows->TrueToLoaded(index);
    const int fixed = rows->FixedItems();
    if (rows->LoadOperationInFront()) {
        if (TqoDataEntity_GridTreeNode* next = NodeOfRow(rows->Loaded(loaded + 1))) return RootBeside(next, -1);
    } else if (loaded >= fixed + 1) {
        if (TqoDataEntity_GridTreeNode* prev = NodeOfRow(rows->Loaded(loaded - 1))) return RootBeside(prev, +1);
    }
    const int32_t count = fRootDataEntities->Count();
    if (count == 0) return nullptr;
    return fRootDataEntities->Node(std::clamp(index - fixed, 0, count - 1));
}

TqoDataEntity_GridTreeNode* TqoGridTree::RootBeside(TqoDataEntity_GridTreeNode* node, int step) {
    TqoDataEntity_GridTreeNode* top = TopLevel(node);
    if (top->OwningDataList() != fRootDataEntities) return nullptr;
    return fRootDataEntities->Node(top->ListIndex() + step);
}

void TqoGridTree::_LoadItem(TqoDataEntity* entity) {
    auto* node = static_cast<TqoDataEntity_GridTreeNode*>(entity);
    if (fGridReload == 0 && node->ParentNode()) InitGridRow(node);
    fOnIntegrationEvents.Fire(ieLoad, node);
}

// ---- Unloading ----

void TqoGridTree::_OnUnloadIntervall(TAxisContentItem* item, int& first, int& last) {
    TqoDataEntity_GridTreeNode* node = NodeOfRow(item);
    if (!node) return;
    TAxisContentList* rows = Rows();
    const int fixed = rows->FixedItems();
    if (rows->LoadedCount() <= fixed) return;
    TqoDataEntity_GridTreeNode* top = TopLevel(node);
    first = top->fAxisContentItem ? top->fAxisContentItem->ListIndex() : rows->LoadedToTrue(fixed);
    last = rows->LoadedToTrue(rows->LoadedCount() - 1);
    // Asking for the next top-level node must not load it: one out of memory has no row.
    const int32_t next = top->ListIndex() + 1;
    if (top->OwningDataList() != fRootDataEntities || !fRootDataEntities->IsLoaded(next)) return;
    auto* after = static_cast<TqoDataEntity_GridTreeNode*>(
        fRootDataEntities->Loaded(next - fRootDataEntities->UnloadedPreCount()));
    if (after->fAxisContentItem) last = after->fAxisContentItem->ListIndex() - 1;
}

void TqoGridTree::_OnKeepGridRowAfterUnload(TAxisContentItem* item, bool& keep) {
    const TqoDataEntity_GridTreeNode* node = NodeOfRow(item);
    keep = !node || !node->ParentNode();
}

void TqoGridTree::_OnGridRowUnload(TAxisContentItem* item, bool perform, bool&) {
    if (!perform) return;
    const TNesting nesting(fGridUnload);
    TqoDataEntity_GridTreeNode* node = NodeOfRow(item);
    item->SetValue2(nullptr);
    if (!node) return;
    node->fAxisContentItem = nullptr;
    PurgeUpwards(node);
}

// The node's list and those of its ancestors: an ancestor whose last loaded
// child just left may leave too.
void TqoGridTree::PurgeUpwards(TqoDataEntity_GridTreeNode* node) {
    TqoDataList* list = node->OwningDataList();
    while (list) {
        TqoDataEntity_GridTreeNode* owner = static_cast<TqoDataList_GridTree*>(list)->OwningDataEntity();
        const THold hold(owner);
        list->Purge();
        list = owner && hold.InList() ? owner->OwningDataList() : nullptr;
    }
}

// Only a node without a row and without loaded children may leave memory:
// one with loaded children would take their rows with it in the middle of the
// grid's unloading.
void TqoGridTree::_UnLoadItem(TqoDataEntity* entity, bool& mayUnload) {
    auto* node = static_cast<TqoDataEntity_GridTreeNode*>(entity);
    mayUnload = !node->fAxisContentItem && (!node->fSubDataList || node->fSubDataList->LoadedCount() == 0);
    if (mayUnload) fOnIntegrationEvents.Fire(ieUnload, node);
}

// The unloaded rows in front of the loaded window are those of the first root
// nodes, the ones after it those of the last: each row is deleted with its
// own root node, whatever the loaded window holds.
void TqoGridTree::_OnDeleteOfUnloaded(TBabGridCell* grid, int first, int last) {
    if (grid != fGridCell) return;
    TAxisContentList* rows = Rows();
    const int fixed = rows->FixedItems();
    const int pre = rows->UnloadedPreCount();
    const int post = rows->UnloadedPostCount();
    const int postFirst = pre + std::max(rows->LoadedCount(), fixed); // the axis's first unloaded row at the back
    const int32_t roots = fRootDataEntities->Count();
    std::vector<int32_t> doomed;
    for (int t = std::min(last, postFirst + post - 1); t >= std::max(first, postFirst); --t)
        doomed.push_back(roots - post + (t - postFirst));
    for (int t = std::min(last, fixed + pre - 1); t >= std::max(first, fixed); --t) doomed.push_back(t - fixed);
    for (int32_t i : doomed)
        if (i >= 0) fRootDataEntities->Delete(i);
}

} // namespace qo
