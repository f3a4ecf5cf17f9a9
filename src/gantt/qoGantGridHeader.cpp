// The grid as the chart's row header. The grid lays out only the rows that
// show, each at its offset from the top of its drawing rectangle; the chart
// reads those places and maps a grid row to its Gantt row through the node's
// integration cookie, so that nothing here walks all rows.
#include "gantt/qoGantGridHeader.h"

#include "data/qoDoLater.h"
#include "gantt/qoGantRow.h"
#include "gantt/qoGantRowList.h"
#include "grid/qoGrid.h"
#include "grid/qoGridTree.h"

#include <algorithm>
#include <utility>

namespace qo {

namespace {
constexpr TRect kNoRect{-1, -1, -1, -1};
} // namespace

TGantGridHeader::TGantGridHeader(TqoGrid* grid) : fGrid(grid), fPrinting(*grid) {
    fGrid->SetUseTree(true);
    fGrid->SetHasHeaders(false);
    fGrid->SetHasInfoCol(false);
    fGrid->AddColumn()->SetTreeButton(true);
    fGrid->SetExtendLastColumnToWidth(true);
}

TGantGridHeader::~TGantGridHeader() {
    if (TqoGridTree* tree = fGrid->GetTree()) tree->SetOnIntegrationEvents(nullptr);
    fGrid->OnTopLeftChanged = nullptr;
    fGrid->OnAxisChanged = nullptr;
    fGrid->OnVerticalScrollVisibilityChanged = nullptr;
    fScrolled.reset();
    delete fGrid;
}

TWinControl& TGantGridHeader::Control() { return *fGrid; }

namespace {
// A header waiting for the deferred call that frees it.
struct TGridHeaderToFree {
    std::unique_ptr<IGantGridHeader> Header;
    void Free(void*) { delete this; }
};
} // namespace

void IGantGridHeader::FreeLater(std::unique_ptr<IGantGridHeader> header) {
    if (!header) return;
    header->Control().SetParent(nullptr);
    if (TqoGridTree* tree = header->GridTree()) tree->SetOnIntegrationEvents(nullptr);
    header->Attach(nullptr, nullptr, nullptr);
    header->MoveVerticalScroll(nullptr, nullptr);
    auto* waiting = new TGridHeaderToFree{std::move(header)};
    TDoLater::DoLater(DoLaterMethod<&TGridHeaderToFree::Free>(waiting), nullptr);
}

TqoGridTree* TGantGridHeader::GridTree() { return fGrid->GetTree(); }

// Scrolling, a resize or a change of the rows moves the bands: the chart
// repaints and drops what it kept of them.
void TGantGridHeader::Attach(IGantRowOwner* gant, TControl* chartArea, TNotifyEvent topLeftChanged) {
    fGant = gant;
    fChartArea = chartArea;
    fGrid->SetIntegrationOwner(gant);
    // The view tells of a new focused cell; the root of every scroll. Either
    // may run while the chart lets go of the grid: both stay, told nothing.
    fGrid->OnTopLeftChanged = topLeftChanged;
    fTopLeftChanged = std::move(topLeftChanged);
    if (!fScrolled)
        fScrolled = std::make_unique<TSingleEventListener>(
            fGrid->MainGrid()->TopLeftChangedEvent(),
            [this](TSingleEventListener*) { fTopLeftChanged.Fire(fGrid); }, false);
    fGrid->OnAxisChanged = [this](TComponent*) {
        if (fGant) fGant->InvalidateChart();
    };
}

int TGantGridHeader::HeaderHeight() { return fGrid->HasHeaders() ? fGrid->GetRowHeight(0) : 0; }

void TGantGridHeader::RedrawIfNeeded() {
    fGrid->RedrawIfNeeded();
    fGrid->EnsureLayout();
}

void TGantGridHeader::SetMultiSelect(bool on) { fGrid->SetMultiSelect(on); }

TqoDataEntity_GridTreeNode* TGantGridHeader::CurrentNode() { return fGrid->CurrentNode(); }

void TGantGridHeader::WheelScroll(TMessage& message) { fGrid->HandleExternalWheelScroll(message); }

TScrollBar* TGantGridHeader::MoveVerticalScroll(TWinControl* holder, TNotifyEvent shownOrHidden) {
    TScrollBar* bar = fGrid->HijackVerticalScroll(holder != nullptr);
    bar->SetParent(holder ? holder : static_cast<TWinControl*>(fGrid));
    fGrid->OnVerticalScrollVisibilityChanged = std::move(shownOrHidden);
    return bar;
}

// The grid and the chart area sit side by side: the grid's header row lies
// above the chart's top (level with the scaler), or, without a chart yet,
// the grid's first row below its header is the chart's first.
int TGantGridHeader::ChartTop() {
    if (fGrid->IsPrinting()) return FirstRowTop();
    if (!fChartArea) return HeaderHeight();
    return fChartArea->ClientOrigin().Y - fGrid->ClientOrigin().Y;
}

// On paper the chart starts level with the first printed row.
int TGantGridHeader::FirstRowTop() {
    const TBabGridCell& root = *fGrid->MainGrid();
    for (const TAxisContentItem* item : root.AxisContentListY()->VisibleItems())
        if (item->ListIndex() >= root.FixedRows()) return root.DrawRect().Top + item->AcumSize();
    return HeaderHeight();
}

TRect TGantGridHeader::BandOf(const TAxisContentItem* item) {
    const int top = fGrid->MainGrid()->DrawRect().Top + item->AcumSize() - ChartTop();
    return {0, top, 0, top + item->CalculatedSize()};
}

TAxisContentItem* TGantGridHeader::ItemOnScreen(const TGantRow& row) const {
    const TqoDataEntity_GridTreeNode* node = row.GridTreeNode();
    TAxisContentItem* item = node ? node->AxisContentItem() : nullptr;
    if (!item || !item->IsOnScreen() || item->AxisContentList() != fGrid->MainGrid()->AxisContentListY())
        return nullptr;
    return node->IsVisible() ? item : nullptr;
}

// Active before the size, so that the grid's resize event sees the row's own height.
void TGantGridHeader::SetRowHeight(void* node, int height) {
    TAxisContentItem* item = node ? static_cast<TqoDataEntity_GridTreeNode*>(node)->AxisContentItem() : nullptr;
    if (!item || (item->UserSizeActive() && item->UserSize() == height)) return;
    item->SetUserSizeActive(true);
    item->SetUserSize(height);
}

TBabCell* TGantGridHeader::RowStartCell(const TGantRow* from) const {
    TBabGridCellForViewer& root = *fGrid->MainGrid();
    const TqoDataEntity_GridTreeNode* node = from ? from->GridTreeNode() : nullptr;
    const TAxisContentItem* item = node ? node->AxisContentItem() : nullptr;
    int y = -1;
    if (!node)
        y = root.FocusedCell() ? root.FocusedCell()->RowIndex() : -1;
    else if (item && item->AxisContentList() == root.AxisContentListY())
        y = item->ListIndex();
    return y < 0 ? nullptr : root.getCell(root.FixedCols(), y);
}

// The grid's own navigation steps over hidden rows and stays on the last
// one at either end.
TGantRow* TGantGridHeader::StepFocusedRow(TGantRow* from, bool up) {
    TBabGridCellForViewer& root = *fGrid->MainGrid();
    TBabCell* start = RowStartCell(from);
    TBabCell* next = start ? root.FindNeighbourCell(start, up ? babdirUp : babdirDown, false) : nullptr;
    if (!next || next->RowIndex() == start->RowIndex() || !RowOfItem(next->AxisContentItemY())) return nullptr;
    root.SetFocusedCell(next);
    // The focus's events run host code: what the focus holds now is selected.
    TBabCell* focused = fGant ? root.FocusedCell() : nullptr;
    if (!focused) return nullptr;
    root.UpdateMultiSelect(focused, 0);
    focused = root.FocusedCell();
    return focused ? RowOfItem(focused->AxisContentItemY()) : nullptr;
}

void TGantGridHeader::ScrollRow(bool up) { fGrid->PublicScroll(up ? 0 : 1); }

TGantRow* TGantGridHeader::RowOfItem(const TAxisContentItem* item) const {
    TqoDataEntity_GridTreeNode* node = TqoGridTree::NodeOfRow(item);
    TGantRowList* rows = fGant ? fGant->RowList() : nullptr;
    return node && rows ? rows->FindRowFromGridNode(node) : nullptr;
}

TRect TGantGridHeader::RowBand(const TGantRow& row) {
    RedrawIfNeeded();
    const TAxisContentItem* item = ItemOnScreen(row);
    return item ? BandOf(item) : kNoRect;
}

bool TGantGridHeader::RowVisible(const TGantRow& row) {
    RedrawIfNeeded();
    return ItemOnScreen(row) != nullptr;
}

// The rows on screen lie top to bottom: a binary search finds the one at y.
TGantRow* TGantGridHeader::RowAtY(int y) {
    RedrawIfNeeded();
    const std::vector<TAxisContentItem*>& shown = fGrid->MainGrid()->AxisContentListY()->VisibleItems();
    const auto it = std::partition_point(shown.begin(), shown.end(),
                                         [&](const TAxisContentItem* item) { return BandOf(item).Bottom <= y; });
    if (it == shown.end() || BandOf(*it).Top > y) return nullptr;
    return RowOfItem(*it);
}

void TGantGridHeader::VisibleRows(int top, int bottom, std::vector<TGantRow*>& rows) {
    ForEachVisibleRow([&](const TRect& band, void* node) {
        if (!node || band.Bottom <= top || band.Top >= bottom) return;
        TGantRowList* list = fGant ? fGant->RowList() : nullptr;
        if (TGantRow* row = list ? list->FindRowFromGridNode(static_cast<TqoDataEntity_GridTreeNode*>(node)) : nullptr)
            rows.push_back(row);
    });
}

// Copied: a visit may run code that lays the grid out again.
void TGantGridHeader::ForEachVisibleRow(const std::function<void(const TRect& band, void* node)>& visit) {
    RedrawIfNeeded();
    const TBabGridCell& root = *fGrid->MainGrid();
    const std::vector<TAxisContentItem*> shown = root.AxisContentListY()->VisibleItems();
    const int fixed = root.FixedRows();
    for (const TAxisContentItem* item : shown) {
        if (item->ListIndex() < fixed || item->CalculatedSize() <= 0) continue;
        visit(BandOf(item), TqoGridTree::NodeOfRow(item));
    }
}

} // namespace qo
