#pragma once
// What rows need of the chart that owns them, and where the rows' vertical
// geometry comes from. The Gantt component implements the owner; a row header
// (the tree, the grid tree) implements a row source. Rows reach both only
// through these two interfaces, so that a row stays small and the parts can
// be tested apart.
#include "data/qoDataEntityPack.h"
#include "gantt/qoTimeItemText.h"
#include "platform/core/qoDateTime.h"
#include "platform/core/qoGeometry.h"

#include <vector>

namespace qo {

class TGantRow;
class TGantRowList;
class TqoDataList_GantRow;
class TqoDataEntity_GantTime;
class TqoDataEntity_Tree;
class TqoDataEntity_GridTreeNode;

// The header that lays out the rows: it knows which nodes show and where.
// Every call costs what the rows it touches cost, never all rows.
class IGantRowSource {
public:
    // The node's band in the chart area's coordinates before the draw offset
    // (left and right unused); (-1, -1, -1, -1) when the node does not show.
    virtual TRect RowBand(const TGantRow& row) = 0;
    // The header shows the row's node (its ancestors are expanded, it is not hidden).
    virtual bool RowVisible(const TGantRow& row) = 0;
    // The row whose band holds the chart area's y (before the draw offset);
    // nil when no row lies there.
    virtual TGantRow* RowAtY(int y) = 0;
    // Appends the rows whose bands meet [top, bottom), from the top down.
    virtual void VisibleRows(int top, int bottom, std::vector<TGantRow*>& rows) = 0;

protected:
    ~IGantRowSource() = default;
};

class IGantRowOwner {
public:
    // ---- Factories and the model ----
    virtual TGantRowList* RowList() = 0;
    virtual TGantRow* CreateRow(TGantRowList* list, TqoDataEntity_Tree* treeNode,
                                TqoDataEntity_GridTreeNode* gridNode) = 0;
    virtual TqoDataList2lev* CreateDataList2Lev() = 0;
    virtual TqoDataList_GantRow* CreateDataList_GantRow() = 0;
    // The controller of every layer of every row, and the class of their items.
    virtual TqoListController* GantTimeListController() = 0;
    virtual const TqoDataEntityClass& ClassOfDataEntity_GantTime() = 0;
    // Every row's layer set, in row creation order; nil while there is none.
    virtual TqoDataList3lev* AllDataEntities() = 0;

    // ---- The row list's hooks (the component's events) ----
    // A row made by the host for the node; nil lets the component make it.
    virtual TGantRow* UserCreateGantRow(TGantRowList* list, TqoDataEntity_Tree* treeNode,
                                        TqoDataEntity_GridTreeNode* gridNode) = 0;
    virtual void AfterAddGantRow(TGantRowList* list, TGantRow* row) = 0;
    virtual void BeforeFreeGantRow(TGantRowList* list, TGantRow* row) = 0;

    // ---- Geometry ----
    // The header of the current mode (tree or grid); nil while there is none.
    virtual IGantRowSource* RowSource() = 0;
    virtual bool UseGridNotTree() const = 0;
    virtual int DateToPixel(TDateTime time) = 0;
    virtual int RowDrawOffset() const = 0;
    // Rows of the tree report their height as the chart's row height.
    virtual void SetRowHeight(int height) = 0;
    virtual int ChartWidth() const = 0;
    virtual bool ChartPrinting() const = 0;
    // 1 unless the chart area prints.
    virtual double ChartScalex() const = 0;
    virtual double ChartScaley() const = 0;

    // ---- Painting ----
    // The item's time overlaps the visible window.
    virtual bool IsTimeVisible(TqoDataEntity_GantTime* item) = 0;
    // The visible window of time; items outside it are not drawn.
    virtual void VisibleTimeWindow(TDateTime& from, TDateTime& to) = 0;
    virtual void DrawTimeItem(TqoDataEntity_GantTime* item, const TRect& rect) = 0;
    virtual void InvalidateChart() = 0;
    // What turns a style of an item's texts into a font; given to texts when they are made.
    virtual TOnTimeItemTextStyleSet TimeItemTextStyleSet() = 0;

    // ---- Collision detection ----
    // Tells the host the item's new sub-column; the host may set the item's
    // SubCol (from -1) to override it.
    virtual void CollisionDetected(TqoDataEntity_GantTime* item, int32_t position) = 0;
    // Some rows paused their detection because too many workers were alive.
    virtual bool PausedCollisionDetectionRows() const = 0;
    virtual void SetPausedCollisionDetectionRows(bool paused) = 0;
    virtual void UnPauseCollisionDetectionRows() = 0;
    // Grid mode: the height of the row's line in the grid.
    virtual void SetGridRowHeight(TGantRow& row, int height) = 0;

protected:
    ~IGantRowOwner() = default;
};

} // namespace qo
