// Grid tree nodes: their place in the hierarchy, the pre-order walk over all
// nodes, visibility, expansion and the values the grid draws from.
#include "grid/qoGridTree.h"

#include "grid/qoGridTreeHold.h"

namespace qo {

TqoDataEntity_GridTreeNode* TqoDataList_GridTree::Node(int32_t i) {
    return static_cast<TqoDataEntity_GridTreeNode*>(Items(i));
}

void TqoDataList_GridTree::AddUnloaded(int32_t n) {
    TqoDataList::AddUnloaded(n);
    if (!fOwningDataEntity && fGridTree && !fGridTree->fDestroying) fGridTree->Rows()->AddUnloaded(n);
}

void TqoDataEntity_GridTreeNode::AfterCreate(TqoDataList* list) {
    TqoDataEntity::AfterCreate(list);
    SetCanEdit(true);
}

TqoGridTree* TqoDataEntity_GridTreeNode::GridTree() const {
    const TqoDataList_GridTree* list = List();
    return list ? list->GridTree() : nullptr;
}

TqoDataEntity_GridTreeNode* TqoDataEntity_GridTreeNode::ParentNode() const {
    const TqoDataList_GridTree* list = List();
    return list ? list->OwningDataEntity() : nullptr;
}

int TqoDataEntity_GridTreeNode::Level() const {
    int level = 0;
    for (const TqoDataEntity_GridTreeNode* p = ParentNode(); p; p = p->ParentNode()) ++level;
    return level;
}

TqoDataList_GridTree* TqoDataEntity_GridTreeNode::SubDataList() {
    if (!fSubDataList)
        if (TqoGridTree* tree = GridTree()) fSubDataList = tree->NewList(this);
    return fSubDataList;
}

void TqoDataEntity_GridTreeNode::CleanForFree() {
    if (TqoGridTree* tree = GridTree(); tree && !tree->fDestroying) tree->DropRow(this);
    fAxisContentItem = nullptr;
    TqoDataEntity::CleanForFree();
}

// ---- Values the grid draws from ----

namespace {

void RepaintGridOf(TqoGridTree* tree) {
    if (!tree) return;
    if (TBabGridCellForViewer* root = tree->GridCell()->GetViewerGridCell())
        TriggerIfAlive(root->SelectionChangeEvent(), tree->GridCell());
}

} // namespace

void TqoDataEntity_GridTreeNode::SetImageIndex(int value) {
    if (value == fImageIndex) return;
    fImageIndex = value;
    RepaintGridOf(GridTree());
}

void TqoDataEntity_GridTreeNode::SetSelectedIndex(int value) {
    if (value == fSelectedIndex) return;
    fSelectedIndex = value;
    RepaintGridOf(GridTree());
}

bool TqoDataEntity_GridTreeNode::HasNonHiddenChildren() {
    if (!fSubDataListInitiated) return true;
    if (!fSubDataList) return false;
    for (int32_t k = 0; k < fSubDataList->LoadedCount(); ++k)
        if (!static_cast<TqoDataEntity_GridTreeNode*>(fSubDataList->Loaded(k))->fHideNode) return true;
    return false;
}

// ---- Expansion and visibility ----

void TqoDataEntity_GridTreeNode::SetExpanded(bool value) {
    if (value == fExpanded) return;
    TqoGridTree* tree = GridTree();
    if (!tree) {
        fExpanded = value;
        return;
    }
    const THold hold(this);
    bool allow = true;
    (value ? tree->OnExpand : tree->OnCollapse).Fire(tree, this, allow);
    if (!allow || !hold.InList() || fExpanded == value) return;
    fExpanded = value;
    if (value && !fSubDataListInitiated) {
        // Marked first: a handler that expands again is not asked twice.
        fSubDataListInitiated = true;
        tree->_InitSubDataList(this);
        if (!hold.InList()) return;
    }
    tree->UpdateVisibility(this);
}

void TqoDataEntity_GridTreeNode::Set_HideNode(bool value) {
    if (value == fHideNode) return;
    fHideNode = value;
    if (TqoGridTree* tree = GridTree()) tree->UpdateVisibility(this);
}

bool TqoDataEntity_GridTreeNode::IsVisible() const {
    if (fHideNode) return false;
    for (const TqoDataEntity_GridTreeNode* p = ParentNode(); p; p = p->ParentNode())
        if (!p->fExpanded || p->fHideNode) return false;
    return true;
}

// ---- Pre-order ----

TqoDataEntity_GridTreeNode* TqoDataEntity_GridTreeNode::GetNext() {
    if (SubDataListCount() > 0) return fSubDataList->Node(0);
    for (TqoDataEntity_GridTreeNode* n = this; n;) {
        TqoDataList_GridTree* list = n->List();
        if (!list) return nullptr;
        const int32_t next = n->ListIndex() + 1;
        if (next < list->Count()) return list->Node(next);
        n = list->OwningDataEntity();
    }
    return nullptr;
}

TqoDataEntity_GridTreeNode* TqoDataEntity_GridTreeNode::GetPrev() {
    TqoDataList_GridTree* list = List();
    if (!list) return nullptr;
    const int32_t index = ListIndex();
    if (index <= 0) return list->OwningDataEntity();
    TqoDataEntity_GridTreeNode* prev = list->Node(index - 1);
    while (prev && prev->SubDataListCount() > 0) prev = prev->fSubDataList->Node(prev->SubDataListCount() - 1);
    return prev;
}

TqoDataEntity_GridTreeNode* TqoDataEntity_GridTreeNode::GetNextVisible() {
    TqoDataEntity_GridTreeNode* n = GetNext();
    while (n && !n->IsVisible()) n = n->GetNext();
    return n;
}

TqoDataEntity_GridTreeNode* TqoDataEntity_GridTreeNode::GetPrevVisible() {
    TqoDataEntity_GridTreeNode* n = GetPrev();
    while (n && !n->IsVisible()) n = n->GetPrev();
    return n;
}

} // namespace qo
