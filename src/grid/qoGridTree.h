#pragma once
// The grid tree: a hierarchy of nodes laid over the rows (the Y axis items) of
// one grid cell. Every node owns one row, placed in pre-order after the rows
// of its predecessor, hidden while an ancestor is collapsed or the node is
// hidden itself. Children are asked of the host on a node's first expansion;
// a virtual root list is loaded and unloaded together with the grid's virtual
// rows, whole top-level subtrees at a time. Every change of the node set is
// announced to one integration listener (the Gantt chart's rows follow it).
//
// What the grid component uses (the tree never draws and never sees a view):
// - Rows: a row item made by the tree has Value and Value2 = its node;
//   NodeOfRow(item) reads Value2 (nil for a row that is not a node's).
//   The rows of the tree's grid cell belong to the tree: the grid moves and
//   drops them only through the nodes (Move, ChangeOwner, RemoveDataEntity).
// - Button hooks: node Expanded(), HasChildren(), HasNonHiddenChildren(),
//   SubDataListInitiated(), Level(), ParentNode() with its AxisContentItem(),
//   ImageIndex(), SelectedIndex(); a button click calls SetExpanded(!Expanded()).
// - First expansion: SetTreeControllerCallBackInitSubList(callback), asked once
//   per node to add its children.
// - Virtual rows: for the Y axis of GridCell() the grid forwards the root's
//   callbacks: OnVirtualLoad -> _OnGridRowReload(item); OnVirtualUnLoad when the
//   view allows it -> _OnGridRowUnload(item, perform, answer);
//   OnKeepAfterUnloadCheck with keep true -> _OnKeepGridRowAfterUnload(item, keep);
//   OnUnloadIntervall -> _OnUnloadIntervall(item, first, last);
//   OnDeleteOfUnloaded -> _OnDeleteOfUnloaded(grid, first, last).
// - IntegrationTargetInvalidate() after each hard recompute of the view.
// - Freeing: the destructor never touches the rows (the cell may be gone
//   already); to switch a live cell's tree off, clear RootDataEntities() first.
#include "data/qoDataEntityPack.h"
#include "grid/qoBabGridContent.h"

#include <cstdint>
#include <memory>

namespace qo {

class TqoGridTree;
class TqoDataEntity_GridTreeNode;

enum TIntegrationEventKind {
    ieInsert = 0,
    ieRemove = 1,
    ieSelectionChanged = 2,
    ieVisibleChanged = 3,
    ieMovePerfomed = 4,
    ieUnload = 5,
    ieLoad = 6,
    ieInvalidate = 7, // with no node
};

class TqoDataList_GridTree : public TqoDataList {
public:
    // Nil for the root list.
    TqoDataEntity_GridTreeNode* OwningDataEntity() const { return fOwningDataEntity; }
    TqoGridTree* GridTree() const { return fGridTree; }
    // Nil out of range; loads a virtual node.
    TqoDataEntity_GridTreeNode* Node(int32_t i);
    // On the root list the grid cell gets as many unloaded rows.
    void AddUnloaded(int32_t n) override;

private:
    friend class TqoGridTree;
    TqoDataEntity_GridTreeNode* fOwningDataEntity = nullptr;
    TqoGridTree* fGridTree = nullptr;
};

class TqoDataEntity_GridTreeNode : public TqoDataEntity {
public:
    void AfterCreate(TqoDataList* list) override;

    void* IntegrationCookie() const { return fIntegrationCookie; }
    void SetIntegrationCookie(void* cookie) { fIntegrationCookie = cookie; }
    // Made on first use.
    TqoDataList_GridTree* SubDataList();
    int32_t SubDataListCount() const { return fSubDataList ? fSubDataList->Count() : 0; }
    bool SubDataListInitiated() const { return fSubDataListInitiated; }
    int ImageIndex() const { return fImageIndex; }
    void SetImageIndex(int value);
    int SelectedIndex() const { return fSelectedIndex; }
    void SetSelectedIndex(int value);
    bool Expanded() const { return fExpanded; }
    // The tree's OnExpand or OnCollapse may refuse; the first expansion asks the host for the children.
    void SetExpanded(bool value);
    bool HideNode() const { return fHideNode; }
    void Set_HideNode(bool value);
    TAxisContentItem* AxisContentItem() const { return fAxisContentItem; }

    int Level() const;
    TqoGridTree* GridTree() const;
    TqoDataEntity_GridTreeNode* ParentNode() const;
    bool HasChildren() const { return SubDataListCount() > 0; }
    // True while the children were never asked for, else whether one is not hidden.
    bool HasNonHiddenChildren();

    // Pre-order neighbours over every node (loading virtual ones); nil at the ends.
    TqoDataEntity_GridTreeNode* GetNext();
    TqoDataEntity_GridTreeNode* GetPrev();
    TqoDataEntity_GridTreeNode* GetNextVisible();
    TqoDataEntity_GridTreeNode* GetPrevVisible();
    // Not hidden itself and every ancestor expanded and not hidden.
    bool IsVisible() const;

protected:
    // The row leaves the grid before the node reports its end.
    void CleanForFree() override;

private:
    friend class TqoGridTree;
    TqoDataList_GridTree* List() const { return static_cast<TqoDataList_GridTree*>(OwningDataList()); }

    void* fIntegrationCookie = nullptr;
    TqoDataList_GridTree* fSubDataList = nullptr;
    int fImageIndex = -1;
    int fSelectedIndex = -1;
    bool fExpanded = false;
    bool fSubDataListInitiated = false;
    TAxisContentItem* fAxisContentItem = nullptr;
    bool fHideNode = false;
    // Where a move between lists started, to put the node back when the move is refused.
    TqoDataList* fMoveOrigin = nullptr;
    int32_t fMoveOriginIndex = -1;
    bool fMovingBack = false;
};

using TOnIntegrationEvent = TqoEvent<void(TIntegrationEventKind kind, TqoDataEntity_GridTreeNode* node)>;
using TOnGridTreeNodeEvent = TqoEvent<void(TqoGridTree* sender, TqoDataEntity_GridTreeNode* node)>;
using TOnGridTreeNodeAllow = TqoEvent<void(TqoGridTree* sender, TqoDataEntity_GridTreeNode* node, bool& allow)>;

class TqoGridTree {
public:
    static constexpr const char* NoLoadedItemMessage = "No loadeditem found";
    static constexpr const char* UnloadedOrLoadedMessage = "Unloaded or loaded?";
    static constexpr const char* MoveBelowItselfMessage = "A grid tree node cannot be moved below itself";
    static constexpr const char* OtherTreeMessage = "The grid tree node belongs to another grid tree";

    // Made through Create, so that the lists come from a subclass's factories.
    template <class T = TqoGridTree> static std::unique_ptr<T> Create(TBabGridCell* gridCell) {
        std::unique_ptr<T> tree(new T(gridCell));
        tree->Construct();
        return tree;
    }
    virtual ~TqoGridTree();
    TqoGridTree(const TqoGridTree&) = delete;
    TqoGridTree& operator=(const TqoGridTree&) = delete;

    TqoDataList_GridTree* RootDataEntities() const { return fRootDataEntities; }
    TqoDataList2lev* AllSubLists() const { return fAllSubLists; }
    TBabGridCell* GridCell() const { return fGridCell; }
    TqoListController* ListController() const { return fListController; }
    bool InGridReload() const { return fGridReload > 0; }
    bool InGridUnload() const { return fGridUnload > 0; }
    static TqoDataEntity_GridTreeNode* NodeOfRow(const TAxisContentItem* item);

    // owner nil: the root list. A node of another tree raises EqoError.
    TqoDataEntity_GridTreeNode* AddDataEntity(TqoDataEntity_GridTreeNode* owner);
    TqoDataEntity_GridTreeNode* InsertDataEntity(TqoDataEntity_GridTreeNode* owner, int32_t index);
    void RemoveDataEntity(TqoDataEntity_GridTreeNode* node);
    // Appends the node with its subtree to newOwner's children (nil: the root list).
    // Below itself or into another tree: EqoError, nothing changed.
    void ChangeOwner(TqoDataEntity_GridTreeNode* node, TqoDataEntity_GridTreeNode* newOwner);
    // Children before their parent, depth first; a refused node keeps its state.
    void ExpandAll() { SetAllExpanded(true); }
    void CollapseAll() { SetAllExpanded(false); }
    void IntegrationTargetInvalidate() { fOnIntegrationEvents.Fire(ieInvalidate, nullptr); }

    // Called by the grid for the rows of GridCell().
    void _OnGridRowReload(TAxisContentItem* item);
    void _OnGridRowUnload(TAxisContentItem* item, bool perform, bool& answer);
    void _OnKeepGridRowAfterUnload(TAxisContentItem* item, bool& keep);
    void _OnUnloadIntervall(TAxisContentItem* item, int& first, int& last);
    void _OnDeleteOfUnloaded(TBabGridCell* grid, int first, int last);

    const TOnIntegrationEvent& OnIntegrationEvents() const { return fOnIntegrationEvents; }
    void SetOnIntegrationEvents(TOnIntegrationEvent e) { fOnIntegrationEvents = std::move(e); }
    const TOnGridTreeNodeEvent& TreeControllerCallBackInitSubList() const { return fTreeControllerCallBackInitSubList; }
    void SetTreeControllerCallBackInitSubList(TOnGridTreeNodeEvent e) {
        fTreeControllerCallBackInitSubList = std::move(e);
    }
    TOnGridTreeNodeEvent OnInsertItem, OnDeleteItem;
    TOnGridTreeNodeAllow OnExpand, OnCollapse;

protected:
    explicit TqoGridTree(TBabGridCell* gridCell) : fGridCell(gridCell) {}

    // Handlers of the list controller's events.
    virtual void _DeleteItem(TqoDataEntity* entity);
    virtual void _InsertItem(TqoDataEntity* entity);
    virtual void _SelectionChanged(TqoDataList* list, TqoDataEntity* entity);
    virtual void _ContentChanged(TqoDataList* list);
    virtual void _OnUnLoadedContentChanged(TqoDataList* list);
    virtual int32_t _SortCompare(TqoDataEntity* a, TqoDataEntity* b);
    virtual void _OnVisibleChanged(TqoDataEntity* entity);
    virtual void _InitSubDataList(TqoDataEntity_GridTreeNode* node);
    virtual void _OnHandlePerformedMove(TqoDataEntity* entity, int32_t from, int32_t to);
    virtual void _OnEnterOwnerAfterChange(TqoDataEntity* entity);
    // Factories that the automation layer overrides.
    virtual TqoDataList_GridTree* CreateDataList_GridTree() { return new TqoDataList_GridTree; }
    virtual TqoDataList2lev* CreateDataList2Lev() { return new TqoDataList2lev; }
    virtual TqoDataEntityClass GetClassOfDataEntity_GridTreeNode() {
        return TqoDataEntityClass::Of<TqoDataEntity_GridTreeNode>();
    }

private:
    friend class TqoDataEntity_GridTreeNode;
    friend class TqoDataList_GridTree;

    void Construct();
    void CheckOwnNode(const TqoDataEntity_GridTreeNode* node) const;
    TqoDataList_GridTree* NewList(TqoDataEntity_GridTreeNode* owner);
    void DeInitSubList(TqoDataEntity_GridTreeNode* node);
    void SetAllExpanded(bool value);
    void _LoadItem(TqoDataEntity* entity);
    void _UnLoadItem(TqoDataEntity* entity, bool& mayUnload);
    void _LeaveOwnerBeforeChange(TqoDataEntity* entity);
    void RefuseMove(TqoDataEntity_GridTreeNode* node, const char* message);
    void ClearRowsWhenEmpty();

    // Rows (qoGridTreeRows.cpp).
    TAxisContentList* Rows() const { return fGridCell->AxisContentListY(); }
    void InitGridRow(TqoDataEntity_GridTreeNode* node);
    int RowIndexOf(TAxisContentItem* item) const;
    void DropRow(TqoDataEntity_GridTreeNode* node);
    void LinkRow(TqoDataEntity_GridTreeNode* node, TAxisContentItem* item);
    void HandleMoveOfTreeNode(TqoDataEntity_GridTreeNode* node);
    void PlaceRow(TqoDataEntity_GridTreeNode* node);
    void ShowRow(TqoDataEntity_GridTreeNode* node, bool visible);
    void UpdateVisibility(TqoDataEntity_GridTreeNode* node);
    void UpdateChildVisibility(TqoDataEntity_GridTreeNode* node, bool visible);
    void PlaceRowsInListOrder(TqoDataList* list);

    // Virtual rows (qoGridTreeVirtual.cpp).
    TqoDataEntity_GridTreeNode* NodeForReloadedRow(TAxisContentItem* item);
    TqoDataEntity_GridTreeNode* RootBeside(TqoDataEntity_GridTreeNode* node, int step);
    void PurgeUpwards(TqoDataEntity_GridTreeNode* node);

    TOnIntegrationEvent fOnIntegrationEvents;
    int fGridReload = 0;
    int fGridUnload = 0;
    TqoDataList_GridTree* fRootDataEntities = nullptr;
    TqoDataList2lev* fAllSubLists = nullptr;
    TBabGridCell* fGridCell;
    TqoListController* fListController = nullptr;
    TOnGridTreeNodeEvent fTreeControllerCallBackInitSubList;
    bool fDestroying = false;
    // The list whose sort the comparison served; its rows follow its new order.
    TqoDataList* fListBeingSorted = nullptr;
    // The last row made and its index, so that children added one after
    // another never make the grid renumber the rows behind them.
    TAxisContentItem* fLastRow = nullptr;
    int fLastRowIndex = -1;
};

} // namespace qo
