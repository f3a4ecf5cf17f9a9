#pragma once
// A Gantt row: the band of the chart area that belongs to one node of the row
// header (a tree node, or a grid-tree node). It holds the row's time items in
// layers and computes all their vertical geometry from the header's current
// band of the node, which it reads through its owner's row source only when a
// paint or a hit test needs it.
#include "data/qoDataEntityPack.h"
#include "gantt/qoGantRowOwner.h"
#include "gantt/qoGantRowTimeIndex.h"
#include "gantt/qoTimeItem.h"

#include <array>
#include <cstdint>
#include <memory>

namespace qo {

class TTimeDistinctGenericThread;
class TDistinctTimeHolderList;

// One layer of a row: a data list of time items that knows its row.
class TqoDataList_GantRow : public TqoDataList {
public:
    TGantRow* Row() const { return fRow; }

protected:
    void CleanForFree() override;

private:
    friend class TGantRow;
    TGantRow* fRow = nullptr;
};

class TGantRow : public TqoExposable {
public:
    // Layers that can be given a sub-column of their own.
    static constexpr int32_t kSubColLayers = 10;

    // A row heads one node: given both, it heads the tree node.
    TGantRow(TGantRowList* list, TqoDataEntity_Tree* treeNode, TqoDataEntity_GridTreeNode* gridNode);

    // The row list's chart; nil once the row was freed.
    IGantRowOwner* Gant() const;
    TGantRowList* RowList() const { return fGantRowList; }
    // The layers; nil once the row was freed.
    TqoDataList2lev* DataLists() const { return fDataListList; }
    TqoDataEntity_Tree* TreeNode() const;
    TqoDataEntity_GridTreeNode* GridTreeNode() const;
    // The node, tree or grid, as a data entity.
    TqoDataEntity* NodeEntity() const { return fNode; }

    // A new last layer.
    TqoDataList_GantRow* AddDataList();
    // The layer, made with those before it when missing; nil for a negative index.
    TqoDataList_GantRow* Layer(int32_t index);
    int32_t LayerCount() const { return fDataListList ? fDataListList->Count() : 0; }

    // ---- Geometry ----
    // The band refreshed from the header, or (-1, -1, -1, -1) when the node does not show.
    void UpdateRect();
    // The band as of the last refresh of the list's geometry.
    TRect GetRect();
    bool GetVisible();
    // The item's horizontal extent; always succeeds.
    bool XStartStopFromDataEntity(TqoDataEntity_GantTime* item, int& x1, int& x2);
    bool YStartStopFromDataEntity(TqoDataEntity_GantTime* item, int& y1, int& y2);
    bool RectFromDataEntity(TqoDataEntity_GantTime* item, TRect& rect);
    // The item painted on top at the point; nil when none.
    TqoDataEntity_GantTime* FindDataEntityFromXY(int x, int y);
    // Every item of the visible time, layers in draw order.
    void DrawContent();
    // The row's items were added, removed, reordered or given other times.
    void TimeItemsChanged();

    // ---- Sub-columns ----
    int32_t SubColCount() const { return fRare ? fRare->NumOfSubCols : 0; }
    void SetUseSubCols(int32_t n) {
        if (n != SubColCount()) Rare().NumOfSubCols = n;
    }
    // Layers 0..9 only; any other layer index is ignored.
    void DataListOnSubCol(int32_t layer, int32_t subCol);
    // 0 for a layer that was given none or lies beyond the table.
    int32_t SubColOfLayer(int32_t layer) const;

    // ---- Plain settings ----
    int32_t DrawLayerStart() const { return fRare ? fRare->DrawLayerStart : 0; }
    void SetDrawLayerStart(int32_t value) {
        if (value != DrawLayerStart()) Rare().DrawLayerStart = value;
    }
    bool DragEnable() const { return fDragEnable; }
    void SetDragEnable(bool value) { fDragEnable = value; }
    bool DataListOnSubColUse() const { return fDataListOnSubColUse; }
    void SetDataListOnSubColUse(bool value) { fDataListOnSubColUse = value; }
    bool TimeItems_CanMove() const { return fTimeItems_CanMove; }
    void SetTimeItems_CanMove(bool value) { fTimeItems_CanMove = value; }
    bool TimeItems_CanChangeRow() const { return fTimeItems_CanChangeRow; }
    void SetTimeItems_CanChangeRow(bool value) { fTimeItems_CanChangeRow = value; }
    bool TimeItems_CanResize() const { return fTimeItems_CanResize; }
    void SetTimeItems_CanResize(bool value) { fTimeItems_CanResize = value; }
    TColor TimeItems_SelectionColor() const { return fRare ? fRare->TimeItems_SelectionColor : 0; }
    void SetTimeItems_SelectionColor(TColor value) {
        if (value != TimeItems_SelectionColor()) Rare().TimeItems_SelectionColor = value;
    }
    bool Time_ItemsHasSelectHandles() const { return fTime_ItemsHasSelectHandles; }
    void SetTime_ItemsHasSelectHandles(bool value) { fTime_ItemsHasSelectHandles = value; }
    bool Time_ItemsHasFocusRect() const { return fTime_ItemsHasFocusRect; }
    void SetTime_ItemsHasFocusRect(bool value) { fTime_ItemsHasFocusRect = value; }
    bool IncreaseRowHeightOnCollision() const { return fIncreaseRowHeightOnCollision; }
    void SetIncreaseRowHeightOnCollision(bool value) { fIncreaseRowHeightOnCollision = value; }
    int32_t IncreaseRowHeightOnCollision_SuggestedHeightPerItem() const {
        return fRare ? fRare->SuggestedHeightPerItem : 0;
    }
    void SetIncreaseRowHeightOnCollision_SuggestedHeightPerItem(int32_t value) {
        if (value != IncreaseRowHeightOnCollision_SuggestedHeightPerItem()) Rare().SuggestedHeightPerItem = value;
    }
    bool CollisionDetectionBetweenLayers() const { return fCollisionDetectionBetweenLayers; }
    void SetCollisionDetectionBetweenLayers(bool value) { fCollisionDetectionBetweenLayers = value; }

    // ---- Collision detection (qoGantRowCollision.cpp) ----
    bool CollisionDetection() const { return fCollisionDetection; }
    // On: detection is queued. Off: a pending detection is dropped and the
    // row has no sub-columns (items keep their SubCol).
    void SetCollisionDetection(bool value);
    bool CollisionDetectionPause() const { return fCollisionDetectionPause; }
    // Pausing switches detection off and tells the chart; resuming switches it on.
    void SetCollisionDetectionPause(bool value);
    // The items changed: queues a detection when detection is on.
    void UpdateSubColumns();
    // The queued detection: starts a worker over the visible items, or pauses
    // the row when too many workers are alive.
    void UpdateSubColumnsAsync(void* unused);
    // The worker's result, on the user-interface thread.
    void TimeDistinctThreadDone(TTimeDistinctGenericThread* sender);
    // Abandons the worker; the chart may resume paused rows then.
    void CleanUpThread();
    TTimeDistinctGenericThread* TimeDistinctGenericThread() const { return fRare ? fRare->Worker : nullptr; }

    // Whether the row counts in the owner's current mode (tree or grid).
    bool RowTypeCheckOK() const;

protected:
    ~TGantRow() override;
    void CleanForFree() override;

private:
    friend class TGantRowList;
    void OnMissingIndex(TqoDataList2lev* list, int32_t index, bool& handled);
    int32_t SubColumnOf(TqoDataEntity_GantTime* item) const;
    void CollectHolders(TDistinctTimeHolderList& holders);
    void ApplySubColumns(TTimeDistinctGenericThread& worker);
    // Drops the queued detection and the worker, the chart left alone.
    void AbandonDetection();
    static void FreeLayers(TqoDataList2lev* set);
    // Takes the layer set out of the chart's list of every set.
    void LeaveChart(IGantRowOwner* gant);

    // What most rows leave as it is, or have only while collision detection
    // runs or while they hold many items, kept apart: a chart holds rows by
    // the hundred thousand. Made on first use, it stays.
    struct TRare {
        TTimeDistinctGenericThread* Worker = nullptr;
        // Made by the first paint after a change of a row with many items.
        std::unique_ptr<TGantRowTimeIndex> TimeIndex;
        std::array<int32_t, kSubColLayers> SubColOfLayer{};
        int32_t DrawLayerStart = 0;
        int32_t NumOfSubCols = 0;
        int32_t SuggestedHeightPerItem = 0;
        TColor TimeItems_SelectionColor = 0;
    };
    TRare& Rare();
    // The items to paint, as positions (layer, index) in draw order; those
    // of a row with many items only near the visible time window.
    void CollectDrawPositions(std::vector<TGantRowTimeIndex::TPosition>& positions);
    // The band as of the last refresh, as wide as the chart then is.
    TRect Band() const;
    TRect BandRect(int32_t top, int32_t bottom, bool has) const;

    // The flags first: they fill the tail of the base's last word.
    bool fNodeIsGrid : 1 = false;
    bool fRemoving : 1 = false;
    bool fDragEnable : 1 = false;
    bool fTimeItems_CanMove : 1 = true;
    bool fTimeItems_CanChangeRow : 1 = true;
    bool fTimeItems_CanResize : 1 = true;
    bool fTime_ItemsHasSelectHandles : 1 = true;
    bool fTime_ItemsHasFocusRect : 1 = true;
    bool fCollisionDetectionPause : 1 = false;
    bool fDataListOnSubColUse : 1 = true;
    bool fCollisionDetection : 1 = false;
    bool fCollisionDetectionBetweenLayers : 1 = false;
    bool fIncreaseRowHeightOnCollision : 1 = false;
    // In its row list, whose slot for it its node's cookie names.
    bool fListed : 1 = false;
    TqoDataEntity* fNode;
    TqoDataList2lev* fDataListList = nullptr;
    TGantRowList* fGantRowList;
    std::unique_ptr<TRare> fRare;
};

} // namespace qo
