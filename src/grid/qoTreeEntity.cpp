// Tree entities: their values, copied to their node when they have one, and
// their place in the hierarchy.
#include "grid/qoTree.h"

#include "platform/core/qoUnicode.h"

namespace qo {

TqoDataList_Tree* TqoDataEntity_Tree::SubDataList() {
    if (fSubDataList || ListIndex() < 0) return fSubDataList;
    if (TqoTree_ComBasic* tree = Tree()) tree->MakeSubList(this);
    return fSubDataList;
}

TTreeNode_qoSub* TqoDataEntity_Tree::ExpanderSubNode() const {
    if (fTreeNode && fTreeNode->HasDeferredChild()) fTreeNode->GetFirstChild();
    return Placeholder();
}

TqoDataEntity_Tree::TRare& TqoDataEntity_Tree::Rare() {
    if (!fRare) fRare = std::make_unique<TRare>();
    return *fRare;
}

void TqoDataEntity_Tree::SetPlaceholder(TTreeNode_qoSub* node) {
    if (node || fRare) Rare().ExpanderSubNode = node;
}

const std::string& TqoDataEntity_Tree::FontName() const {
    static const std::string kNone;
    return fRare ? fRare->FontName : kNone;
}

TqoTree_ComBasic* TqoDataEntity_Tree::Tree() const {
    // Tree lists are made by a tree, with its controller.
    auto* list = dynamic_cast<TqoDataList_Tree*>(OwningDataList());
    auto* controller = list ? static_cast<TqoListController_Tree*>(list->ListController()) : nullptr;
    return controller ? controller->OwningTree() : nullptr;
}

TqoDataEntity_Tree* TqoDataEntity_Tree::ParentNode() const {
    auto* list = static_cast<TqoDataList_Tree*>(OwningDataList());
    return list ? list->OwningDataEntity() : nullptr;
}

int TqoDataEntity_Tree::Level() const {
    const TqoDataEntity_Tree* parent = ParentNode();
    return parent ? parent->Level() + 1 : 0;
}

void TqoDataEntity_Tree::AfterCreate(TqoDataList* list) {
    TqoDataEntity::AfterCreate(list);
}

void TqoDataEntity_Tree::SetText(std::string_view text) {
    if (Utf16Length(text) > MaxTextLength) throw EqoError("Treenodes only allow strings smaller than 255 chars");
    if (fTreeNode) fTreeNode->SetText(text);
    fText = text;
}

void TqoDataEntity_Tree::SetImageIndex(int index) {
    if (index != ImageIndex()) Rare().ImageIndex = index;
    if (fTreeNode) fTreeNode->SetImageIndex(index);
}

void TqoDataEntity_Tree::SetSelectedIndex(int index) {
    if (index != SelectedIndex()) Rare().SelectedIndex = index;
    if (fTreeNode) fTreeNode->SetSelectedIndex(index);
}

void TqoDataEntity_Tree::SetFontName(const std::string& name) {
    if (name != FontName()) Rare().FontName = name;
    if (TqoTree_ComBasic* tree = Tree()) tree->Invalidate();
}

void TqoDataEntity_Tree::SetFontStyle(TFontStyles style) {
    if (style != FontStyle()) Rare().FontStyle = style;
    if (TqoTree_ComBasic* tree = Tree()) tree->Invalidate();
}

void TqoDataEntity_Tree::Set_HideNode(bool value) {
    fHideNode = value;
    if (TqoTree_ComBasic* tree = Tree()) tree->MarkDirty(this);
}

void TqoDataEntity_Tree::SetVisible(bool value) {
    TqoDataEntity::SetVisible(value);
    if (TqoTree_ComBasic* tree = Tree()) tree->MarkDirty(this);
}

void TqoDataEntity_Tree::SetExpanded(bool value) {
    fExpanded = value;
    if (fTreeNode) {
        fTreeNode->SetExpanded(value);
        fExpanded = value;
        return;
    }
    TqoTree_ComBasic* tree = Tree();
    if (!tree) return;
    tree->MarkDirty(this);
    if (value && !tree->fUpdating && !tree->fExpanding) {
        tree->EnsureDisplayUpToDate();
        tree->DisplayOutOfDate();
    }
}

bool TqoDataEntity_Tree::GetVisible() const {
    if (!fTreeNode) return false;
    const TqoDataEntity_Tree* parent = ParentNode();
    return fTreeNode->IsVisible() && (!parent || parent->GetVisible());
}

TqoDataEntity_Tree* TqoDataEntity_Tree::GetNextVisible() const {
    TTreeNode* next = fTreeNode ? fTreeNode->GetNextVisible() : nullptr;
    return next ? static_cast<TTreeNode_qoSub*>(next)->Entity() : nullptr;
}

TqoDataEntity_Tree* TqoDataEntity_Tree::GetPrevVisible() const {
    TTreeNode* prev = fTreeNode ? fTreeNode->GetPrevVisible() : nullptr;
    return prev ? static_cast<TTreeNode_qoSub*>(prev)->Entity() : nullptr;
}

void TqoDataEntity_Tree::EditText() {
    if (fTreeNode) fTreeNode->EditText();
}

void TqoDataEntity_Tree::CleanForFree() {
    TqoDataEntity::CleanForFree();
    if (fTreeNode && !fTreeNode->qoDeleting()) fTreeNode->SetData(nullptr);
    fTreeNode = nullptr;
    fSubDataList = nullptr;
    SetPlaceholder(nullptr);
}

TTreeNode_qoSub::~TTreeNode_qoSub() {
    fqoDeleting = true;
    auto* tree = static_cast<TqoTree_ComBasic*>(TreeView());
    if (TqoDataEntity_Tree* entity = Entity()) {
        if (entity->fTreeNode == this) entity->fTreeNode = nullptr;
        entity->SetPlaceholder(nullptr);
    }
    if (!tree || tree->fDestroying) return;
    SetData(nullptr);
    if (tree->fUpdating_Selected == this) tree->fUpdating_Selected = nullptr;
    if (tree->fUpdating_TopItem == this) tree->fUpdating_TopItem = nullptr;
    if (tree->fAnchor == this) tree->fAnchor = nullptr;
    tree->fListOfTreeNodesToDelete.erase(this);
}

} // namespace qo
