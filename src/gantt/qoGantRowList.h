#pragma once
// The rows of a Gantt chart, one per node of the row header, in creation
// order. A node keeps its row's slot in its integration cookie, so that a row
// is found from its node in constant time, and its slot from the row, without
// a table beside the rows or room in each; a row is found from a y through the
// header's own geometry: neither lookup walks the rows.
#include "data/qoExposable.h"
#include "gantt/qoGantRowOwner.h"
#include "grid/qoGridTree.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace qo {

class TqoDataEntity;

class TGantRowList : public TqoExposable {
public:
    explicit TGantRowList(IGantRowOwner* gant) : fGant(gant) {}

    IGantRowOwner* Gant() const { return fGant; }
    int32_t Count() const { return int32_t(fList.size()) - fHoles; }
    // Nil when index < 0 or >= Count.
    TGantRow* GetGantRow(int32_t index);

    // A row for the node: the owner's hook may make it, else the owner's factory.
    TGantRow* AddRow(TqoDataEntity_Tree* treeNode, TqoDataEntity_GridTreeNode* gridNode);
    // Frees the row of the node (the tree node when given, else the grid node); nothing without one.
    void RemoveRow(TqoDataEntity_Tree* treeNode, TqoDataEntity_GridTreeNode* gridNode);
    // Rows follow the grid tree's announcements: a row for a node inserted or
    // loaded (its integration cookie), none for one removed or unloaded.
    void FollowGridTree(TIntegrationEventKind kind, TqoDataEntity_GridTreeNode* node);

    // The row whose band holds y strictly inside (top < y < bottom) in the current mode.
    TGantRow* FindRowFromY(int y);
    TGantRow* FindRowFromTreeNode(const TqoDataEntity_Tree* node) const;
    // The row in the node's integration cookie (the node's first row).
    TGantRow* FindRowFromGridNode(const TqoDataEntity_GridTreeNode* node) const;
    TGantRow* FindRowFromUntypedNode(const TqoDataEntity* node) const;
    // The last row whose tree node (or, without one, grid node) carries the reference.
    TGantRow* FindRowFromTreeNodeDataEntityUserReference(const void* reference);

    // Rows refresh their bands on first use after this; the owner calls it
    // at the start of each paint.
    void GeometryChanged() { fBands = {}; }
    // Counts the rows taken out: a node seen heading a row is still alive
    // while this stays the same.
    uint32_t Removals() const { return fRemovals; }
    // The rows of the current mode that meet [top, bottom) of the chart area,
    // from the top down, their bands refreshed.
    std::vector<TGantRow*> VisibleRows(int top, int bottom);
    // The tree that headed the rows goes: its nodes are forgotten.
    void ForgetTreeNodes();

protected:
    ~TGantRowList() override;
    void CleanForFree() override;

private:
    friend class TGantRow;
    // A row's band in the chart area as of its last refresh; Has is false
    // for a row whose node does not show.
    struct TRowBand {
        int32_t Top = -1, Bottom = -1;
        bool Has = false;
    };
    // Nil for a row not refreshed since the geometry last changed.
    const TRowBand* CachedBand(const TGantRow* row) const {
        const auto it = fBands.find(row);
        return it == fBands.end() ? nullptr : &it->second;
    }
    void Append(TGantRow* row);
    void TakeOut(TGantRow* row);
    void Compact();
    // The cookie of the row's node: its first row's slot plus one, nil for none.
    static void* NodeCookie(const TGantRow* row);
    static void SetNodeCookie(const TGantRow* row, void* cookie);
    static void* CookieFor(size_t slot) { return reinterpret_cast<void*>(uintptr_t(slot) + 1); }
    // The slot a cookie names; past every slot for nil.
    static size_t SlotIn(void* cookie) { return size_t(reinterpret_cast<uintptr_t>(cookie) - 1); }
    // The row of this list in the slot that the cookie names, when it heads the node.
    TGantRow* RowInCookie(void* cookie, const TqoDataEntity* node) const;
    // The row the node of the row keeps; nil for a row without a node.
    TGantRow* NodesRow(const TGantRow* row) const;
    // A listed row's slot: its node's cookie names it, unless it shares its node.
    size_t SlotOf(const TGantRow* row) const;

    IGantRowOwner* fGant;
    // Removed rows leave a nil slot until the next indexed access closes the gaps.
    std::vector<TGantRow*> fList;
    int32_t fHoles = 0;
    // Rows made for a node that has a row already (its cookie names the first).
    int32_t fSharedNodes = 0;
    uint32_t fRemovals = 0;
    // Only the rows used since the geometry last changed have a band here (the
    // rows that show, mostly), so that a row needs no room for one.
    std::unordered_map<const TGantRow*, TRowBand> fBands;
};

} // namespace qo
