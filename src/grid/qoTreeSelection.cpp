// The tree component's current entity (set later through a mailbox), the
// multi-selection kept in the entities, the mouse and keys that change them,
// label editing, node drawing and the top item.
#include "grid/qoTree.h"

#include "data/qoDoLater.h"
#include "platform/core/qoUnicode.h"
#include "platform/window/qoClock.h"

#include <algorithm>

namespace qo {

namespace {
constexpr uint16_t ApplicationKey = 0x5D;
} // namespace

// ---- Geometry ----

TqoDataEntity_Tree* TqoTree_ComBasic::GetDataEntityAt(int x, int y) const {
    return EntityOf(GetNodeAt(x, y));
}

TqoDataEntity_Tree* TqoTree_ComBasic::GetDataEntityFromRow(int row) {
    EnsureDisplayUpToDate();
    return EntityOf(NodeAtRow(row));
}

TRect TqoTree_ComBasic::GetRect(TqoDataEntity_Tree* entity) const {
    const TRect none{-1, -1, -1, -1};
    if (!entity || !entity->fTreeNode || !Handle()) return none;
    const TRect rect = entity->fTreeNode->DisplayRect(true);
    return rect.IsEmpty() ? none : rect;
}

TqoDataEntity_Tree* TqoTree_ComBasic::GetNextVisible(TqoDataEntity_Tree* entity) const {
    return entity && !entity->fTreeNode ? entity : entity ? entity->GetNextVisible() : nullptr;
}

TqoDataEntity_Tree* TqoTree_ComBasic::GetPrevVisible(TqoDataEntity_Tree* entity) const {
    return entity && !entity->fTreeNode ? entity : entity ? entity->GetPrevVisible() : nullptr;
}

// ---- Top item ----

TqoDataEntity_Tree* TqoTree_ComBasic::TopItem() const {
    auto* top = static_cast<TTreeNode_qoSub*>(TCustomTreeView::TopItem());
    if (!top || top->qoDeleting() || fListOfTreeNodesToDelete.count(top)) return nullptr;
    return top->Entity();
}

void TqoTree_ComBasic::SetTopItem(TqoDataEntity_Tree* entity) {
    const int horizontal = ScrollPos(sbHorizontal);
    TCustomTreeView::SetTopItem(entity ? entity->fTreeNode : nullptr);
    if (horizontal >= 0) ScrollTo(sbHorizontal, horizontal);
    ReExamineTopItem();
}

void TqoTree_ComBasic::TopItemChanged() {
    ReExamineTopItem();
}

void TqoTree_ComBasic::ReExamineTopItem() {
    TqoDataEntity_Tree* top = TopItem();
    if (top == fLastTopItem) return;
    fLastTopItem = top;
    OnTopItemChanged.Fire(this);
}

// ---- Current entity: the mailbox ----

TqoDataEntity_Tree* TqoTree_ComBasic::CurrentDataEntity() {
    EnsureDisplayUpToDate();
    return EntityOf(Selected());
}

void TqoTree_ComBasic::SetCurrentDataEntity(TqoDataEntity_Tree* entity) {
    CheckOwnEntity(entity);
    DisplayOutOfDate();
    fCurrentDataEntity_Async_Mailbox = entity;
    TDoLater::DoLater(DoLaterMethod<&TqoTree_ComBasic::SetCurrentAsync>(this), nullptr);
}

void TqoTree_ComBasic::SetCurrentAsync(void*) {
    EnsureDisplayUpToDate();
    TqoDataEntity_Tree* entity = std::exchange(fCurrentDataEntity_Async_Mailbox, nullptr);
    TCustomTreeView::SetSelected(entity ? entity->fTreeNode : nullptr);
}

bool TqoTree_ComBasic::CanChange(TTreeNode* node) {
    OnCurrentDataEntityChange.Fire(this, EntityOf(node));
    return TCustomTreeView::CanChange(node);
}

void TqoTree_ComBasic::Change(TTreeNode* node) {
    TCustomTreeView::Change(node);
    if (fDestroying) return;
    ReExamineTopItem();
    TDoLater::NeverMind(DoLaterMethod<&TqoTree_ComBasic::SetCurrentAsync>(this));
}

// ---- Multi-selection ----

void TqoTree_ComBasic::UpdateMultiSelect(TqoDataEntity_Tree* entity, TShiftState shift) {
    if (entity != EntityOf(Selected())) fFocusSwitchTime = GetTickCount();
    if (!entity) {
        fAnchor = nullptr;
        fListOfDataListListInstances->ClearSelections();
        return;
    }
    CheckOwnEntity(entity);
    if (fMultiSelect && (shift & ssShift)) {
        if (!fAnchor) fAnchor = entity->fTreeNode;
        if (!(shift & ssCtrl)) fListOfDataListListInstances->ClearSelections();
        if (!fAnchor || !entity->fTreeNode) return;
        int from = fAnchor->AbsoluteIndex(), to = entity->fTreeNode->AbsoluteIndex();
        if (from > to) std::swap(from, to);
        for (TTreeNode* n = NodeAtAbsoluteIndex(from); n && n->AbsoluteIndex() <= to; n = n->GetNext())
            if (TqoDataEntity_Tree* e = EntityOf(n)) e->SetSelected(true);
        return;
    }
    fAnchor = entity->fTreeNode;
    if (fMultiSelect && (shift & ssCtrl)) {
        entity->SetSelected(!entity->GetSelected());
        return;
    }
    fListOfDataListListInstances->ClearSelections();
    entity->SetSelected(true);
    SetCurrentDataEntity(entity);
}

void TqoTree_ComBasic::CheckSelectedIsCurrent(void*) {
    TqoDataEntity_Tree* current = CurrentDataEntity();
    if (current && !current->GetSelected()) UpdateMultiSelect(current, 0);
}

void TqoTree_ComBasic::KeyDown(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    const uint16_t pressed = key;
    TCustomTreeView::KeyDown(key, shift);
    if (!alive || pressed == VK_SHIFT || pressed == VK_CONTROL || pressed == ApplicationKey || IsEditing()) return;
    UpdateMultiSelect(CurrentDataEntity(), shift);
    TDoLater::DoLater(DoLaterMethod<&TqoTree_ComBasic::CheckSelectedIsCurrent>(this), nullptr);
}

void TqoTree_ComBasic::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoDataEntity_Tree* entity = GetDataEntityAt(x, y);
    if (button == mbLeft) {
        fDragging = false;
        fSelectionsWasDoneOnDownButton = entity && !entity->GetSelected();
        if (fSelectionsWasDoneOnDownButton) UpdateMultiSelect(entity, shift);
        else fSelectionsWasDoneWithKeys = shift;
    } else if (button == mbRight && RightClickSelect()) {
        TqoDataEntity_Tree* current = CurrentDataEntity();
        if (!current || !current->GetSelected()) UpdateMultiSelect(current, shift);
        if (entity) SetCurrentDataEntity(entity);
    }
    if (!alive) return;
    // Shift and Ctrl only change the selection in the entities, never the current node.
    if (button == mbLeft && fMultiSelect && (shift & (ssShift | ssCtrl)) && entity) {
        if (CanFocus() && !Focused()) SetFocus();
        return;
    }
    TCustomTreeView::MouseDown(button, shift, x, y);
    if (alive && button == mbRight) OnRightClick.Fire(this, GetDataEntityAt(x, y));
}

void TqoTree_ComBasic::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomTreeView::MouseUp(button, shift, x, y);
    if (!alive || button != mbLeft || fDragging || fSelectionsWasDoneOnDownButton) return;
    // A press on a selected entity kept the selection for a drag; the release reduces it.
    TqoDataEntity_Tree* entity = GetDataEntityAt(x, y);
    if (entity && entity->GetSelected()) UpdateMultiSelect(entity, fSelectionsWasDoneWithKeys);
}

void TqoTree_ComBasic::BeginNodeDrag(TTreeNode* node) {
    fDragging = true;
    TCustomTreeView::BeginNodeDrag(node);
}

// ---- Expansion ----

bool TqoTree_ComBasic::CanExpand(TTreeNode* node) {
    if (!TCustomTreeView::CanExpand(node)) return false;
    TqoDataEntity_Tree* entity = EntityOf(node);
    if (!entity) return true;
    const bool empty = !entity->SubList() || entity->SubList()->Count() == 0;
    // Children a host added while asked take the placeholder's place first.
    if (!empty && HasPlaceholder(entity)) EnsureDisplayUpToDate();
    fExpanding = true;
    if (empty) {
        entity->SetPlaceholder(nullptr);
        node->DeleteChildren();
        Invalidate();
    } else if (node->HasDeferredChild()) {
        node->DeleteChildren();
    } else if (TTreeNode_qoSub* placeholder = TakePlaceholder(entity)) {
        placeholder->Delete();
    }
    return true;
}

void TqoTree_ComBasic::Expand(TTreeNode* node) {
    fExpanding = false;
    TCustomTreeView::Expand(node);
    if (TqoDataEntity_Tree* entity = EntityOf(node)) entity->SetExpandedFlag(true);
}

void TqoTree_ComBasic::Collapse(TTreeNode* node) {
    if (TqoDataEntity_Tree* entity = EntityOf(node)) entity->SetExpandedFlag(node->Expanded());
    TCustomTreeView::Collapse(node);
}

// ---- Label editing ----

bool TqoTree_ComBasic::CanEdit(TTreeNode* node) {
    if (!TCustomTreeView::CanEdit(node)) return false;
    if (GetTickCount() - fFocusSwitchTime < EditDelayAfterSelecting) return false;
    TqoDataEntity_Tree* entity = EntityOf(node);
    if (!entity) return true;
    try {
        return entity->GetCanEdit();
    } catch (...) {
        return false; // a check that fails forbids editing
    }
}

void TqoTree_ComBasic::EditChanged(TTreeNode* node) {
    TCustomTreeView::EditChanged(node);
    TqoDataEntity_Tree* entity = EntityOf(node);
    if (!entity || Utf16Length(EditingText()) > TqoDataEntity_Tree::MaxTextLength) return;
    entity->StoreText(EditingText());
    entity->DoInfoPush();
}

void TqoTree_ComBasic::Edit(TTreeNode* node, std::string& text) {
    TCustomTreeView::Edit(node, text);
    TqoDataEntity_Tree* entity = EntityOf(node);
    // Too long a text is not taken: the label keeps what the entity has.
    if (Utf16Length(text) > TqoDataEntity_Tree::MaxTextLength) text = entity ? entity->fText.Str() : std::string(node->Text());
    if (!entity) return;
    entity->StoreText(text);
    entity->DoInfoPush();
}

// ---- Drawing ----

void TqoTree_ComBasic::Paint() {
    EnsureDisplayUpToDate();
    TCustomTreeView::Paint();
}

bool TqoTree_ComBasic::CustomDrawItem(TTreeNode* node, TCustomDrawState state) {
    TCanvas& canvas = Canvas();
    canvas.Font().Style = 0;
    canvas.Brush().Color = Color();
    canvas.Font().Color = clWindowText;
    if (TqoDataEntity_Tree* entity = EntityOf(node)) {
        if (entity->GetSelected()) {
            canvas.Brush().Color = (state & cdsFocused) ? clHighlight : clBtnFace;
            if (state & cdsFocused) canvas.Font().Color = clHighlightText;
        }
        canvas.Font().Name = entity->FontName().empty() ? Font().Name : entity->FontName();
        canvas.Font().Style = entity->FontStyle();
    }
    if (FDrawGridLines) {
        const TRect text = node->DisplayRect(true);
        const TRect row = node->DisplayRect(false);
        canvas.Pen().Color = clBtnFace;
        if (node->AbsoluteIndex() != 0) {
            canvas.MoveTo(text.Left, text.Top);
            canvas.LineTo(row.Right, text.Top);
        }
        canvas.MoveTo(text.Left, text.Bottom - 1);
        canvas.LineTo(row.Right, text.Bottom - 1);
    }
    return TCustomTreeView::CustomDrawItem(node, state);
}

// ---- Levels and looks ----

void TqoTree_ComBasic::SetAutoExpandLevels(int levels) {
    fAutoExpandLevels = levels;
    fAutoExpandAll = true;
    DisplayOutOfDate();
}

void TqoTree_ComBasic::ExpandLevels(int levels) {
    const int previous = fAutoExpandLevels;
    fAutoExpandLevels = levels;
    fAutoExpandAll = true;
    HandleAutoExpand();
    fAutoExpandLevels = previous;
}

void TqoTree_ComBasic::SetMaxLevels(int levels) {
    fMaxLevels = levels;
    DisplayOutOfDate();
}

void TqoTree_ComBasic::SetDrawGridLines(bool value) {
    FDrawGridLines = value;
    Invalidate();
}

void TqoTree_ComBasic::SetScrollBarVert(bool value) {
    fScrollBarVert = value;
    SetScrollBars(fScrollBarVert ? (fScrollBarHorz ? ssBoth : ssVertical) : (fScrollBarHorz ? ssHorizontal : ssNone));
}

void TqoTree_ComBasic::SetScrollBarHorz(bool value) {
    fScrollBarHorz = value;
    SetScrollBarVert(fScrollBarVert);
}

} // namespace qo
