// Tree nodes: their place among siblings, walking the tree, their counts.
#include "platform/core/qoErrors.h"
#include "platform/widgets/qoTreeView.h"

#include <algorithm>

namespace qo {

TTreeNode::~TTreeNode() {
    TChildren* block = Block();
    if (!block) return;
    for (TTreeNode* child : block->Nodes) delete child;
    delete block;
}

TTreeNode::TChildren& TTreeNode::MakeBlock() {
    if (TChildren* block = Block()) return *block;
    auto* block = new TChildren;
    block->Data = fDataOrBlock;
    fDataOrBlock = block;
    fFlags |= kHasBlock;
    return *block;
}

void TTreeNode::DropBlock() {
    TChildren* block = Block();
    if (!block) return;
    fDataOrBlock = block->Data;
    fFlags &= uint8_t(~kHasBlock);
    delete block;
}

TTreeCounts TTreeNode::ChildSum() const {
    if (const TChildren* block = Block()) return block->Sum;
    return HasDeferredChild() ? TTreeCounts{1, 1} : TTreeCounts{};
}

TTreeCounts TTreeNode::Counts() const {
    const TTreeCounts sum = ChildSum();
    return {1 + (Expanded() ? sum.Visible : 0), 1 + sum.Total};
}

TTreeNode::TChildren& TTreeNode::Children() const {
    auto* self = const_cast<TTreeNode*>(this);
    if (HasDeferredChild())
        TreeView()->MakeDeferredChild(self);
    return self->MakeBlock();
}

void TTreeNode::TChildren::MakeRoom(size_t expected) {
    const size_t size = Nodes.size();
    if (size < Nodes.capacity()) return;
    const size_t room = std::max(expected, size + size / 2 + 1);
    Nodes.reserve(room);
    Index.Reserve(int32_t(room));
}

TTreeCounts TTreeNode::TChildren::Prefix(int n) const {
    return Index.Prefix(n, [this](int32_t i) { return Nodes[size_t(i)]->Counts(); });
}

TTreeNode* TTreeNode::TChildren::Find(int& value, int32_t TTreeCounts::*field) const {
    return Nodes[size_t(Index.Find(value, field, [this](int32_t i) { return Nodes[size_t(i)]->Counts(); }))];
}

void TTreeNode::Reindex(int from) {
    TChildren& block = *Block();
    auto& nodes = block.Nodes;
    for (size_t i = size_t(from); i < nodes.size(); ++i) nodes[i]->fIndex = int32_t(i);
    block.Index.Rebuild(int32_t(nodes.size()), [&](int32_t i) { return nodes[size_t(i)]->Counts(); });
}

TCustomTreeView* TTreeNode::TreeView() const {
    const TTreeNode* node = this;
    while (node->fParent) node = node->fParent;
    return node->fFlags & kRoot ? static_cast<TCustomTreeView*>(node->Data()) : nullptr;
}

TTreeNode* TTreeNode::Parent() const {
    return fParent && !(fParent->fFlags & kRoot) ? fParent : nullptr;
}

int TTreeNode::Level() const {
    int level = 0;
    for (const TTreeNode* p = Parent(); p; p = p->Parent()) ++level;
    return level;
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return Children().Nodes[size_t(index)];
}

TTreeNode* TTreeNode::GetNextSibling() const {
    if (!fParent || fIndex < 0 || fIndex + 1 >= fParent->Count()) return nullptr;
    return fParent->Block()->Nodes[size_t(fIndex + 1)];
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    if (!fParent || fIndex <= 0) return nullptr;
    return fParent->Block()->Nodes[size_t(fIndex - 1)];
}

TTreeNode* TTreeNode::GetNext() const {
    if (HasChildren()) return GetFirstChild();
    for (const TTreeNode* node = this; node && !(node->fFlags & kRoot); node = node->fParent)
        if (TTreeNode* next = node->GetNextSibling()) return next;
    return nullptr;
}

TTreeNode* TTreeNode::GetNextVisible() const {
    if (Expanded() && HasChildren()) return GetFirstChild();
    for (const TTreeNode* node = this; node && !(node->fFlags & kRoot); node = node->fParent)
        if (TTreeNode* next = node->GetNextSibling()) return next;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const {
    TTreeNode* node = GetPrevSibling();
    if (!node) return Parent();
    while (node->Expanded() && node->HasChildren()) node = node->GetLastChild();
    return node;
}

bool TTreeNode::HasAsParent(const TTreeNode* ancestor) const {
    for (const TTreeNode* p = Parent(); p; p = p->Parent())
        if (p == ancestor) return true;
    return false;
}

bool TTreeNode::IsVisible() const {
    for (const TTreeNode* p = Parent(); p; p = p->Parent())
        if (!p->Expanded()) return false;
    return fIndex >= 0;
}

int TTreeNode::AbsoluteIndex() const {
    int index = -1;
    for (const TTreeNode* node = this; node->fParent && node->fIndex >= 0; node = node->fParent)
        index += 1 + node->fParent->Block()->Prefix(node->fIndex).Total;
    return index;
}

bool TTreeNode::Selected() const {
    const TCustomTreeView* tree = TreeView();
    return tree && tree->Selected() == this;
}

void TTreeNode::SetText(std::string_view text) {
    if (Text() == text) return;
    StoreText(text);
    Changed();
}

void TTreeNode::SetImageIndex(int index) {
    if (ImageIndex() == index) return;
    StoreImageIndex(index);
    Changed();
}

void TTreeNode::SetSelectedIndex(int index) {
    if (SelectedIndex() == index) return;
    StoreSelectedIndex(index);
    Changed();
}

void TTreeNode::Changed() const {
    if (TCustomTreeView* tree = TreeView()) tree->NodeChanged(this);
}

void TTreeNode::SetExpanded(bool expanded) {
    if (TCustomTreeView* tree = TreeView()) tree->SetExpandedState(this, expanded);
}

void TTreeNode::Expand(bool recurse) {
    SetExpanded(true);
    if (!recurse) return;
    // Children may go while a handler runs: take them one at a time by index.
    for (int i = 0; i < Count(); ++i) Item(i)->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    if (recurse)
        for (int i = 0; i < Count(); ++i) Item(i)->Collapse(true);
    SetExpanded(false);
}

TRect TTreeNode::DisplayRect(bool textOnly) const {
    const TCustomTreeView* tree = TreeView();
    const int row = tree ? tree->RowOf(this) : -1;
    if (row < 0) return {};
    const TCustomTreeView::TRowLayout layout = tree->LayoutOf(this, row);
    const int bottom = layout.Top + tree->ItemHeight();
    if (textOnly) return {layout.TextLeft, layout.Top, layout.TextRight, bottom};
    return {0, layout.Top, tree->VisibleRect().Right, bottom};
}

void TTreeNode::Delete() {
    if (TCustomTreeView* tree = TreeView()) tree->DeleteNode(this);
}

void TTreeNode::DeleteChildren() {
    while (MadeCount() > 0) GetLastChild()->Delete();
    if (TCustomTreeView* tree = HasDeferredChild() ? TreeView() : nullptr) tree->DropDeferredChild(this);
}

void TTreeNode::MoveTo(TTreeNode* destination, TNodeAttachMode mode) {
    if (TCustomTreeView* tree = TreeView()) tree->MoveNode(this, destination, mode);
}

void TTreeNode::CustomSort(const TTVCompare& compare, bool recurse) {
    if (TCustomTreeView* tree = TreeView()) tree->SortChildren(this, compare, recurse);
}

void TTreeNode::EditText() {
    if (TCustomTreeView* tree = TreeView()) tree->StartEdit(this);
}

} // namespace qo
