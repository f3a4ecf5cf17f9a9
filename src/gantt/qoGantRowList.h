#pragma once
// The rows of a Gantt chart, one per node of the row header, in creation
// order. Rows are found from a node in constant time and from a y through the
// header's own geometry, so that neither lookup walks the rows.
#include "data/qoExposable.h"
#include "gantt/qoGantRowOwner.h"

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

    // The row whose band holds y strictly inside (top < y < bottom) in the current mode.
    TGantRow* FindRowFromY(int y);
    TGantRow* FindRowFromTreeNode(const TqoDataEntity_Tree* node) const;
    TGantRow* FindRowFromGridNode(const TqoDataEntity_GridTreeNode* node) const;
    TGantRow* FindRowFromUntypedNode(const TqoDataEntity* node) const;
    // The last row whose tree node (or, without one, grid node) carries the reference.
    TGantRow* FindRowFromTreeNodeDataEntityUserReference(const void* reference);

    // Rows refresh their bands on first use after this; the owner calls it
    // at the start of each paint.
    void GeometryChanged() { ++fGeneration; }
    uint32_t Generation() const { return fGeneration; }
    // The rows of the current mode that meet [top, bottom) of the chart area,
    // from the top down, their bands refreshed.
    std::vector<TGantRow*> VisibleRows(int top, int bottom);

protected:
    ~TGantRowList() override;
    void CleanForFree() override;

private:
    void Append(TGantRow* row);
    void TakeOut(TGantRow* row);
    void Compact();
    static const void* KeyOf(const TGantRow* row);

    IGantRowOwner* fGant;
    // Removed rows leave a nil slot until the next indexed access closes the gaps.
    std::vector<TGantRow*> fList;
    int32_t fHoles = 0;
    // The first row of each node; rows that share a node are counted.
    std::unordered_map<const void*, TGantRow*> fByNode;
    int32_t fSharedNodes = 0;
    uint32_t fGeneration = 1;
};

} // namespace qo
