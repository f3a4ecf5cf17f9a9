#include "gantt/qoGantTree.h"

#include "data/qoDoLater.h"
#include "gantt/qoGantRow.h"
#include "gantt/qoGantRowList.h"

#include <algorithm>

namespace qo {

namespace {
constexpr TRect kNoRect{-1, -1, -1, -1};
}

TGantTree::TGantTree(TComponent* owner, IGantRowOwner* gant, IGantTreeOwner* treeOwner)
    : TqoTree_ComBasic(owner), fGant(gant), fTreeOwner(treeOwner) {
    // The external bar shows the vertical scrolling; the tree scrolls without its own.
    SetScrollBarVert(false);
}

TGantTree::~TGantTree() {
    TDoLater::NeverMind(DoLaterMethod<&TGantTree::UpdateExternalScrollLater>(this));
    // The rows may outlive the nodes they were made for.
    if (TGantRowList* rows = Rows()) rows->ForgetTreeNodes();
    if (fVertScrollExternal) fVertScrollExternal->OnScroll = nullptr;
}

TGantRowList* TGantTree::Rows() const { return fGant ? fGant->RowList() : nullptr; }

void TGantTree::ForgetChart() {
    fGant = nullptr;
    fTreeOwner = nullptr;
}

void TGantTree::InvalidateChart() {
    if (fGant) fGant->InvalidateChart();
}

void TGantTree::RowsChanged() {
    ExternalScrollOutOfDate();
    InvalidateChart();
}

// ---- Rows follow the nodes ----

// The tree's own handling reports the insertion to the host, which may delete
// the entity again: a row is made only for an entity still in its list.
void TGantTree::_InsertItem(TqoDataEntity* entity) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoKeepAlive<TqoDataEntity> keep({entity});
    TqoTree_ComBasic::_InsertItem(entity);
    if (!alive || !entity->OwningDataList()) return;
    if (TGantRowList* rows = Rows()) rows->AddRow(static_cast<TqoDataEntity_Tree*>(entity), nullptr);
    if (alive) RowsChanged();
}

void TGantTree::_DeleteItem(TqoDataEntity* entity) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (TGantRowList* rows = Rows()) rows->RemoveRow(static_cast<TqoDataEntity_Tree*>(entity), nullptr);
    if (!alive) return;
    TqoTree_ComBasic::_DeleteItem(entity);
    if (alive) RowsChanged();
}

void TGantTree::_OnVisibleChanged(TqoDataEntity* entity) {
    TqoTree_ComBasic::_OnVisibleChanged(entity);
    InvalidateChart();
}

void TGantTree::_ContentChanged(TqoDataList* list) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoTree_ComBasic::_ContentChanged(list);
    if (alive) InvalidateChart();
}

void TGantTree::HandlePerformedMove(TqoDataEntity* entity, int32_t from, int32_t to) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoTree_ComBasic::HandlePerformedMove(entity, from, to);
    if (alive) InvalidateChart();
}

void TGantTree::Expand(TTreeNode* node) {
    TqoTree_ComBasic::Expand(node);
    ExternalScrollOutOfDate();
    InvalidateChart();
    if (fTreeOwner) fTreeOwner->RefreshOthers(this);
}

void TGantTree::Collapse(TTreeNode* node) {
    TqoTree_ComBasic::Collapse(node);
    ExternalScrollOutOfDate();
    InvalidateChart();
    if (fTreeOwner) fTreeOwner->RefreshOthers(this);
}

// ---- Row source ----

TRect TGantTree::RowBand(const TGantRow& row) {
    if (IsDisplayOutOfDate()) EnsureDisplayUpToDate();
    const TqoDataEntity_Tree* entity = row.TreeNode();
    const int index = entity ? RowOf(entity->Node()) : -1;
    if (index < 0) return kNoRect;
    const int top = VisibleRect().Top + (index - ScrollPos(sbVertical)) * ItemHeight();
    return {0, top, 0, top + ItemHeight()};
}

bool TGantTree::RowVisible(const TGantRow& row) {
    if (IsDisplayOutOfDate()) EnsureDisplayUpToDate();
    const TqoDataEntity_Tree* entity = row.TreeNode();
    return entity && RowOf(entity->Node()) >= 0;
}

int TGantTree::RowIndexAtY(int y) const {
    const int offset = y - VisibleRect().Top;
    const int height = std::max(1, ItemHeight());
    // Rounded down, so that a y above the first row gives a negative row.
    return ScrollPos(sbVertical) + (offset >= 0 ? offset / height : -((-offset + height - 1) / height));
}

TGantRow* TGantTree::RowOfNode(TTreeNode* node) const {
    const TqoDataEntity_Tree* entity = node ? static_cast<TTreeNode_qoSub*>(node)->Entity() : nullptr;
    TGantRowList* rows = Rows();
    return entity && rows ? rows->FindRowFromTreeNode(entity) : nullptr;
}

TGantRow* TGantTree::RowAtY(int y) {
    if (IsDisplayOutOfDate()) EnsureDisplayUpToDate();
    return RowOfNode(NodeAtRow(RowIndexAtY(y)));
}

void TGantTree::VisibleRows(int top, int bottom, std::vector<TGantRow*>& rows) {
    if (IsDisplayOutOfDate()) EnsureDisplayUpToDate();
    const int first = std::max(0, RowIndexAtY(top));
    const int last = RowIndexAtY(bottom - 1);
    TTreeNode* node = NodeAtRow(first);
    for (int index = first; node && index <= last; ++index, node = node->GetNextVisible())
        if (TGantRow* row = RowOfNode(node)) rows.push_back(row);
}

// ---- The external scroll bar ----

void TGantTree::SetVertScrollExternal(TScrollBar* bar) {
    if (fVertScrollExternal) fVertScrollExternal->OnScroll = nullptr;
    fVertScrollExternal = bar;
    // The next update applies whatever it reads.
    fLastScrollInfo = {};
    fLastScrollInfo.Max = -1;
    if (bar) bar->OnScroll = TScrollEvent::Bind(this, &TGantTree::OnExternalScroll);
    ExternalScrollOutOfDate();
}

TGantScrollInfo TGantTree::ScrollInfo() const {
    TGantScrollInfo info;
    const TqoScrollExtent extent = ScrollExtent(sbVertical, VisibleRect());
    // Rows that all fit leave nothing to scroll.
    if (extent.Count > extent.Page) {
        info.Max = extent.Count - 1;
        info.Page = extent.Page;
    }
    info.Pos = info.TrackPos = ScrollPos(sbVertical);
    return info;
}

void TGantTree::ExternalScrollOutOfDate() {
    TDoLater::DoLater(DoLaterMethod<&TGantTree::UpdateExternalScrollLater>(this), nullptr);
}

void TGantTree::UpdateExternalScroll() {
    const TqoAlive::TWatch alive = fAlive.Watch();
    const TGantScrollInfo info = ScrollInfo();
    if (info.Min != fLastScrollInfo.Min || info.Max != fLastScrollInfo.Max || info.Pos != fLastScrollInfo.Pos) {
        fLastScrollInfo = info;
        if (fTreeOwner) {
            fTreeOwner->HandleTreeAlign();
            if (alive) fTreeOwner->RefreshOthers(this);
        }
    }
    if (!alive || !fVertScrollExternal || fVertScrolling) return;
    TScrollBar& bar = *fVertScrollExternal;
    const bool enabled = info.Max != 0 && info.Page != 0 && (info.Page != info.Max || info.Pos != 0);
    bar.SetEnabled(enabled);
    if (enabled) {
        bar.SetPageSize(std::min(info.Page, bar.Max()));
        bar.SetParams(info.Pos, info.Min, info.Max);
        bar.SetPageSize(info.Page);
        bar.SetLargeChange(info.Page);
    }
    if (fTreeOwner) fTreeOwner->RealignScrollbar();
}

void TGantTree::OnExternalScroll(TComponent*, TScrollCode, int& position) {
    fVertScrolling = true;
    struct TDone {
        bool& fFlag;
        ~TDone() { fFlag = false; }
    } done{fVertScrolling};
    if (position != ScrollPos(sbVertical)) TCustomTreeView::SetTopItem(NodeAtRow(position));
}

void TGantTree::ScrollPosChanged(TScrollBarKind axis) {
    TqoTree_ComBasic::ScrollPosChanged(axis);
    if (axis == sbVertical) ExternalScrollOutOfDate();
}

// Every paint asks for the nodes' texts, as the platform tree does: the
// scroll state may have changed with them.
void TGantTree::Paint() {
    TqoTree_ComBasic::Paint();
    ExternalScrollOutOfDate();
    RefreshSelection();
}

// ---- The current row ----

void TGantTree::Change(TTreeNode* node) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoTree_ComBasic::Change(node);
    if (alive) RefreshSelection();
}

void TGantTree::RefreshSelection() {
    TTreeNode* selected = Selected();
    if (selected == fLastSelected) return;
    fLastSelected = RowOfNode(selected) ? selected : nullptr;
    if (fTreeOwner) fTreeOwner->ChangeInTree();
}

void TGantTree::Scroll(int delta) {
    EnsureDisplayUpToDate();
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (!Selected()) TCustomTreeView::SetSelected(TCustomTreeView::TopItem());
    TTreeNode* current = alive ? Selected() : nullptr;
    if (!current || delta == 0) return;
    TTreeNode* next = delta < 0 ? current->GetPrevVisible() : current->GetNextVisible();
    if (!next) return;
    TCustomTreeView::SetSelected(next);
    if (!alive || Selected() != next) return;
    if (TqoDataEntity_Tree* entity = static_cast<TTreeNode_qoSub*>(next)->Entity()) UpdateMultiSelect(entity, 0);
}

bool TGantTree::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    (void)shift;
    (void)mousePos;
    Scroll(-wheelDelta);
    return true;
}

} // namespace qo
