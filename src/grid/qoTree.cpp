// The tree component: its lists, the handlers of their events, and the
// rebuild of the nodes from the data, which visits only what changed.
#include "grid/qoTree.h"

#include "data/qoBeginUpdate.h"
#include "data/qoDoLater.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace qo {

TqoTree_ComBasic::TqoTree_ComBasic(TComponent* owner)
    : TCustomTreeView(owner), fClassOfDataEntity_Tree(TqoDataEntityClass::Of<TqoDataEntity_Tree>()) {
    fListOfDataListListInstances = new TqoDataList2lev;
    fListController = new TqoListController_Tree(this);
    fRootDataList = new TqoDataList_Tree;
    fRootDataList->AfterCreate(fListController, fClassOfDataEntity_Tree);
    fListOfDataListListInstances->Add(fRootDataList);
    TqoListController& c = *fListController;
    c.SetOnContentChanged([this](TqoDataList* l) { _ContentChanged(l); });
    c.SetOnSelectionChanged([this](TqoDataList* l, TqoDataEntity* e) { _SelectionChanged(l, e); });
    c.SetOnDeleteItem([this](TqoDataEntity* e) { _DeleteItem(e); });
    c.SetOnInsertItem([this](TqoDataEntity* e) { _InsertItem(e); });
    c.SetOnEnterOwnerAfterChange([this](TqoDataEntity* e) { _EnterOwnerAfterChange(e); });
    c.SetOnLeaveOwnerBeforeChange([this](TqoDataEntity* e) { _LeaveOwnerBeforeChange(e); });
    c.SetOnInfoPush([this](TqoDataEntity* e) { _OnInfoPush(e); });
    c.SetOnSortCompare([this](TqoDataEntity* a, TqoDataEntity* b) { return _SortCompare(a, b); });
    c.SetOnBeforeCanEditItem([this](TqoDataEntity* e) { _OnBeforeCanEditItem(e); });
    c.SetOnVisibleChanged([this](TqoDataEntity* e) { _OnVisibleChanged(e); });
    c.SetOnHandlePerformedMove(
        [this](TqoDataEntity* e, int32_t from, int32_t to) { HandlePerformedMove(e, from, to); });
}

TqoTree_ComBasic::~TqoTree_ComBasic() {
    fCurrentDataEntity_Async_Mailbox = nullptr;
    TDoLater::NeverMind(DoLaterMethod<&TqoTree_ComBasic::SetCurrentAsync>(this));
    TDoLater::NeverMind(DoLaterMethod<&TqoTree_ComBasic::CheckSelectedIsCurrent>(this));
    fDestroying = true;
    // The nodes go first: their destructors still see this tree whole.
    TCustomTreeView::Clear();
    Clear();
    fRootDataList->FreeWheneverPossible();
    fListOfDataListListInstances->FreeWheneverPossible();
    delete fListController;
}

// ---- Data ----

void TqoTree_ComBasic::CheckOwnEntity(TqoDataEntity_Tree* entity) const {
    if (entity && entity->Tree() != this) throw EqoError("The tree entity belongs to another tree");
}

TqoDataEntity_Tree* TqoTree_ComBasic::AddDataEntity(TqoDataEntity_Tree* owner) {
    CheckOwnEntity(owner);
    TqoDataList_Tree* list = owner ? owner->SubDataList() : fRootDataList;
    return static_cast<TqoDataEntity_Tree*>(list->Add());
}

TqoDataEntity_Tree* TqoTree_ComBasic::InsertDataEntity(TqoDataEntity_Tree* owner, int32_t index) {
    CheckOwnEntity(owner);
    TqoDataList_Tree* list = owner ? owner->SubDataList() : fRootDataList;
    return static_cast<TqoDataEntity_Tree*>(list->Insert(index));
}

void TqoTree_ComBasic::RemoveDataEntity(TqoDataEntity_Tree* entity) {
    if (!entity || !entity->OwningDataList() || fEntitiesBeingDeleted.count(entity)) return;
    CheckOwnEntity(entity);
    if (Selected() && EntityOf(Selected()) == entity) TCustomTreeView::SetSelected(nullptr);
    entity->OwningDataList()->Remove(entity);
}

void TqoTree_ComBasic::ChangeOwner(TqoDataEntity_Tree* moved, TqoDataEntity_Tree* newOwner) {
    if (!moved || !newOwner || moved == newOwner || !newOwner->SubDataList()) return;
    CheckOwnEntity(moved);
    CheckOwnEntity(newOwner);
    for (TqoDataEntity_Tree* p = newOwner; p; p = p->ParentNode())
        if (p == moved) throw EqoError("A tree entity cannot be moved below itself");
    moved->ChangeOwner(newOwner->SubDataList(), newOwner->SubDataList()->LoadedCount());
}

void TqoTree_ComBasic::Clear() {
    fRootDataList->Clear();
    if (!fDestroying)
        for (int32_t i = fListOfDataListListInstances->Count() - 1; i >= 0; --i)
            fListOfDataListListInstances->Member(i)->Clear();
    // Deleting the entities freed their sub-lists; only the root list is left.
    fListOfDataListListInstances->Clear();
    if (!fDestroying) fListOfDataListListInstances->Add(fRootDataList);
}

// ---- Handlers of the list controller ----

TqoDataList_Tree* TqoTree_ComBasic::MakeSubList(TqoDataEntity_Tree* entity) {
    auto* sub = new TqoDataList_Tree;
    sub->AfterCreate(fListController, fClassOfDataEntity_Tree);
    sub->fOwningDataEntity = entity;
    entity->SetSubList(sub);
    fListOfDataListListInstances->Append(sub);
    return sub;
}

void TqoTree_ComBasic::_InsertItem(TqoDataEntity* e) {
    auto* entity = static_cast<TqoDataEntity_Tree*>(e);
    fExpectedContentChanges.push_back(entity->OwningDataList());
    MarkDirty(entity);
    OnInsertItem.Fire(this, entity);
}

void TqoTree_ComBasic::_DeleteItem(TqoDataEntity* e) {
    auto* entity = static_cast<TqoDataEntity_Tree*>(e);
    if (fCurrentDataEntity_Async_Mailbox == entity) fCurrentDataEntity_Async_Mailbox = nullptr;
    if (fLastTopItem == entity) fLastTopItem = nullptr;
    if (entity->Dirty()) {
        entity->SetDirty(false);
        fDirtyButDeleted.insert(entity);
    }
    std::erase(fMadeInLastRebuild, entity);
    fExpectedContentChanges.push_back(entity->OwningDataList());
    fEntitiesBeingDeleted.insert(entity);
    struct TDone {
        TqoTree_ComBasic& fTree;
        TqoDataEntity_Tree* fEntity;
        ~TDone() { fTree.fEntitiesBeingDeleted.erase(fEntity); }
    } done{*this, entity};
    OnDataEntityDelete.Fire(this, entity);
    OnDeleteItem.Fire(this, entity);
    if (EditNode() && EntityOf(EditNode()) == entity) EndEdit(true);
    ScheduleSubtree(entity);
    if (TqoDataList_Tree* sub = entity->SubList()) {
        fListOfDataListListInstances->Remove(sub);
        fListsToSort.erase(sub);
        entity->SetSubList(nullptr);
        sub->Clear();
        sub->FreeWheneverPossible();
    }
    DisplayOutOfDate();
}

void TqoTree_ComBasic::HandlePerformedMove(TqoDataEntity* e, int32_t, int32_t) {
    auto* entity = static_cast<TqoDataEntity_Tree*>(e);
    EnsureDisplayUpToDate();
    // The node moves with its subtree to the place its entity now has.
    if (entity->fTreeNode) PlaceNode(entity);
    DisplayOutOfDate();
}

void TqoTree_ComBasic::_LeaveOwnerBeforeChange(TqoDataEntity* e) {
    fExpectedContentChanges.push_back(e->OwningDataList());
}

void TqoTree_ComBasic::_EnterOwnerAfterChange(TqoDataEntity* e) {
    auto* entity = static_cast<TqoDataEntity_Tree*>(e);
    fExpectedContentChanges.push_back(entity->OwningDataList());
    TqoDataEntity_Tree* owner = entity->ParentNode();
    if (entity->fTreeNode && owner && owner->fTreeNode && !owner->HideNode()) {
        if (owner->fTreeNode->HasDeferredChild())
            owner->fTreeNode->DeleteChildren();
        else if (TTreeNode_qoSub* placeholder = TakePlaceholder(owner))
            ScheduleDelete(placeholder);
        PlaceNode(entity);
    } else {
        ScheduleSubtree(entity);
        MarkDirty(entity);
    }
    DisplayOutOfDate();
}

void TqoTree_ComBasic::_SelectionChanged(TqoDataList* list, TqoDataEntity* e) {
    if (!e) return;
    EnsureDisplayUpToDate();
    if (static_cast<TqoDataEntity_Tree*>(e)->fTreeNode) Invalidate();
    OnSelectionChanged.Fire(this, list, static_cast<TqoDataEntity_Tree*>(e));
}

void TqoTree_ComBasic::_ContentChanged(TqoDataList* list) {
    // A report that no insert, delete or move announced comes from a sort.
    if (auto it = std::find(fExpectedContentChanges.begin(), fExpectedContentChanges.end(), list);
        it != fExpectedContentChanges.end())
        fExpectedContentChanges.erase(it);
    else if (auto* treeList = dynamic_cast<TqoDataList_Tree*>(list))
        fListsToSort.insert(treeList);
    DisplayOutOfDate();
    OnContentChanged.Fire(this, list);
}

void TqoTree_ComBasic::_OnInfoPush(TqoDataEntity* e) {
    OnValueChanged.Fire(this, static_cast<TqoDataEntity_Tree*>(e));
}

void TqoTree_ComBasic::_OnBeforeCanEditItem(TqoDataEntity* e) {
    OnBeforeCanEditItem.Fire(this, static_cast<TqoDataEntity_Tree*>(e));
}

int32_t TqoTree_ComBasic::_SortCompare(TqoDataEntity* a, TqoDataEntity* b) {
    if (!OnSortCompare) return 0;
    return OnSortCompare(this, static_cast<TqoDataEntity_Tree*>(a), static_cast<TqoDataEntity_Tree*>(b));
}

// ---- Out of date, and the rebuild ----

void TqoTree_ComBasic::DisplayOutOfDate() {
    fDisplayOutOfDate = true;
    Invalidate();
}

void TqoTree_ComBasic::MarkDirty(TqoDataEntity_Tree* entity) {
    if (!entity->Dirty()) {
        entity->SetDirty(true);
        // A new entity where a deleted one was listed takes over its entry.
        if (fDirtyButDeleted.empty() || !fDirtyButDeleted.erase(entity)) fDirty.push_back(entity);
    }
    DisplayOutOfDate();
}


void TqoTree_ComBasic::RecreateNodes() {
    fRealoadOfTreeNodesDetected = true;
    DisplayOutOfDate();
}

void TqoTree_ComBasic::EnsureDisplayUpToDate() {
    if (!fDisplayOutOfDate || fUpdating || fExpanding) return;
    fDisplayOutOfDate = false;
    if (fRealoadOfTreeNodesDetected) {
        fRealoadOfTreeNodesDetected = false;
        fUpdating = true;
        TCustomTreeView::Clear();
        fUpdating = false;
        for (int32_t i = 0; i < fRootDataList->LoadedCount(); ++i)
            MarkDirty(static_cast<TqoDataEntity_Tree*>(fRootDataList->Loaded(i)));
    }
    UpdateDisplay();
    fDisplayOutOfDate = false;
    HandleAutoExpand();
}

void TqoTree_ComBasic::ScheduleDelete(TTreeNode* node) {
    if (!node) return;
    node->SetData(nullptr);
    fListOfTreeNodesToDelete.insert(node);
}

void TqoTree_ComBasic::ScheduleSubtree(TqoDataEntity_Tree* entity) {
    ScheduleDelete(entity->fTreeNode);
    ScheduleDelete(entity->Placeholder());
    ForgetNodes(entity);
}

// The descendants' nodes go with their ancestor's; they only lose their references.
void TqoTree_ComBasic::ForgetNodes(TqoDataEntity_Tree* entity) {
    if (!entity->fTreeNode && !entity->Placeholder()) return;
    if (entity->fTreeNode) entity->fTreeNode->SetData(nullptr);
    entity->fTreeNode = nullptr;
    entity->SetPlaceholder(nullptr);
    TqoDataList_Tree* sub = entity->SubList();
    for (int32_t i = 0; sub && i < sub->LoadedCount(); ++i)
        ForgetNodes(static_cast<TqoDataEntity_Tree*>(sub->Loaded(i)));
}

TqoDataEntity_Tree* TqoTree_ComBasic::EntityOf(TTreeNode* node) const {
    return node ? static_cast<TTreeNode_qoSub*>(node)->Entity() : nullptr;
}

TTreeNode* TqoTree_ComBasic::CreateNode() {
    return new TTreeNode_qoSub;
}

void TqoTree_ComBasic::DeferredChildMade(TTreeNode* node) {
    if (TqoDataEntity_Tree* owner = EntityOf(node->Parent())) owner->SetPlaceholder(static_cast<TTreeNode_qoSub*>(node));
}

int TqoTree_ComBasic::ExpectedChildCount(const TTreeNode* parent) const {
    const TqoDataEntity_Tree* owner = parent ? static_cast<const TTreeNode_qoSub*>(parent)->Entity() : nullptr;
    const TqoDataList_Tree* list = parent ? (owner ? owner->SubList() : nullptr) : fRootDataList;
    return list ? list->LoadedCount() : 0;
}

bool TqoTree_ComBasic::HasPlaceholder(const TqoDataEntity_Tree* entity) {
    return entity->Placeholder() || (entity->fTreeNode && entity->fTreeNode->HasDeferredChild());
}

TTreeNode_qoSub* TqoTree_ComBasic::TakePlaceholder(TqoDataEntity_Tree* entity) {
    if (entity->fTreeNode && entity->fTreeNode->HasDeferredChild()) entity->fTreeNode->GetFirstChild();
    TTreeNode_qoSub* placeholder = entity->Placeholder();
    entity->SetPlaceholder(nullptr);
    return placeholder;
}

} // namespace qo
