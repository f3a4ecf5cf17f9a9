// Tree entities: their values, which their node shows, and their place in
// the hierarchy; the component's node, which reads its look from its entity.
#include "grid/qoTree.h"

#include "platform/core/qoUnicode.h"

namespace qo {

TqoDataList_Tree* TqoDataEntity_Tree::SubDataList() {
    if (SubList() || ListIndex() < 0) return SubList();
    if (TqoTree_ComBasic* tree = Tree()) tree->MakeSubList(this);
    return SubList();
}

TTreeNode_qoSub* TqoDataEntity_Tree::ExpanderSubNode() const {
    if (fTreeNode && fTreeNode->HasDeferredChild()) fTreeNode->GetFirstChild();
    return Placeholder();
}

void TqoDataEntity_Tree::SetPlaceholder(TTreeNode_qoSub* node) {
    if (node || fRare.Get()) Rare().ExpanderSubNode = node;
}

void TqoDataEntity_Tree::SetSubList(TqoDataList_Tree* list) {
    if (list || fRare.Get()) Rare().SubDataList = list;
}

const std::string& TqoDataEntity_Tree::FontName() const {
    static const std::string kNone;
    return fRare.Get() ? fRare.Get()->FontName : kNone;
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

void TqoDataEntity_Tree::CheckText(std::string_view text) {
    if (Utf16Length(text) > MaxTextLength) throw EqoError("Treenodes only allow strings smaller than 255 chars");
}

void TqoDataEntity_Tree::SetText(std::string_view text) {
    CheckText(text);
    if (text != Text()) StoreText(text);
}

void TqoDataEntity_Tree::StoreText(std::string_view text) {
    fText = text;
    if (fTreeNode) fTreeNode->Changed();
}

void TqoDataEntity_Tree::SetImageIndex(int index) {
    if (index != ImageIndex()) StoreImageIndex(index);
}

void TqoDataEntity_Tree::StoreImageIndex(int index) {
    Rare().ImageIndex = index;
    if (fTreeNode) fTreeNode->Changed();
}

void TqoDataEntity_Tree::SetSelectedIndex(int index) {
    if (index != SelectedIndex()) StoreSelectedIndex(index);
}

void TqoDataEntity_Tree::StoreSelectedIndex(int index) {
    Rare().SelectedIndex = index;
    if (fTreeNode) fTreeNode->Changed();
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
    fRare.SetFlag(kHideNode, value);
    if (TqoTree_ComBasic* tree = Tree()) tree->MarkDirty(this);
}

void TqoDataEntity_Tree::SetVisible(bool value) {
    TqoDataEntity::SetVisible(value);
    if (TqoTree_ComBasic* tree = Tree()) tree->MarkDirty(this);
}

void TqoDataEntity_Tree::SetExpanded(bool value) {
    SetExpandedFlag(value);
    if (fTreeNode) {
        fTreeNode->SetExpanded(value);
        SetExpandedFlag(value);
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
    SetSubList(nullptr);
    SetPlaceholder(nullptr);
}

std::string_view TTreeNode_qoSub::Text() const {
    const TqoDataEntity_Tree* entity = Entity();
    return entity ? entity->Text() : TqoTree_ComBasic::PlaceholderText;
}

int TTreeNode_qoSub::ImageIndex() const {
    const TqoDataEntity_Tree* entity = Entity();
    return entity ? entity->ImageIndex() : -1;
}

int TTreeNode_qoSub::SelectedIndex() const {
    const TqoDataEntity_Tree* entity = Entity();
    return entity ? entity->SelectedIndex() : -1;
}

void TTreeNode_qoSub::StoreText(std::string_view text) {
    if (TqoDataEntity_Tree* entity = Entity()) {
        TqoDataEntity_Tree::CheckText(text);
        entity->fText = text;
    }
}

void TTreeNode_qoSub::StoreImageIndex(int index) {
    if (TqoDataEntity_Tree* entity = Entity()) entity->Rare().ImageIndex = index;
}

void TTreeNode_qoSub::StoreSelectedIndex(int index) {
    if (TqoDataEntity_Tree* entity = Entity()) entity->Rare().SelectedIndex = index;
}

TTreeNode_qoSub::~TTreeNode_qoSub() {
    SetKindFlag();
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
