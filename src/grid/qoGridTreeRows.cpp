// The rows of the grid tree's cell: made after the pre-order predecessor's
// row, moved with whole subtrees, hidden under collapsed or hidden ancestors.
#include "grid/qoGridTree.h"

#include "grid/qoGridTreeHold.h"

#include <cassert>

namespace qo {

void TqoGridTree::LinkRow(TqoDataEntity_GridTreeNode* node, TAxisContentItem* item) {
    node->fAxisContentItem = item;
    item->SetValue2(node);
}

// A node whose predecessor has no row (its subtree is unloaded) gets none;
// only a top-level node is counted as one more unloaded row, as the rows that
// stay counted after an unload are those of top-level nodes.
void TqoGridTree::InitGridRow(TqoDataEntity_GridTreeNode* node) {
    TqoDataEntity_GridTreeNode* prev = node->GetPrev();
    int index = Rows()->FixedItems();
    if (prev && !prev->fAxisContentItem) {
        if (!node->ParentNode()) Rows()->AddUnloaded(1);
        return;
    }
    if (prev) index = RowIndexOf(prev->fAxisContentItem) + 1;
    TAxisContentItem* item = Rows()->InsertNew(index, node);
    LinkRow(node, item);
    if (!node->IsVisible()) item->SetHide(true);
    fLastRow = item;
    fLastRowIndex = index;
}

// The remembered index holds while the row still stands there, which the
// axis tells without renumbering; else the axis is asked.
int TqoGridTree::RowIndexOf(TAxisContentItem* item) const {
    TAxisContentList* rows = Rows();
    if (item == fLastRow && rows->IsLoaded(fLastRowIndex) && rows->Loaded(rows->TrueToLoaded(fLastRowIndex)) == item)
        return fLastRowIndex;
    return item->ListIndex();
}

void TqoGridTree::DropRow(TqoDataEntity_GridTreeNode* node) {
    TAxisContentItem* item = node->fAxisContentItem;
    if (!item) return;
    assert(item->AxisContentList() == Rows() && "a node's row is in its tree's grid cell");
    node->fAxisContentItem = nullptr;
    item->SetValue2(nullptr);
    Rows()->Drop(item->ListIndex());
}

// ---- Moves ----

void TqoGridTree::PlaceRow(TqoDataEntity_GridTreeNode* node) {
    TAxisContentItem* item = node->fAxisContentItem;
    if (!item) return;
    TqoDataEntity_GridTreeNode* prev = node->GetPrev();
    const int target = prev && prev->fAxisContentItem ? prev->fAxisContentItem->ListIndex() : Rows()->FixedItems() - 1;
    const int current = item->ListIndex();
    if (current > target + 1)
        Rows()->Move(current, target + 1);
    else if (current < target)
        Rows()->Move(current, target);
}

// The node first, then each child in order: the whole subtree follows.
void TqoGridTree::HandleMoveOfTreeNode(TqoDataEntity_GridTreeNode* node) {
    PlaceRow(node);
    ShowRow(node, node->IsVisible());
    TqoDataList_GridTree* sub = node->fSubDataList;
    for (int32_t k = 0; sub && k < sub->LoadedCount(); ++k) {
        auto* child = static_cast<TqoDataEntity_GridTreeNode*>(sub->Loaded(k));
        const THold hold(child);
        HandleMoveOfTreeNode(child);
        if (node->fSubDataList != sub) return;
    }
}

void TqoGridTree::PlaceRowsInListOrder(TqoDataList* list) {
    for (int32_t k = 0; k < list->LoadedCount(); ++k) {
        auto* node = static_cast<TqoDataEntity_GridTreeNode*>(list->Loaded(k));
        const THold hold(node);
        HandleMoveOfTreeNode(node);
    }
}

// ---- Visibility ----

// The row's Hide and the node's Visible follow; Visible reports to the host.
void TqoGridTree::ShowRow(TqoDataEntity_GridTreeNode* node, bool visible) {
    if (!node->fAxisContentItem) return;
    node->fAxisContentItem->SetHide(!visible);
    node->SetVisible(visible);
}

void TqoGridTree::UpdateVisibility(TqoDataEntity_GridTreeNode* node) {
    const bool visible = node->IsVisible();
    ShowRow(node, visible);
    UpdateChildVisibility(node, visible);
}

// Only the subtree is visited, and not below a collapsed or hidden node: what
// lies there is hidden whatever its ancestors do, and was hidden when that
// node closed.
void TqoGridTree::UpdateChildVisibility(TqoDataEntity_GridTreeNode* node, bool visible) {
    TqoDataList_GridTree* sub = node->fSubDataList;
    const bool shown = visible && node->fExpanded;
    for (int32_t k = 0; sub && k < sub->LoadedCount(); ++k) {
        auto* child = static_cast<TqoDataEntity_GridTreeNode*>(sub->Loaded(k));
        const THold hold(child);
        const bool childVisible = shown && !child->fHideNode;
        ShowRow(child, childVisible);
        if (child->fExpanded && !child->fHideNode && hold.InList()) UpdateChildVisibility(child, childVisible);
        if (node->fSubDataList != sub) return;
    }
}

} // namespace qo
