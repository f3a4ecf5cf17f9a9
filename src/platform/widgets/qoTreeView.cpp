// The tree view's nodes as a structure: adding, moving, sorting and deleting
// with the counts kept up to date, expansion, selection and the update lock.
#include "platform/widgets/qoTreeView.h"

#include "platform/core/qoErrors.h"
#include "platform/widgets/qoEdit.h"
#include "platform/window/qoTimer.h"

#include <algorithm>
#include <cassert>

namespace qo {

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TqoScrollingControl(owner), fRoot(std::make_unique<TPlainTreeNode>()) {
    fRoot->fFlags = TTreeNode::kRoot | TTreeNode::kExpanded;
    fRoot->SetData(this);
    ControlStyle |= csOpaque;
    TabStop = true;
    SetColor(clWindow);
    fEditTimer = new TTimer(this);
    fEditTimer->SetEnabled(false);
    fEditTimer->SetOnTimer([this](TComponent*) { EditTimerFired(); });
    SetBounds(0, 0, 160, 120);
}

TCustomTreeView::~TCustomTreeView() {
    if (fEditor) fEditor->OnExit.Clear();
    // Nodes go without notifications: nobody may be told about a tree half gone.
    fSelected = nullptr;
    fRoot.reset();
}

// ---- Structure ----

TTreeNode* TCustomTreeView::NewNode(TTreeNode* parent, int index, std::string_view text, void* data) {
    TTreeNode* node = CreateNode();
    node->SetData(data);
    if (node->Text() != text) node->StoreText(text);
    Attach(node, parent ? parent : fRoot.get(), index);
    StructureChanged();
    Added(node);
    return node;
}

TTreeNode* TCustomTreeView::AddChild(TTreeNode* parent, std::string_view text, void* data) {
    return NewNode(parent, parent ? parent->Count() : fRoot->Count(), text, data);
}

TTreeNode* TCustomTreeView::AddChildFirst(TTreeNode* parent, std::string_view text, void* data) {
    return NewNode(parent, 0, text, data);
}

TTreeNode* TCustomTreeView::Insert(TTreeNode* sibling, std::string_view text, void* data) {
    if (!sibling) return AddChild(nullptr, text, data);
    return NewNode(sibling->Parent(), sibling->Index(), text, data);
}

void TCustomTreeView::AddDeferredChild(TTreeNode* parent) {
    assert(parent && !parent->HasChildren() && "a deferred child is its parent's only one");
    parent->fFlags |= TTreeNode::kDeferredChild;
    Propagate(parent, {parent->Expanded() ? 1 : 0, 1});
    StructureChanged();
}

// Counted already: made without a change of counts and without a word to the host.
void TCustomTreeView::MakeDeferredChild(TTreeNode* parent) {
    parent->fFlags &= uint8_t(~TTreeNode::kDeferredChild);
    TTreeNode* node = CreateNode();
    if (node->Text() != DeferredChildText()) node->StoreText(DeferredChildText());
    node->fParent = parent;
    node->fIndex = 0;
    TTreeNode::TChildren& children = parent->MakeBlock();
    children.Nodes.push_back(node);
    children.Sum = node->Counts();
    children.Index.Append(node->Counts());
    DeferredChildMade(node);
}

void TCustomTreeView::DropDeferredChild(TTreeNode* parent) {
    parent->fFlags &= uint8_t(~TTreeNode::kDeferredChild);
    Propagate(parent, {parent->Expanded() ? -1 : 0, -1});
    StructureChanged();
}

void TCustomTreeView::Propagate(TTreeNode* node, TTreeCounts delta) {
    while (node->fParent && !delta.IsZero()) {
        TTreeNode* parent = node->fParent;
        TTreeNode::TChildren& children = *parent->Block();
        children.Index.Add(node->fIndex, delta);
        children.Sum += delta;
        if (!parent->Expanded()) delta.Visible = 0;
        node = parent;
    }
}

void TCustomTreeView::Attach(TTreeNode* node, TTreeNode* parent, int index) {
    TTreeNode::TChildren& children = parent->Children();
    children.MakeRoom(size_t(std::max(0, ExpectedChildCount(parent == fRoot.get() ? nullptr : parent))));
    index = std::clamp(index, 0, int(children.Nodes.size()));
    children.Nodes.insert(children.Nodes.begin() + index, node);
    node->fParent = parent;
    const TTreeCounts counts = node->Counts();
    children.Sum += counts;
    if (index + 1 == int(children.Nodes.size())) {
        node->fIndex = index;
        children.Index.Append(counts);
    } else {
        parent->Reindex(index);
    }
    Propagate(parent, {parent->Expanded() ? counts.Visible : 0, counts.Total});
}

void TCustomTreeView::Detach(TTreeNode* node) {
    TTreeNode* parent = node->fParent;
    const int index = node->fIndex;
    const TTreeCounts counts = node->Counts();
    TTreeNode::TChildren& children = *parent->Block();
    children.Nodes.erase(children.Nodes.begin() + index);
    children.Sum -= counts;
    if (children.Nodes.empty() && !(parent->fFlags & TTreeNode::kRoot))
        parent->DropBlock();
    else if (index == int(children.Nodes.size()))
        children.Index.PopBack(counts);
    else
        parent->Reindex(index);
    Propagate(parent, {parent->Expanded() ? -counts.Visible : 0, -counts.Total});
    // A detached node still finds its tree through the root.
    node->fParent = fRoot.get();
    node->fIndex = -1;
}

void TCustomTreeView::Clear() {
    BeginUpdate();
    while (TTreeNode* last = fRoot->GetLastChild()) {
        const TqoAlive::TWatch alive = fAlive.Watch();
        last->Delete();
        if (!alive) return;
    }
    fWidest = 0;
    EndUpdate();
}

TTreeNode* TCustomTreeView::NodeAtAbsoluteIndex(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    const TTreeNode* parent = fRoot.get();
    for (;;) {
        TTreeNode* node = parent->Children().Find(index, &TTreeCounts::Total);
        if (index == 0) return node;
        --index;
        parent = node;
    }
}

void TCustomTreeView::DeleteNode(TTreeNode* node) {
    if (node->Deleting() || (node->fFlags & TTreeNode::kRoot)) return;
    const TqoAlive::TWatch alive = fAlive.Watch();
    const auto inside = [node](const TTreeNode* n) { return n && (n == node || n->HasAsParent(node)); };
    if (inside(fEditNode)) CloseEditor();
    if (inside(fPressed)) fPressed = nullptr;
    if (inside(fLastTop)) fLastTop = nullptr;
    TTreeNode* replacement = nullptr;
    if (inside(fSelected)) {
        replacement = SelectionAfterDeleting(node);
        fSelected = nullptr;
    }
    Detach(node);
    std::unique_ptr<TTreeNode> owned(node);
    // Marked first, so that a handler deleting any of them again does nothing.
    MarkDeleting(node);
    NotifyDeletion(node, alive);
    if (!alive) return;
    owned.reset();
    StructureChanged();
    if (replacement && !replacement->Deleting()) SetSelected(replacement);
}

TTreeNode* TCustomTreeView::SelectionAfterDeleting(TTreeNode* deleted) {
    if (TTreeNode* next = deleted->GetNextSibling()) return next;
    if (TTreeNode* prev = deleted->GetPrevSibling()) return prev;
    return deleted->Parent();
}

void TCustomTreeView::MarkDeleting(TTreeNode* node) {
    node->fFlags |= TTreeNode::kDeleting;
    for (int i = 0; i < node->MadeCount(); ++i) MarkDeleting(node->Block()->Nodes[size_t(i)]);
}

// A deferred child that was never made is not reported.
void TCustomTreeView::NotifyDeletion(TTreeNode* node, const TqoAlive::TWatch& alive) {
    for (int i = 0; i < node->MadeCount() && alive; ++i) NotifyDeletion(node->Block()->Nodes[size_t(i)], alive);
    if (alive) Delete(node);
}

void TCustomTreeView::MoveNode(TTreeNode* node, TTreeNode* destination, TNodeAttachMode mode) {
    if (destination && (destination == node || destination->HasAsParent(node)))
        throw EqoError("A tree node cannot be moved into itself or below itself");
    const bool child = mode == naAddChild || mode == naAddChildFirst;
    TTreeNode* parent = child ? destination : destination ? destination->Parent() : nullptr;
    if (!parent) parent = fRoot.get();
    Detach(node);
    int index = parent->Count();
    if (mode == naAddFirst || mode == naAddChildFirst) index = 0;
    if (mode == naInsert && destination) index = destination->Index();
    Attach(node, parent, index);
    StructureChanged();
}

void TCustomTreeView::SortChildren(TTreeNode* parent, const TTVCompare& compare, bool recurse) {
    // A lone deferred child has neither siblings nor children to sort.
    if (!parent->MadeCount() || !compare) return;
    auto& nodes = parent->Block()->Nodes;
    std::vector<TTreeNode*> sorted = nodes;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&compare](TTreeNode* a, TTreeNode* b) { return compare(a, b) < 0; });
    nodes = std::move(sorted);
    parent->Reindex(0);
    if (recurse)
        for (TTreeNode* child : nodes) SortChildren(child, compare, true);
    StructureChanged();
}

void TCustomTreeView::CustomSort(const TTVCompare& compare, bool recurse) {
    SortChildren(fRoot.get(), compare, recurse);
}

// ---- Expansion and selection ----

bool TCustomTreeView::SetExpandedState(TTreeNode* node, bool expanded) {
    if (node->Expanded() == expanded || node->Deleting()) return true;
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (!(expanded ? CanExpand(node) : CanCollapse(node)) || !alive || node->Deleting()) return false;
    if (node->Expanded() == expanded) return true;
    const int rows = node->ChildSum().Visible;
    node->fFlags ^= TTreeNode::kExpanded;
    Propagate(node, {expanded ? rows : -rows, 0});
    StructureChanged();
    if (!expanded && fSelected && fSelected->HasAsParent(node)) SetSelected(node);
    if (!alive || node->Deleting()) return true;
    expanded ? Expand(node) : Collapse(node);
    return true;
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
    if (node == fSelected || (node && node->Deleting())) return;
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (!CanChange(node) || !alive || (node && node->Deleting())) return;
    if (fEditNode && fEditNode != node) EndEdit(false);
    if (!alive || (node && node->Deleting())) return;
    fSelected = node;
    if (node) {
        std::vector<TTreeNode*> ancestors;
        for (TTreeNode* p = node->Parent(); p; p = p->Parent()) ancestors.push_back(p);
        // Shown from the top down; a handler may delete any of them meanwhile.
        for (auto p = ancestors.rbegin(); p != ancestors.rend() && alive && !node->Deleting(); ++p)
            (*p)->SetExpanded(true);
        if (!alive || node->Deleting()) return;
        if (const int row = RowOf(node); row >= 0) ScrollIntoView(sbVertical, row);
    }
    Invalidate();
    Change(node);
    if (alive) CheckTopItem();
}

void TCustomTreeView::SetTopItem(TTreeNode* node) {
    if (const int row = node ? RowOf(node) : -1; row >= 0) ScrollTo(sbVertical, row);
}

int TCustomTreeView::RowOf(const TTreeNode* node) const {
    if (!node || !node->IsVisible() || node->Deleting()) return -1;
    int row = -1;
    for (const TTreeNode* n = node; n->fParent; n = n->fParent)
        row += 1 + n->fParent->Block()->Prefix(n->fIndex).Visible;
    return row;
}

TTreeNode* TCustomTreeView::NodeAtRow(int row) const {
    if (row < 0 || row >= VisibleRowCount()) return nullptr;
    const TTreeNode* parent = fRoot.get();
    for (;;) {
        TTreeNode* node = parent->Children().Find(row, &TTreeCounts::Visible);
        if (row == 0) return node;
        --row;
        parent = node;
    }
}

// ---- Update lock and repainting ----

void TCustomTreeView::BeginUpdate() {
    ++fUpdateCount;
}

void TCustomTreeView::EndUpdate() {
    if (fUpdateCount == 0 || --fUpdateCount > 0 || !fStructurePending) return;
    fStructurePending = false;
    StructureChanged();
}

void TCustomTreeView::StructureChanged() {
    if (fUpdateCount > 0) {
        fStructurePending = true;
        return;
    }
    // The rows in view set the horizontal extent afresh.
    fWidest = 0;
    UpdateScrollBars();
    Invalidate();
    CheckTopItem();
    PlaceEditor();
}

void TCustomTreeView::NodeChanged(const TTreeNode* node) {
    if (fUpdateCount > 0) return;
    Invalidate();
    // A label in view that grew widens the extent; only this row is measured.
    const int row = RowOf(node), top = ScrollPos(sbVertical);
    if (row < top || row > top + VisibleCount()) return;
    const int right = LayoutOf(node, row).TextRight + ScrollPos(sbHorizontal);
    if (right <= fWidest) return;
    fWidest = right;
    UpdateScrollBars();
}

void TCustomTreeView::CheckTopItem() {
    TTreeNode* top = TopItem();
    if (top == fLastTop) return;
    fLastTop = top;
    TopItemChanged();
}

// ---- Notifications ----

bool TCustomTreeView::Allowed(const TTVAllowEvent& event, TTreeNode* node) {
    bool allow = true;
    event.Fire(this, node, allow);
    return allow;
}

bool TCustomTreeView::CanChange(TTreeNode* node) { return Allowed(OnChanging, node); }
void TCustomTreeView::Change(TTreeNode* node) { OnChange.Fire(this, node); }
bool TCustomTreeView::CanExpand(TTreeNode* node) { return Allowed(OnExpanding, node); }
void TCustomTreeView::Expand(TTreeNode* node) { OnExpanded.Fire(this, node); }
bool TCustomTreeView::CanCollapse(TTreeNode* node) { return Allowed(OnCollapsing, node); }
void TCustomTreeView::Collapse(TTreeNode* node) { OnCollapsed.Fire(this, node); }
bool TCustomTreeView::CanEdit(TTreeNode* node) { return Allowed(OnEditing, node); }
void TCustomTreeView::Edit(TTreeNode* node, std::string& text) { OnEdited.Fire(this, node, text); }
void TCustomTreeView::EditChanged(TTreeNode* node) { OnEditChange.Fire(this, node); }
void TCustomTreeView::Delete(TTreeNode* node) { OnDeletion.Fire(this, node); }
void TCustomTreeView::Added(TTreeNode* node) { OnAddition.Fire(this, node); }
void TCustomTreeView::BeginNodeDrag(TTreeNode* node) { OnBeginDrag.Fire(this, node); }
void TCustomTreeView::RightClicked(TTreeNode* node) { OnRightClick.Fire(this, node); }

} // namespace qo
