// The grid tree: its lists, the handlers of their events and the moves that
// it refuses.
#include "grid/qoGridTree.h"

#include "grid/qoGridTreeHold.h"

#include <utility>

namespace qo {

void TqoGridTree::Construct() {
    fAllSubLists = CreateDataList2Lev();
    fListController = new TqoListController;
    fRootDataEntities = NewList(nullptr);
    TqoListController& c = *fListController;
    c.SetOnContentChanged([this](TqoDataList* l) { _ContentChanged(l); });
    c.SetOnSelectionChanged([this](TqoDataList* l, TqoDataEntity* e) { _SelectionChanged(l, e); });
    c.SetOnDeleteItem([this](TqoDataEntity* e) { _DeleteItem(e); });
    c.SetOnInsertItem([this](TqoDataEntity* e) { _InsertItem(e); });
    c.SetOnSortCompare([this](TqoDataEntity* a, TqoDataEntity* b) { return _SortCompare(a, b); });
    c.SetOnVisibleChanged([this](TqoDataEntity* e) { _OnVisibleChanged(e); });
    c.SetOnHandlePerformedMove([this](TqoDataEntity* e, int32_t from, int32_t to) {
        _OnHandlePerformedMove(e, from, to);
    });
    c.SetOnLeaveOwnerBeforeChange([this](TqoDataEntity* e) { _LeaveOwnerBeforeChange(e); });
    c.SetOnEnterOwnerAfterChange([this](TqoDataEntity* e) { _OnEnterOwnerAfterChange(e); });
    c.SetOnUnLoadedContentChanged([this](TqoDataList* l) { _OnUnLoadedContentChanged(l); });
    c.SetOnLoadItem([this](TqoDataEntity* e) { _LoadItem(e); });
    c.SetOnUnLoadItem([this](TqoDataEntity* e, bool& may) { _UnLoadItem(e, may); });
}

// The grid cell may be gone already: the nodes forget their rows without touching them.
TqoGridTree::~TqoGridTree() {
    fDestroying = true;
    if (!fRootDataEntities) return;
    for (int32_t i = 0; i < fAllSubLists->Count(); ++i) {
        TqoDataList* list = fAllSubLists->Member(i);
        for (int32_t k = 0; k < list->LoadedCount(); ++k)
            static_cast<TqoDataEntity_GridTreeNode*>(list->Loaded(k))->fAxisContentItem = nullptr;
    }
    fRootDataEntities->FreeWheneverPossible();
    fAllSubLists->FreeWheneverPossible();
    delete fListController;
}

TqoDataList_GridTree* TqoGridTree::NewList(TqoDataEntity_GridTreeNode* owner) {
    TqoDataList_GridTree* list = CreateDataList_GridTree();
    list->AfterCreate(fListController, GetClassOfDataEntity_GridTreeNode());
    list->fOwningDataEntity = owner;
    list->fGridTree = this;
    fAllSubLists->Append(list);
    return list;
}

TqoDataEntity_GridTreeNode* TqoGridTree::NodeOfRow(const TAxisContentItem* item) {
    return item ? static_cast<TqoDataEntity_GridTreeNode*>(item->Value2()) : nullptr;
}

// ---- Nodes ----

void TqoGridTree::CheckOwnNode(const TqoDataEntity_GridTreeNode* node) const {
    if (node && node->GridTree() != this) throw EqoError(OtherTreeMessage);
}

TqoDataEntity_GridTreeNode* TqoGridTree::AddDataEntity(TqoDataEntity_GridTreeNode* owner) {
    CheckOwnNode(owner);
    TqoDataList_GridTree* list = owner ? owner->SubDataList() : fRootDataEntities;
    return static_cast<TqoDataEntity_GridTreeNode*>(list->Add());
}

TqoDataEntity_GridTreeNode* TqoGridTree::InsertDataEntity(TqoDataEntity_GridTreeNode* owner, int32_t index) {
    CheckOwnNode(owner);
    TqoDataList_GridTree* list = owner ? owner->SubDataList() : fRootDataEntities;
    return static_cast<TqoDataEntity_GridTreeNode*>(list->Insert(index));
}

void TqoGridTree::RemoveDataEntity(TqoDataEntity_GridTreeNode* node) {
    if (!node || !node->OwningDataList()) return;
    CheckOwnNode(node);
    node->OwningDataList()->Remove(node);
}

void TqoGridTree::ChangeOwner(TqoDataEntity_GridTreeNode* node, TqoDataEntity_GridTreeNode* newOwner) {
    if (!node || !node->OwningDataList()) return;
    CheckOwnNode(node);
    CheckOwnNode(newOwner);
    for (TqoDataEntity_GridTreeNode* p = newOwner; p; p = p->ParentNode())
        if (p == node) throw EqoError(MoveBelowItselfMessage);
    TqoDataList_GridTree* list = newOwner ? newOwner->SubDataList() : fRootDataEntities;
    if (node->OwningDataList() == list)
        node->Move(list->Count() - 1);
    else
        node->ChangeOwner(list, list->LoadedCount());
}

void TqoGridTree::SetAllExpanded(bool value) {
    // Children before their parent; the handlers run host code, so counts are read live.
    struct TWalk {
        bool fValue;
        void operator()(TqoDataList_GridTree* list) const {
            for (int32_t i = 0; i < list->Count(); ++i) {
                TqoDataEntity_GridTreeNode* node = list->Node(i);
                if (!node) continue;
                const THold hold(node);
                if (node->fSubDataList) (*this)(node->fSubDataList);
                node->SetExpanded(fValue);
            }
        }
    };
    TWalk{value}(fRootDataEntities);
}

void TqoGridTree::_InitSubDataList(TqoDataEntity_GridTreeNode* node) {
    fTreeControllerCallBackInitSubList.Fire(this, node);
}

// ---- Handlers of the list controller ----

void TqoGridTree::_InsertItem(TqoDataEntity* entity) {
    auto* node = static_cast<TqoDataEntity_GridTreeNode*>(entity);
    if (fDestroying) return;
    InitGridRow(node);
    const THold hold(node);
    fOnIntegrationEvents.Fire(ieInsert, node);
    if (!hold.InList()) return;
    OnInsertItem.Fire(this, node);
    if (!hold.InList()) return;
    TqoDataEntity_GridTreeNode* parent = node->ParentNode();
    node->SetVisible(!parent || (parent->IsVisible() && parent->Expanded()));
}

void TqoGridTree::_DeleteItem(TqoDataEntity* entity) {
    auto* node = static_cast<TqoDataEntity_GridTreeNode*>(entity);
    if (!fDestroying) {
        OnDeleteItem.Fire(this, node);
        fOnIntegrationEvents.Fire(ieRemove, node);
    }
    DeInitSubList(node);
}

void TqoGridTree::DeInitSubList(TqoDataEntity_GridTreeNode* node) {
    TqoDataList_GridTree* sub = std::exchange(node->fSubDataList, nullptr);
    if (!sub) return;
    if (!fDestroying) fAllSubLists->Remove(sub);
    sub->Clear();
    sub->FreeWheneverPossible();
}

void TqoGridTree::_SelectionChanged(TqoDataList*, TqoDataEntity* entity) {
    fOnIntegrationEvents.Fire(ieSelectionChanged, static_cast<TqoDataEntity_GridTreeNode*>(entity));
}

// A node that is being made is announced by its insertion, not before.
void TqoGridTree::_OnVisibleChanged(TqoDataEntity* entity) {
    if (entity->ListIndex() < 0) return;
    fOnIntegrationEvents.Fire(ieVisibleChanged, static_cast<TqoDataEntity_GridTreeNode*>(entity));
}

// A node list sorted through the controller has its rows follow the new order.
void TqoGridTree::_ContentChanged(TqoDataList* list) {
    if (std::exchange(fListBeingSorted, nullptr) == list) PlaceRowsInListOrder(list);
    if (list == fRootDataEntities) ClearRowsWhenEmpty();
}

void TqoGridTree::_OnUnLoadedContentChanged(TqoDataList* list) {
    if (list == fRootDataEntities) ClearRowsWhenEmpty();
}

// Nodes of a subtree whose deletion is still under way may own rows here:
// they forget them before the rows go.
void TqoGridTree::ClearRowsWhenEmpty() {
    TAxisContentList* rows = Rows();
    if (fDestroying || fRootDataEntities->Count() > 0 || rows->Count() <= rows->FixedItems()) return;
    for (int k = rows->FixedItems(); k < rows->LoadedCount(); ++k)
        if (TqoDataEntity_GridTreeNode* node = NodeOfRow(rows->Loaded(k))) {
            node->fAxisContentItem = nullptr;
            rows->Loaded(k)->SetValue2(nullptr);
        }
    rows->ClearKeepFixedItems();
}

// The order the lists already have: a valid order whatever the host does with
// it, so that a sort keeps a level as it is, or reverses it when descending.
int32_t TqoGridTree::_SortCompare(TqoDataEntity* a, TqoDataEntity* b) {
    fListBeingSorted = a->OwningDataList();
    const int32_t ia = a->ListIndex(), ib = b->ListIndex();
    return ia < ib ? -1 : ia > ib ? 1 : 0;
}

void TqoGridTree::_OnHandlePerformedMove(TqoDataEntity* entity, int32_t, int32_t) {
    auto* node = static_cast<TqoDataEntity_GridTreeNode*>(entity);
    const THold hold(node);
    fOnIntegrationEvents.Fire(ieMovePerfomed, node);
    if (hold.InList()) HandleMoveOfTreeNode(node);
}

void TqoGridTree::_LeaveOwnerBeforeChange(TqoDataEntity* entity) {
    auto* node = static_cast<TqoDataEntity_GridTreeNode*>(entity);
    TqoDataList* list = node->OwningDataList();
    node->fMoveOrigin = list;
    node->fMoveOriginIndex = node->ListIndex() - list->UnloadedPreCount();
}

// A node moved below itself or in from another tree goes back where it was;
// its rows have not moved yet.
void TqoGridTree::_OnEnterOwnerAfterChange(TqoDataEntity* entity) {
    auto* node = static_cast<TqoDataEntity_GridTreeNode*>(entity);
    if (node->fMovingBack) return;
    auto* origin = dynamic_cast<TqoDataList_GridTree*>(node->fMoveOrigin);
    if (origin && origin->GridTree() != this) RefuseMove(node, OtherTreeMessage);
    for (TqoDataEntity_GridTreeNode* p = node->ParentNode(); p; p = p->ParentNode())
        if (p == node) RefuseMove(node, MoveBelowItselfMessage);
    const THold hold(node);
    fOnIntegrationEvents.Fire(ieMovePerfomed, node);
    if (hold.InList()) HandleMoveOfTreeNode(node);
}

void TqoGridTree::RefuseMove(TqoDataEntity_GridTreeNode* node, const char* message) {
    TqoDataList* origin = node->fMoveOrigin;
    const int32_t index = node->fMoveOriginIndex;
    node->fMovingBack = true;
    struct TDone {
        TqoDataEntity_GridTreeNode* fNode;
        ~TDone() { fNode->fMovingBack = false; }
    } done{node};
    if (origin) node->ChangeOwner(origin, index);
    throw EqoError(message);
}

} // namespace qo
