#pragma once
// The tree component that heads the Gantt chart's rows: a hierarchy of tree
// entities in tree lists (one list per parent) is the master copy, and the
// tree view's nodes are a view of it, brought up to date at the next paint.
// Only what changed is visited then: new, moved and hidden entities, lists
// that were sorted, and the nodes that show. On top of the tree view it keeps
// a multi-selection in the entities, sets the current node later through a
// mailbox, expands down to a level, makes "Not initiated" placeholders for
// children a host loads on demand, and draws a font per node and grid lines.
#include "data/qoDataEntityPack.h"
#include "platform/core/qoTaggedOwner.h"
#include "platform/widgets/qoTreeView.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace qo {

class TqoTree_ComBasic;
class TqoDataList_Tree;
class TTreeNode_qoSub;

class TqoDataEntity_Tree : public TqoDataEntity {
public:
    static constexpr size_t MaxTextLength = 255;

    const std::string& FontName() const;
    void SetFontName(const std::string& name);
    TFontStyles FontStyle() const { return fRare.Get() ? fRare.Get()->FontStyle : 0; }
    void SetFontStyle(TFontStyles style);
    TTreeNode_qoSub* Node() const { return fTreeNode; }
    // The children's list, made on first use (most entities never have
    // children); nil for an entity outside a tree's list.
    TqoDataList_Tree* SubDataList();
    // What the chart that follows the tree keeps with the entity (its row).
    void* IntegrationCookie() const { return fIntegrationCookie; }
    void SetIntegrationCookie(void* cookie) { fIntegrationCookie = cookie; }
    std::string_view Text() const { return fText.View(); }
    // More than MaxTextLength characters raise EqoError and change nothing.
    void SetText(std::string_view text);
    int ImageIndex() const { return fRare.Get() ? fRare.Get()->ImageIndex : -1; }
    void SetImageIndex(int index);
    int SelectedIndex() const { return fRare.Get() ? fRare.Get()->SelectedIndex : -1; }
    void SetSelectedIndex(int index);
    bool Expanded() const { return fRare.Flag(kExpanded); }
    void SetExpanded(bool value);
    // The placeholder child of the node, made when asked for: until then the
    // node only counts one child that is not made.
    TTreeNode_qoSub* ExpanderSubNode() const;
    bool HideNode() const { return fRare.Flag(kHideNode); }
    void Set_HideNode(bool value);
    void SetVisible(bool value) override;
    bool GetVisible() const override;
    void AfterCreate(TqoDataList* list) override;

    int Level() const;
    TqoDataEntity_Tree* ParentNode() const;
    TqoTree_ComBasic* Tree() const;
    // Nil when the entity has no node.
    TqoDataEntity_Tree* GetNextVisible() const;
    TqoDataEntity_Tree* GetPrevVisible() const;
    void EditText();

protected:
    void CleanForFree() override;

private:
    friend class TqoTree_ComBasic;
    friend class TTreeNode_qoSub;
    // What most entities leave as it is, kept apart: every chart holds
    // entities by the hundred thousand. Made on first use, it stays.
    // Aligned to 8 also on 32-bit targets: its pointer carries three flags.
    struct alignas(8) TRare {
        std::string FontName;
        TFontStyles FontStyle = 0;
        int ImageIndex = -1;
        int SelectedIndex = -1;
        // The placeholder once it is made; until then only the node knows of it.
        TTreeNode_qoSub* ExpanderSubNode = nullptr;
        // Most entities never have children.
        TqoDataList_Tree* SubDataList = nullptr;
    };
    // The flags kept with the rare block's pointer.
    enum : unsigned { kExpanded, kHideNode, kDirty, kFlagCount };
    TRare& Rare() { return fRare.Make(); }
    TTreeNode_qoSub* Placeholder() const { return fRare.Get() ? fRare.Get()->ExpanderSubNode : nullptr; }
    // Nil makes no block.
    void SetPlaceholder(TTreeNode_qoSub* node);
    TqoDataList_Tree* SubList() const { return fRare.Get() ? fRare.Get()->SubDataList : nullptr; }
    void SetSubList(TqoDataList_Tree* list);
    void SetExpandedFlag(bool value) { fRare.SetFlag(kExpanded, value); }
    // Among those the next rebuild visits.
    bool Dirty() const { return fRare.Flag(kDirty); }
    void SetDirty(bool value) { fRare.SetFlag(kDirty, value); }
    // More than MaxTextLength characters raise EqoError.
    static void CheckText(std::string_view text);
    // The setters' work, the node's repaint included.
    void StoreText(std::string_view text);
    void StoreImageIndex(int index);
    void StoreSelectedIndex(int index);

    // The node shows the entity's text and images: it keeps no copy.
    TTreeNode_qoSub* fTreeNode = nullptr;
    void* fIntegrationCookie = nullptr;
    TCompactString fText;
    TTaggedOwner<TRare, kFlagCount> fRare;
};

class TqoDataList_Tree : public TqoDataList {
public:
    TqoDataEntity_Tree* OwningDataEntity() const { return fOwningDataEntity; }
    bool NeedsSort() const { return fNeedsSort; }
    void SetNeedsSort(bool value) { fNeedsSort = value; }
    TqoDataEntity_Tree* Item(int32_t i) { return static_cast<TqoDataEntity_Tree*>(Items(i)); }

private:
    friend class TqoTree_ComBasic;
    TqoDataEntity_Tree* fOwningDataEntity = nullptr;
    bool fNeedsSort = false;
};

class TqoListController_Tree : public TqoListController {
public:
    explicit TqoListController_Tree(TqoTree_ComBasic* tree) : fOwningTree(tree) {}
    TqoTree_ComBasic* OwningTree() const { return fOwningTree; }

private:
    TqoTree_ComBasic* fOwningTree;
};

// A node of the tree component: its data is its entity, or nil for a
// placeholder. Its label and images are its entity's, read where they are
// kept and set there; a node without an entity shows the placeholder's text
// and no image, and keeps nothing set on it.
class TTreeNode_qoSub : public TTreeNode {
public:
    ~TTreeNode_qoSub() override;
    // From the start of its destruction.
    bool qoDeleting() const { return KindFlag(); }
    TqoDataEntity_Tree* Entity() const { return static_cast<TqoDataEntity_Tree*>(Data()); }
    std::string_view Text() const override;
    int ImageIndex() const override;
    int SelectedIndex() const override;

protected:
    void StoreText(std::string_view text) override;
    void StoreImageIndex(int index) override;
    void StoreSelectedIndex(int index) override;

private:
    friend class TqoDataEntity_Tree;
};

using TqoTreeEntityEvent = TqoEvent<void(TqoTree_ComBasic* sender, TqoDataEntity_Tree* entity)>;
using TqoTreeListEntityEvent =
    TqoEvent<void(TqoTree_ComBasic* sender, TqoDataList* list, TqoDataEntity_Tree* entity)>;
using TqoTreeListEvent = TqoEvent<void(TqoTree_ComBasic* sender, TqoDataList* list)>;
using TqoTreeNotifyEvent = TqoEvent<void(TqoTree_ComBasic* sender)>;
using TqoTreeCompareEvent =
    TqoEvent<int32_t(TqoTree_ComBasic* sender, TqoDataEntity_Tree* a, TqoDataEntity_Tree* b)>;

class TqoTree_ComBasic : public TCustomTreeView {
public:
    static constexpr const char* PlaceholderText = "Not initiated";
    // Label editing starts no sooner than this after a selection moved the current node.
    static constexpr int64_t EditDelayAfterSelecting = 1000;

    explicit TqoTree_ComBasic(TComponent* owner);
    ~TqoTree_ComBasic() override;

    // ---- Data ----
    TqoDataList_Tree* RootDataEntities() const { return fRootDataList; }
    TqoDataList2lev* AllSubLists() const { return fListOfDataListListInstances; }
    TqoListController_Tree* ListController() const { return fListController; }
    // owner nil: at the root. An owner of another tree raises EqoError.
    TqoDataEntity_Tree* AddDataEntity(TqoDataEntity_Tree* owner);
    TqoDataEntity_Tree* InsertDataEntity(TqoDataEntity_Tree* owner, int32_t index);
    void RemoveDataEntity(TqoDataEntity_Tree* entity);
    void ChangeOwner(TqoDataEntity_Tree* moved, TqoDataEntity_Tree* newOwner);
    void Clear();
    void SetClassOfDataEntity_Tree(const TqoDataEntityClass& c) { fClassOfDataEntity_Tree = c; }

    // ---- Display ----
    void DisplayOutOfDate();
    bool IsDisplayOutOfDate() const { return fDisplayOutOfDate; }
    void EnsureDisplayUpToDate();
    // Drops every node and makes them all again from the data at the next
    // paint, as after the window's nodes were made anew.
    void RecreateNodes();

    // ---- Rows and geometry ----
    TqoDataEntity_Tree* GetDataEntityAt(int x, int y) const;
    TqoDataEntity_Tree* GetDataEntityFromRow(int row);
    // The label's rectangle of the entity's node; (-1, -1, -1, -1) without one that shows.
    TRect GetRect(TqoDataEntity_Tree* entity) const;
    TqoDataEntity_Tree* GetNextVisible(TqoDataEntity_Tree* entity) const;
    TqoDataEntity_Tree* GetPrevVisible(TqoDataEntity_Tree* entity) const;
    TqoDataEntity_Tree* TopItem() const;
    void SetTopItem(TqoDataEntity_Tree* entity);

    // ---- Current entity and selection ----
    TqoDataEntity_Tree* CurrentDataEntity();
    // Selected later, by the deferred call; a second request replaces the first.
    void SetCurrentDataEntity(TqoDataEntity_Tree* entity);
    bool MultiSelect() const { return fMultiSelect; }
    void SetMultiSelect(bool value) { fMultiSelect = value; }
    void UpdateMultiSelect(TqoDataEntity_Tree* entity, TShiftState shift);

    // ---- Levels and looks ----
    int AutoExpandLevels() const { return fAutoExpandLevels; }
    void SetAutoExpandLevels(int levels);
    void ExpandLevels(int levels);
    int MaxLevels() const { return fMaxLevels; }
    void SetMaxLevels(int levels);
    bool DrawGridLines() const { return FDrawGridLines; }
    void SetDrawGridLines(bool value);
    bool ScrollBarVert() const { return fScrollBarVert; }
    void SetScrollBarVert(bool value);
    bool ScrollBarHorz() const { return fScrollBarHorz; }
    void SetScrollBarHorz(bool value);

    TqoTreeNotifyEvent OnTopItemChanged;
    TqoTreeEntityEvent OnDataEntityDelete, OnDeleteItem, OnInsertItem, OnValueChanged, OnBeforeCanEditItem;
    TqoTreeEntityEvent OnCurrentDataEntityChange, OnRightClick;
    TqoTreeListEntityEvent OnSelectionChanged;
    TqoTreeListEvent OnContentChanged;
    TqoTreeCompareEvent OnSortCompare;

protected:
    TTreeNode* CreateNode() override;
    std::string_view DeferredChildText() const override { return PlaceholderText; }
    void DeferredChildMade(TTreeNode* node) override;
    // The nodes a rebuild makes under a parent follow its entity's list.
    int ExpectedChildCount(const TTreeNode* parent) const override;
    void Paint() override;
    bool CanChange(TTreeNode* node) override;
    void Change(TTreeNode* node) override;
    bool CanExpand(TTreeNode* node) override;
    void Expand(TTreeNode* node) override;
    void Collapse(TTreeNode* node) override;
    bool CanEdit(TTreeNode* node) override;
    void Edit(TTreeNode* node, std::string& text) override;
    void EditChanged(TTreeNode* node) override;
    bool CustomDrawItem(TTreeNode* node, TCustomDrawState state) override;
    void TopItemChanged() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void BeginNodeDrag(TTreeNode* node) override;
    // The current entity's node goes without another taking its place.
    TTreeNode* SelectionAfterDeleting(TTreeNode*) override { return nullptr; }

    // Handlers of the list controller's events.
    virtual void _DeleteItem(TqoDataEntity* entity);
    virtual void _InsertItem(TqoDataEntity* entity);
    virtual void _OnInfoPush(TqoDataEntity* entity);
    virtual void _SelectionChanged(TqoDataList* list, TqoDataEntity* entity);
    virtual void _ContentChanged(TqoDataList* list);
    virtual int32_t _SortCompare(TqoDataEntity* a, TqoDataEntity* b);
    virtual void _OnBeforeCanEditItem(TqoDataEntity* entity);
    virtual void _LeaveOwnerBeforeChange(TqoDataEntity* entity);
    virtual void _EnterOwnerAfterChange(TqoDataEntity* entity);
    virtual void HandlePerformedMove(TqoDataEntity* entity, int32_t from, int32_t to);
    virtual void _OnVisibleChanged(TqoDataEntity* entity) { (void)entity; }
    virtual void HandleAutoExpand();
    virtual void PerformAutoExpandItem(TqoDataEntity_Tree* entity) { entity->SetExpanded(true); }
    virtual bool NeedsDummyNode(TqoDataEntity_Tree* entity) { (void)entity; return true; }

private:
    friend class TqoDataEntity_Tree;
    friend class TTreeNode_qoSub;
    class TRebuild;
    TqoDataEntity_Tree* EntityOf(TTreeNode* node) const;
    static bool HasPlaceholder(const TqoDataEntity_Tree* entity);
    // The placeholder, made if it was deferred, now no longer the entity's.
    static TTreeNode_qoSub* TakePlaceholder(TqoDataEntity_Tree* entity);
    void CheckOwnEntity(TqoDataEntity_Tree* entity) const;
    void MarkDirty(TqoDataEntity_Tree* entity);
    TqoDataList_Tree* MakeSubList(TqoDataEntity_Tree* entity);
    struct TVisit {
        int Level;
        int32_t Index;
        TqoDataEntity_Tree* Entity;
    };
    // The entities to visit, each once, parents first, their marks cleared for the next changes.
    std::vector<TVisit> TakeDirty();
    void UpdateDisplay();
    void ScheduleDelete(TTreeNode* node);
    void ScheduleSubtree(TqoDataEntity_Tree* entity);
    void ForgetNodes(TqoDataEntity_Tree* entity);
    void DeleteScheduledNodes();
    void PlaceNode(TqoDataEntity_Tree* entity);
    void ReExamineTopItem();
    void SetCurrentAsync(void* data);
    void CheckSelectedIsCurrent(void* data);

    bool fScrollBarHorz = true, fScrollBarVert = true;
    int64_t fFocusSwitchTime = 0;
    bool FDrawGridLines = false;
    TqoDataList2lev* fListOfDataListListInstances = nullptr;
    bool fExpanding = false;
    int fAutoExpandLevels = 0;
    int fMaxLevels = -1;
    bool fMultiSelect = false;
    TTreeNode* fAnchor = nullptr;
    bool fSelectionsWasDoneOnDownButton = false;
    TShiftState fSelectionsWasDoneWithKeys = 0;
    bool fDragging = false;
    TqoDataEntity_Tree* fLastTopItem = nullptr;
    TqoDataList_Tree* fRootDataList = nullptr;
    TqoListController_Tree* fListController = nullptr;
    bool fDisplayOutOfDate = false;
    bool fUpdating = false;
    TTreeNode* fUpdating_Selected = nullptr;
    TTreeNode* fUpdating_TopItem = nullptr;
    std::unordered_set<TTreeNode*> fListOfTreeNodesToDelete;
    bool fRealoadOfTreeNodesDetected = false;
    TqoDataEntity_Tree* fCurrentDataEntity_Async_Mailbox = nullptr;
    bool fDestroying = false;
    // The entities the next rebuild visits, in the order they changed, each
    // once while it is marked dirty; with those deleted since, whose entries
    // are passed over unread: their memory may be gone or hold a new entity,
    // which marked dirty takes the entry back.
    std::vector<TqoDataEntity_Tree*> fDirty;
    std::unordered_set<const TqoDataEntity_Tree*> fDirtyButDeleted;
    std::unordered_set<TqoDataList_Tree*> fListsToSort;
    // Lists whose next content report follows an insert, delete or move it already handled.
    std::vector<TqoDataList*> fExpectedContentChanges;
    bool fAutoExpandAll = false;
    std::vector<TqoDataEntity_Tree*> fMadeInLastRebuild;
    TqoAlive fAlive;
    // Entities whose deletion is being reported; removing one again does nothing.
    std::unordered_set<TqoDataEntity_Tree*> fEntitiesBeingDeleted;
    TqoDataEntityClass fClassOfDataEntity_Tree;
};

// The tree component with its properties published for designers.
class TqoTree : public TqoTree_ComBasic {
public:
    using TqoTree_ComBasic::TqoTree_ComBasic;
};

} // namespace qo
