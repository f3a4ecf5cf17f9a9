#pragma once
// The grid that heads the chart's rows in grid mode, as the chart sees it: a
// row source whose bands come from the grid's own layout of its rows (the
// rows on screen, each at its accumulated offset), so that a lookup costs
// what shows, never all rows. A component whose CreateGrid makes none keeps
// to the tree.
#include "gantt/qoGantGridPrinting.h"
#include "gantt/qoGantRowOwner.h"
#include "platform/core/qoGeometry.h"
#include "platform/window/qoControl.h"

#include <functional>
#include <memory>

namespace qo {

class IGantGridPrinting;
class TWinControl;
class TScrollBar;
class TqoGrid;
class TqoGridTree;
class TAxisContentItem;
class TBabCell;
class TSingleEventListener;
struct TMessage;

class IGantGridHeader : public IGantRowSource {
public:
    virtual ~IGantGridHeader() = default;
    // The windowed grid; it is freed with this.
    virtual TWinControl& Control() = 0;
    // Frees the header after the current event: the chart went from inside
    // one of the grid's events, and the grid's code still runs below it.
    static void FreeLater(std::unique_ptr<IGantGridHeader> header);
    // The tree whose nodes head the rows; nil without one.
    virtual TqoGridTree* GridTree() = 0;
    // The chart whose rows follow the grid: bands are given in its area's
    // coordinates; topLeftChanged hears of the grid's scrolling.
    virtual void Attach(IGantRowOwner* gant, TControl* chartArea, TNotifyEvent topLeftChanged) = 0;
    // The height of the header row, 0 when the grid shows none.
    virtual int HeaderHeight() = 0;
    // Brings the grid's layout up to date before the chart reads it.
    virtual void RedrawIfNeeded() = 0;
    // The grid's rows on screen, top to bottom: each one's band in the chart
    // area's coordinates (left and right unused) and its node, nil for a row
    // that no node owns.
    virtual void ForEachVisibleRow(const std::function<void(const TRect& band, void* node)>& visit) = 0;
    virtual void SetMultiSelect(bool on) = 0;
    // How the chart prints the grid; nil when it cannot.
    virtual IGantGridPrinting* Printing() { return nullptr; }
    // The node of the focused cell's row; nil when none.
    virtual TqoDataEntity_GridTreeNode* CurrentNode() = 0;
    // The chart area's wheel scrolls the grid.
    virtual void WheelScroll(TMessage& message) = 0;
    // Moves the grid's vertical bar into holder, or back into the grid for
    // nil; shownOrHidden hears when the grid shows or hides it. The bar.
    virtual TScrollBar* MoveVerticalScroll(TWinControl* holder, TNotifyEvent shownOrHidden) = 0;
    // The height of the node's row; a grid whose rows share one height ignores it.
    virtual void SetRowHeight(void* /*node*/, int /*height*/) {}
    // Moves the grid's focus as its own arrow keys do, from the row of from
    // (the focused row without one) to the next shown row above or below,
    // and selects that row's first cell alone; only onto a row that heads a
    // chart row. The row reached, or nil. The grid's events run host code.
    virtual TGantRow* StepFocusedRow(TGantRow* from, bool up) = 0;
    // Scrolls the grid one row, as its scroll bar's arrows do.
    virtual void ScrollRow(bool up) = 0;
};

// The grid component as the chart's row header: one tree column, no header
// row, no info column, the last column stretched to the width.
class TGantGridHeader : public IGantGridHeader {
public:
    // Takes the grid and frees it with this; a grid without an owner can
    // outlive the chart's panels when the chart goes from one of its events.
    explicit TGantGridHeader(TqoGrid* grid);
    ~TGantGridHeader() override;
    TGantGridHeader(const TGantGridHeader&) = delete;
    TGantGridHeader& operator=(const TGantGridHeader&) = delete;

    TqoGrid* Grid() const { return fGrid; }

    TWinControl& Control() override;
    TqoGridTree* GridTree() override;
    void Attach(IGantRowOwner* gant, TControl* chartArea, TNotifyEvent topLeftChanged) override;
    int HeaderHeight() override;
    void RedrawIfNeeded() override;
    void ForEachVisibleRow(const std::function<void(const TRect& band, void* node)>& visit) override;
    void SetMultiSelect(bool on) override;
    TqoDataEntity_GridTreeNode* CurrentNode() override;
    void WheelScroll(TMessage& message) override;
    TScrollBar* MoveVerticalScroll(TWinControl* holder, TNotifyEvent shownOrHidden) override;
    void SetRowHeight(void* node, int height) override;
    TGantRow* StepFocusedRow(TGantRow* from, bool up) override;
    void ScrollRow(bool up) override;
    IGantGridPrinting* Printing() override { return &fPrinting; }

    // ---- Row source ----
    TRect RowBand(const TGantRow& row) override;
    bool RowVisible(const TGantRow& row) override;
    TGantRow* RowAtY(int y) override;
    void VisibleRows(int top, int bottom, std::vector<TGantRow*>& rows) override;

private:
    // The grid's y of the chart area's 0.
    int ChartTop();
    int FirstRowTop();
    // The row's item when it lies on screen in the grid's own rows; nil otherwise.
    TAxisContentItem* ItemOnScreen(const TGantRow& row) const;
    TRect BandOf(const TAxisContentItem* item);
    TGantRow* RowOfItem(const TAxisContentItem* item) const;
    // The cell in the first scrolling column of from's row, or of the focused row.
    TBabCell* RowStartCell(const TGantRow* from) const;

    TqoGrid* fGrid;
    TqoGantGridPrinting fPrinting;
    IGantRowOwner* fGant = nullptr;
    TControl* fChartArea = nullptr;
    TNotifyEvent fTopLeftChanged;
    std::unique_ptr<TSingleEventListener> fScrolled;
};

} // namespace qo
