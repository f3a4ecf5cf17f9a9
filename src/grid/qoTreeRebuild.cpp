// The rebuild of the nodes from the data. Changes only note what they touched
// (an entity to visit, a list to sort, a node to delete); the rebuild at the
// next paint visits those, each new node at its place among its siblings, so
// that one change costs what it touched, never the whole tree.
#include "grid/qoTree.h"

#include "data/qoBeginUpdate.h"
#include "data/qoDataTraveser.h"

#include <algorithm>
#include <cassert>

namespace qo {

namespace {
// The nearest sibling before the entity that has a node.
TTreeNode* PreviousSiblingNode(TqoDataEntity_Tree* entity) {
    TqoDataList* list = entity->OwningDataList();
    for (int32_t k = entity->ListIndex() - list->UnloadedPreCount() - 1; k >= 0; --k) {
        auto* sibling = static_cast<TqoDataEntity_Tree*>(list->Loaded(k));
        if (sibling->Node() && !sibling->HideNode()) return sibling->Node();
    }
    return nullptr;
}
} // namespace

class TqoTree_ComBasic::TRebuild {
public:
    TRebuild(TqoTree_ComBasic& tree)
        : fTree(tree), fLock([&tree] { tree.BeginUpdate(); }, [&tree] { tree.EndUpdate(); }) {}

    void Visit(TqoDataEntity_Tree* entity) {
        if (entity->HideNode()) {
            if (entity->fTreeNode || entity->Placeholder()) {
                fLock.Mark();
                fTree.ScheduleSubtree(entity);
            }
            return;
        }
        if (!entity->fTreeNode && !Make(entity)) return;
        TTreeNode_qoSub* node = entity->fTreeNode;
        if (node->Expanded() != entity->Expanded()) {
            fLock.Mark();
            node->SetExpanded(entity->Expanded());
        }
        // Children with nodes are up to date: a change to one would have noted it.
        TqoDataList_Tree* sub = entity->SubList();
        for (int32_t k = 0; sub && k < sub->LoadedCount() && entity->fTreeNode; ++k) {
            auto* child = static_cast<TqoDataEntity_Tree*>(sub->Loaded(k));
            if (!child->fTreeNode || child->HideNode()) Visit(child);
        }
    }
    void DeleteScheduled() {
        auto& scheduled = fTree.fListOfTreeNodesToDelete;
        if (scheduled.empty()) return;
        fLock.Mark();
        // From the last child to the first, so that each goes from the end of its siblings.
        std::vector<TTreeNode*> nodes(scheduled.begin(), scheduled.end());
        std::sort(nodes.begin(), nodes.end(), [](TTreeNode* a, TTreeNode* b) {
            return a->Parent() != b->Parent() ? a->Parent() < b->Parent() : a->Index() > b->Index();
        });
        for (TTreeNode* node : nodes) {
            // A node destroyed with its ancestor has left the set.
            if (!scheduled.erase(node)) continue;
            if (!static_cast<TTreeNode_qoSub*>(node)->qoDeleting()) node->Delete();
        }
    }
    void SortLists() {
        for (TqoDataList_Tree* list : std::exchange(fTree.fListsToSort, {})) {
            list->fNeedsSort = false;
            TqoDataEntity_Tree* owner = list->fOwningDataEntity;
            if (list->Count() == 0 || (owner && !owner->fTreeNode)) continue;
            fLock.Mark();
            const TTVCompare byListIndex = [](TTreeNode* a, TTreeNode* b) {
                auto* ea = static_cast<TTreeNode_qoSub*>(a)->Entity();
                auto* eb = static_cast<TTreeNode_qoSub*>(b)->Entity();
                return ea && eb ? ea->ListIndex() - eb->ListIndex() : 0;
            };
            owner ? owner->fTreeNode->CustomSort(byListIndex, false) : fTree.CustomSort(byListIndex, false);
        }
    }
    std::vector<TqoDataEntity_Tree*> Made;

private:
    // A node for an entity whose parent shows one; false while the parent has none.
    bool Make(TqoDataEntity_Tree* entity) {
        TqoDataEntity_Tree* parent = entity->ParentNode();
        if (parent && (!parent->fTreeNode || parent->HideNode())) return false;
        if (parent && HasPlaceholder(parent)) {
            entity->fTreeNode = TakePlaceholder(parent);
            entity->fTreeNode->SetData(entity);
        } else {
            fLock.Mark();
            TTreeNode* parentNode = parent ? parent->fTreeNode : nullptr;
            TTreeNode* previous = PreviousSiblingNode(entity);
            TTreeNode* next = previous ? previous->GetNextSibling() : nullptr;
            TTreeNode* node = !previous ? fTree.AddChildFirst(parentNode, entity->fText, entity)
                              : next    ? fTree.Insert(next, entity->fText, entity)
                                        : fTree.AddChild(parentNode, entity->fText, entity);
            entity->fTreeNode = static_cast<TTreeNode_qoSub*>(node);
            if (parent && parent->Expanded() && !parentNode->Expanded()) parentNode->SetExpanded(true);
        }
        Made.push_back(entity);
        TTreeNode_qoSub* node = entity->fTreeNode;
        const bool childless = !entity->SubList() || entity->SubList()->Count() == 0;
        if (node && childless && !node->HasChildren() && fTree.NeedsDummyNode(entity) &&
            (fTree.fMaxLevels == -1 || node->Level() < fTree.fMaxLevels - 1)) {
            fLock.Mark();
            fTree.AddDeferredChild(node);
        }
        return entity->fTreeNode != nullptr;
    }

    TqoTree_ComBasic& fTree;
    TqoBeginUpdate fLock;
};

// Siblings in list order: each new node goes at the end of those made before
// it, and its previous sibling is found at once. Entities mostly arrive in that
// order already, and each one is read once here, as 100,000 of them no longer
// stay in the cache between two walks.
std::vector<TqoTree_ComBasic::TVisit> TqoTree_ComBasic::TakeDirty() {
    std::vector<TVisit> byLevel;
    byLevel.reserve(fDirty.size());
    const auto deleted = std::exchange(fDirtyButDeleted, {});
    for (TqoDataEntity_Tree* entity : std::exchange(fDirty, {})) {
        if (!deleted.empty() && deleted.count(entity)) continue;
        assert(entity->Dirty() && "a listed entity stays dirty until it is taken");
        entity->SetDirty(false);
        byLevel.push_back({entity->Level(), entity->ListIndex(), entity});
    }
    const auto before = [](const TVisit& a, const TVisit& b) {
        return a.Level != b.Level ? a.Level < b.Level : a.Index < b.Index;
    };
    if (!std::is_sorted(byLevel.begin(), byLevel.end(), before)) std::sort(byLevel.begin(), byLevel.end(), before);
    return byLevel;
}

void TqoTree_ComBasic::UpdateDisplay() {
    if (fDestroying) return;
    fUpdating = true;
    fUpdating_Selected = Selected();
    fUpdating_TopItem = TCustomTreeView::TopItem();
    const int horizontal = ScrollPos(sbHorizontal);
    std::vector<TqoDataEntity_Tree*> made;
    // The saved state comes back also when the rebuild fails half way.
    struct TRestore {
        TqoTree_ComBasic& fTree;
        int fHorizontal;
        ~TRestore() {
            if (fTree.Selected() != fTree.fUpdating_Selected) fTree.TCustomTreeView::SetSelected(fTree.fUpdating_Selected);
            if (fTree.fUpdating_TopItem) fTree.TCustomTreeView::SetTopItem(fTree.fUpdating_TopItem);
            fTree.ScrollTo(sbHorizontal, fHorizontal);
            fTree.fUpdating = false;
        }
    };
    {
        TRestore restore{*this, horizontal};
        TRebuild rebuild(*this);
        const std::vector<TVisit> byLevel = TakeDirty();
        for (const TVisit& visit : byLevel) rebuild.Visit(visit.Entity);
        rebuild.DeleteScheduled();
        rebuild.SortLists();
        made = std::move(rebuild.Made);
    }
    fMadeInLastRebuild.insert(fMadeInLastRebuild.end(), made.begin(), made.end());
}

void TqoTree_ComBasic::PlaceNode(TqoDataEntity_Tree* entity) {
    TTreeNode* node = entity->fTreeNode;
    TqoDataEntity_Tree* parent = entity->ParentNode();
    TTreeNode* parentNode = parent ? parent->fTreeNode : nullptr;
    TTreeNode* previous = PreviousSiblingNode(entity);
    if (previous == node) return;
    TTreeNode* next = previous ? previous->GetNextSibling() : nullptr;
    if (next == node) return;
    if (next)
        node->MoveTo(next, naInsert);
    else if (previous)
        node->MoveTo(previous, naAdd);
    else if (parentNode)
        node->MoveTo(parentNode, naAddChildFirst);
    else if (GetFirstNode() != node)
        node->MoveTo(GetFirstNode(), naInsert);
}

// Expands the entities above the level, visiting those made by the last
// rebuilds, or every one after the level changed.
void TqoTree_ComBasic::HandleAutoExpand() {
    std::vector<TqoDataEntity_Tree*> made = std::exchange(fMadeInLastRebuild, {});
    if (fAutoExpandLevels <= 0) return;
    const auto expand = [this](TqoDataEntity_Tree* entity) {
        if (entity->Level() <= fAutoExpandLevels - 1 && entity->GetVisible() && !entity->Expanded())
            PerformAutoExpandItem(entity);
    };
    if (std::exchange(fAutoExpandAll, false)) {
        TDataListTrav trav = TDataListTrav::CreateMulti(fListOfDataListListInstances);
        std::vector<TqoDataEntity_Tree*> all;
        for (trav.First(); !trav.Eof(); trav.Next()) all.push_back(static_cast<TqoDataEntity_Tree*>(trav.DataEntity()));
        std::stable_sort(all.begin(), all.end(), [](auto* a, auto* b) { return a->Level() < b->Level(); });
        made = std::move(all);
    }
    for (TqoDataEntity_Tree* entity : made)
        if (entity->OwningDataList()) expand(entity);
    EnsureDisplayUpToDate();
}

} // namespace qo
