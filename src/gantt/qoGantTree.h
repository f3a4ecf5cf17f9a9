#pragma once
// The tree that heads the Gantt chart's rows: every tree node gets a row as
// it is inserted and loses it as it is deleted, and the tree lays the rows out
// (node to band, y to row, the rows that show) in O(log n) through the tree
// view's row index. Its vertical scrolling shows on a scroll bar outside the
// tree, beside the chart, and the wheel moves the current row instead of the
// scroll position.
#include "gantt/qoGantRowOwner.h"
#include "grid/qoTree.h"

namespace qo {

class TScrollBar;

// What the tree tells the chart beyond its rows.
class IGantTreeOwner {
public:
    // The tree's scroll range or position changed.
    virtual void HandleTreeAlign() = 0;
    // The tree's rows moved: the parts beside it follow.
    virtual void RefreshOthers(TComponent* sender) = 0;
    // The external scroll bar was enabled, disabled or changed.
    virtual void RealignScrollbar() = 0;
    // The current row changed.
    virtual void ChangeInTree() = 0;

protected:
    ~IGantTreeOwner() = default;
};

// What the tree last read of its scroll state.
struct TGantScrollInfo {
    int Min = 0, Max = 0, Page = 0, Pos = 0, TrackPos = 0;
};

class TGantTree : public TqoTree_ComBasic, public IGantRowSource {
public:
    TGantTree(TComponent* owner, IGantRowOwner* gant, IGantTreeOwner* treeOwner);
    ~TGantTree() override;

    IGantRowOwner* Gant() const { return fGant; }
    // The chart goes before the tree: the tree tells it nothing more.
    void ForgetChart();
    // Not owned; nil for none. The tree's own vertical bar stays hidden.
    TScrollBar* VertScrollExternal() const { return fVertScrollExternal; }
    void SetVertScrollExternal(TScrollBar* bar);
    // The tree's vertical scroll state as a scroll bar shows it.
    TGantScrollInfo ScrollInfo() const;
    // Brings the external bar up to date later, once per burst.
    void ExternalScrollOutOfDate();
    void UpdateExternalScroll();
    // Moves the current row: delta < 0 up, delta > 0 down.
    void Scroll(int delta);
    void RefreshSelection();

    // ---- Row source ----
    TRect RowBand(const TGantRow& row) override;
    bool RowVisible(const TGantRow& row) override;
    TGantRow* RowAtY(int y) override;
    void VisibleRows(int top, int bottom, std::vector<TGantRow*>& rows) override;

protected:
    void _InsertItem(TqoDataEntity* entity) override;
    void _DeleteItem(TqoDataEntity* entity) override;
    void _OnVisibleChanged(TqoDataEntity* entity) override;
    // Inserts, deletes, moves and sorts: the rows' order may have changed.
    void _ContentChanged(TqoDataList* list) override;
    void HandlePerformedMove(TqoDataEntity* entity, int32_t from, int32_t to) override;
    void Expand(TTreeNode* node) override;
    void Collapse(TTreeNode* node) override;
    void Change(TTreeNode* node) override;
    void Paint() override;
    void ScrollPosChanged(TScrollBarKind axis) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

private:
    void UpdateExternalScrollLater(void*) { UpdateExternalScroll(); }
    void OnExternalScroll(TComponent* bar, TScrollCode code, int& position);
    // The tree's row of the chart area's y; may lie outside the rows.
    int RowIndexAtY(int y) const;
    TGantRow* RowOfNode(TTreeNode* node) const;
    // Nil once the chart has gone.
    TGantRowList* Rows() const;
    void InvalidateChart();
    // Rows came or went: the scroll range may have changed.
    void RowsChanged();

    TScrollBar* fVertScrollExternal = nullptr;
    IGantRowOwner* fGant;
    IGantTreeOwner* fTreeOwner;
    TGantScrollInfo fLastScrollInfo;
    TTreeNode* fLastSelected = nullptr;
    bool fVertScrolling = false;
    TqoAlive fAlive;
};

} // namespace qo
