#pragma once
// The tree view: nodes with a text, two image indexes, an expanded state and a
// data pointer (the text and indexes kept where the node's kind says), drawn in rows of one height with lines and expand buttons, one
// selected node, label editing in place, custom drawing before each node and
// the notifications of the classic control in their order. Each node keeps
// the counts of its children's subtrees in an index, so that a node's row, the
// node at a row and a change of expansion cost O(depth x log siblings): a
// tree of a million nodes scrolls and paints like one of a hundred. A node
// may hold one deferred child: counted and drawn as a child, but made only
// when something asks for it, so that a tree of leaves with expand buttons
// costs no node per button.
#include "platform/core/qoCompactString.h"
#include "platform/core/qoSmallObjectPool.h"
#include "platform/graphics/qoBitmap.h"
#include "platform/graphics/qoImageList.h"
#include "platform/widgets/qoScrollingControl.h"
#include "platform/widgets/qoTreeCountIndex.h"
#include "platform/window/qoAlive.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qo {

class TCustomTreeView;
class TEdit;
class TTimer;
class TTreeNode;

enum TNodeAttachMode { naAdd, naAddFirst, naAddChild, naAddChildFirst, naInsert };

// Where a point lies relative to the node in its row.
using THitTests = uint32_t;
constexpr THitTests htNowhere = 0x1;
constexpr THitTests htOnButton = 0x2;
constexpr THitTests htOnIndent = 0x4;
constexpr THitTests htOnIcon = 0x8;
constexpr THitTests htOnLabel = 0x10;
constexpr THitTests htOnRight = 0x20;
constexpr THitTests htOnItem = htOnIcon | htOnLabel;

// The state a node is drawn in.
using TCustomDrawState = uint32_t;
constexpr TCustomDrawState cdsSelected = 0x1;
constexpr TCustomDrawState cdsFocused = 0x2;
enum TCustomDrawStage { cdPrePaint, cdPostPaint };

using TTVNodeEvent = TqoEvent<void(TCustomTreeView* sender, TTreeNode* node)>;
using TTVAllowEvent = TqoEvent<void(TCustomTreeView* sender, TTreeNode* node, bool& allow)>;
using TTVEditedEvent = TqoEvent<void(TCustomTreeView* sender, TTreeNode* node, std::string& text)>;
using TTVCustomDrawItemEvent =
    TqoEvent<void(TCustomTreeView* sender, TTreeNode* node, TCustomDrawState state, bool& defaultDraw)>;
using TTVAdvancedCustomDrawItemEvent =
    TqoEvent<void(TCustomTreeView* sender, TTreeNode* node, TCustomDrawState state, TCustomDrawStage stage)>;
using TTVCompare = TqoEvent<int(TTreeNode* a, TTreeNode* b)>;

// A node of the tree: its place, its children and their counts. Where its
// label and image indexes live is left to its kind: a plain tree's node keeps
// them itself, a tree whose nodes are a view of other data reads them there.
class TTreeNode : public TqoPooled {
public:
    virtual ~TTreeNode();
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    TCustomTreeView* TreeView() const;
    // Nil for a node at the root.
    TTreeNode* Parent() const;
    int Level() const;
    int Index() const { return fIndex; }
    int Count() const { return Block() ? int(Block()->Nodes.size()) : HasDeferredChild() ? 1 : 0; }
    bool HasChildren() const { return Count() > 0; }
    // Makes a deferred child first.
    TTreeNode* Item(int index) const;
    TTreeNode* GetFirstChild() const { return Count() ? Item(0) : nullptr; }
    TTreeNode* GetLastChild() const { return Count() ? Item(Count() - 1) : nullptr; }
    // The one child this node has is not made yet.
    bool HasDeferredChild() const { return fFlags & kDeferredChild; }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // In the fully expanded order.
    TTreeNode* GetNext() const;
    // In the order of the rows that show; nil past either end.
    TTreeNode* GetNextVisible() const;
    TTreeNode* GetPrevVisible() const;
    bool HasAsParent(const TTreeNode* ancestor) const;

    virtual std::string_view Text() const = 0;
    void SetText(std::string_view text);
    virtual int ImageIndex() const = 0;
    void SetImageIndex(int index);
    virtual int SelectedIndex() const = 0;
    void SetSelectedIndex(int index);
    void* Data() const { return Block() ? Block()->Data : fDataOrBlock; }
    void SetData(void* data) { (Block() ? Block()->Data : fDataOrBlock) = data; }
    bool Expanded() const { return fFlags & kExpanded; }
    // Through the expanding and collapsing notifications, which may refuse.
    void SetExpanded(bool expanded);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Deleting() const { return fFlags & kDeleting; }

    // All ancestors expanded.
    bool IsVisible() const;
    // Position in the fully expanded order, counted from 0.
    int AbsoluteIndex() const;
    bool Selected() const;
    // The label's rectangle, or the whole row; empty while the node does not show.
    TRect DisplayRect(bool textOnly) const;

    void Delete();
    // A deferred child goes without being made.
    void DeleteChildren();
    void MoveTo(TTreeNode* destination, TNodeAttachMode mode);
    // Sorts the children (and theirs when recurse) by compare, keeping equal ones in order.
    void CustomSort(const TTVCompare& compare, bool recurse);
    void EditText();

protected:
    TTreeNode() = default;
    // Keep a new value without a word: the setters report the change.
    virtual void StoreText(std::string_view text) = 0;
    virtual void StoreImageIndex(int index) = 0;
    virtual void StoreSelectedIndex(int index) = 0;
    // Repaints the node after its label or images changed, and widens the
    // tree for a longer label.
    void Changed() const;
    // A bit of the node's flags left to its kind: a node has no room for more.
    bool KindFlag() const { return fFlags & kKindFlag; }
    void SetKindFlag() { fFlags |= kKindFlag; }

private:
    friend class TCustomTreeView;
    static constexpr uint8_t kExpanded = 0x1;
    static constexpr uint8_t kDeleting = 0x2;
    static constexpr uint8_t kRoot = 0x4;
    static constexpr uint8_t kDeferredChild = 0x8;
    static constexpr uint8_t kKindFlag = 0x10;
    static constexpr uint8_t kHasBlock = 0x20;

    struct TChildren {
        std::vector<TTreeNode*> Nodes;
        TTreeCountIndex Index;
        TTreeCounts Sum;
        // The node's data, which moves here with the first child.
        void* Data = nullptr;
        // Before one more child: room for the count the tree expects, else a
        // half more, so that a tree of many rows keeps little spare room.
        void MakeRoom(size_t expected);
        // The counts of the first n children.
        TTreeCounts Prefix(int n) const;
        // The child whose share of field holds value, with value made relative to it.
        TTreeNode* Find(int& value, int32_t TTreeCounts::*field) const;
    };
    TTreeCounts Counts() const;
    // The counts of the children's subtrees, a deferred child's included.
    TTreeCounts ChildSum() const;
    // The children that are made, a deferred child made first; the view does
    // not change, so a walk of a const tree may make it.
    TChildren& Children() const;
    // Only the children made so far: what a deletion visits.
    int MadeCount() const { return Block() ? int(Block()->Nodes.size()) : 0; }
    // The children's block; nil while the node has none made.
    TChildren* Block() const { return fFlags & kHasBlock ? static_cast<TChildren*>(fDataOrBlock) : nullptr; }
    // Makes the block, which takes the node's data over.
    TChildren& MakeBlock();
    // Gives the block up: the data comes back to the node.
    void DropBlock();
    void Reindex(int from);

    TTreeNode* fParent = nullptr;
    // The data, or the children's block that holds it: most nodes of a large
    // tree are leaves, so one word serves both.
    void* fDataOrBlock = nullptr;
    int32_t fIndex = -1;
    uint8_t fFlags = 0;
};

// The node of a plain tree view: it keeps its label and image indexes itself.
class TPlainTreeNode : public TTreeNode {
public:
    std::string_view Text() const override { return fText.View(); }
    int ImageIndex() const override { return fImageIndex; }
    int SelectedIndex() const override { return fSelectedIndex; }

protected:
    void StoreText(std::string_view text) override { fText = text; }
    void StoreImageIndex(int index) override { fImageIndex = index; }
    void StoreSelectedIndex(int index) override { fSelectedIndex = index; }

private:
    TCompactString fText;
    int32_t fImageIndex = -1;
    int32_t fSelectedIndex = -1;
};

class TCustomTreeView : public TqoScrollingControl {
public:
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;

    // ---- Nodes ----
    // A new node as the last (or first) child of parent, at the root for nil.
    TTreeNode* AddChild(TTreeNode* parent, std::string_view text, void* data = nullptr);
    TTreeNode* AddChildFirst(TTreeNode* parent, std::string_view text, void* data = nullptr);
    // A new node just before sibling (at the end of the root for nil).
    TTreeNode* Insert(TTreeNode* sibling, std::string_view text, void* data = nullptr);
    void Clear();
    // Gives a childless node one child that is made (with DeferredChildText,
    // reported to DeferredChildMade) only when something asks for it; until
    // then it counts as a row and a node and the parent shows a button.
    void AddDeferredChild(TTreeNode* parent);
    // Every node of the tree.
    int Count() const { return fRoot->Counts().Total - 1; }
    TTreeNode* GetFirstNode() const { return fRoot->GetFirstChild(); }
    const TTreeNode* RootNode() const { return fRoot.get(); }
    // Nodes of the tree in the fully expanded order.
    TTreeNode* NodeAtAbsoluteIndex(int index) const;
    // Sorts the nodes at the root (and all below when recurse).
    void CustomSort(const TTVCompare& compare, bool recurse);
    // While locked, changes of nodes neither repaint nor measure; the last
    // EndUpdate does both once.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return fUpdateCount > 0; }

    // ---- Selection and rows ----
    TTreeNode* Selected() const { return fSelected; }
    // Through the selection-changing notification, which may refuse; scrolls the node into view.
    void SetSelected(TTreeNode* node);
    TTreeNode* TopItem() const { return NodeAtRow(ScrollPos(sbVertical)); }
    void SetTopItem(TTreeNode* node);
    // Rows that show when every collapsed subtree is left out.
    int VisibleRowCount() const { return fRoot->Counts().Visible - 1; }
    // Row of a visible node counted from the first; -1 for a node that does not show.
    int RowOf(const TTreeNode* node) const;
    TTreeNode* NodeAtRow(int row) const;
    // Whole rows that fit the window.
    int VisibleCount() const;
    TTreeNode* GetNodeAt(int x, int y) const;
    THitTests GetHitTestInfoAt(int x, int y) const;

    // ---- Looks ----
    int ItemHeight() const;
    // 0 takes the height from the font and the images.
    void SetItemHeight(int height);
    int Indent() const { return fIndent; }
    void SetIndent(int indent);
    bool ShowLines() const { return fShowLines; }
    void SetShowLines(bool value);
    bool ShowButtons() const { return fShowButtons; }
    void SetShowButtons(bool value);
    bool ShowRoot() const { return fShowRoot; }
    void SetShowRoot(bool value);
    bool HideSelection() const { return fHideSelection; }
    void SetHideSelection(bool value);
    // Not owned; nil draws no images.
    TImageList* Images() const { return fImages; }
    void SetImages(TImageList* images);
    bool ReadOnly() const { return fReadOnly; }
    void SetReadOnly(bool value) { fReadOnly = value; }
    bool RightClickSelect() const { return fRightClickSelect; }
    void SetRightClickSelect(bool value) { fRightClickSelect = value; }

    // ---- Label editing ----
    bool IsEditing() const { return fEditNode != nullptr; }
    TTreeNode* EditNode() const { return fEditNode; }
    // The text in the editor while a label is edited.
    std::string EditingText() const;
    // Starts editing the node's label, asking OnEditing first.
    bool StartEdit(TTreeNode* node);
    // Accepts (through OnEdited) or drops the text being edited.
    void EndEdit(bool cancel);

    // ---- Notifications, in the classic order ----
    TTVAllowEvent OnChanging;
    TTVNodeEvent OnChange;
    TTVAllowEvent OnExpanding;
    TTVNodeEvent OnExpanded;
    TTVAllowEvent OnCollapsing;
    TTVNodeEvent OnCollapsed;
    TTVAllowEvent OnEditing;
    TTVEditedEvent OnEdited;
    TTVNodeEvent OnCancelEdit;
    // Each key typed into the label while it is edited.
    TTVNodeEvent OnEditChange;
    TTVNodeEvent OnDeletion;
    TTVNodeEvent OnAddition;
    TTVNodeEvent OnBeginDrag;
    TTVNodeEvent OnRightClick;
    TTVNodeEvent OnGetDisplayInfo;
    TTVNodeEvent OnSetDisplayInfo;
    TTVCustomDrawItemEvent OnCustomDrawItem;
    TTVAdvancedCustomDrawItemEvent OnAdvancedCustomDrawItem;

protected:
    // The factory of every node; a derived tree makes its own kind.
    virtual TTreeNode* CreateNode() { return new TPlainTreeNode; }
    virtual std::string_view DeferredChildText() const { return {}; }
    // A deferred child was just made under its parent.
    virtual void DeferredChildMade(TTreeNode* node) { (void)node; }
    // How many children the parent (nil for the root) is about to have, where
    // a derived tree knows it from its data; 0 for not known.
    virtual int ExpectedChildCount(const TTreeNode* parent) const { (void)parent; return 0; }
    virtual bool CanChange(TTreeNode* node);
    virtual void Change(TTreeNode* node);
    virtual bool CanExpand(TTreeNode* node);
    virtual void Expand(TTreeNode* node);
    virtual bool CanCollapse(TTreeNode* node);
    virtual void Collapse(TTreeNode* node);
    virtual bool CanEdit(TTreeNode* node);
    virtual void Edit(TTreeNode* node, std::string& text);
    virtual void EditChanged(TTreeNode* node);
    virtual void Delete(TTreeNode* node);
    virtual void Added(TTreeNode* node);
    virtual void BeginNodeDrag(TTreeNode* node);
    virtual void RightClicked(TTreeNode* node);
    // Before a node is drawn: the canvas holds the default font and colours,
    // which the handler may change; false skips the default drawing.
    virtual bool CustomDrawItem(TTreeNode* node, TCustomDrawState state);
    virtual void AdvancedCustomDrawItem(TTreeNode* node, TCustomDrawState state, TCustomDrawStage stage);
    virtual void TopItemChanged() {}
    // The node selected when the selected one is deleted: its next sibling,
    // else its previous one, else its parent.
    virtual TTreeNode* SelectionAfterDeleting(TTreeNode* deleted);

    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void WndProc(TMessage& message) override;
    void FontChanged() override;

    TqoScrollExtent ScrollExtent(TScrollBarKind axis, const TRect& visible) const override;
    void ScrollPosChanged(TScrollBarKind axis) override;

private:
    friend class TTreeNode;
    // The row layout of a node: where its indent, button, image and label lie.
    struct TRowLayout {
        int Top, Left, ButtonCenter, ImageLeft, TextLeft, TextRight;
    };
    TTreeNode* NewNode(TTreeNode* parent, int index, std::string_view text, void* data);
    void MakeDeferredChild(TTreeNode* parent);
    void DropDeferredChild(TTreeNode* parent);
    void Attach(TTreeNode* node, TTreeNode* parent, int index);
    void Detach(TTreeNode* node);
    static void Propagate(TTreeNode* node, TTreeCounts delta);
    void DeleteNode(TTreeNode* node);
    static void MarkDeleting(TTreeNode* node);
    void NotifyDeletion(TTreeNode* node, const TqoAlive::TWatch& alive);
    void MoveNode(TTreeNode* node, TTreeNode* destination, TNodeAttachMode mode);
    void SortChildren(TTreeNode* parent, const TTVCompare& compare, bool recurse);
    bool SetExpandedState(TTreeNode* node, bool expanded);
    void SelectionLeaving(TTreeNode* subtree, bool deleted);
    void StructureChanged();
    void NodeChanged(const TTreeNode* node);
    void CheckTopItem();
    bool Allowed(const TTVAllowEvent& event, TTreeNode* node);

    TRowLayout LayoutOf(const TTreeNode* node, int row) const;
    int TextWidth(const TTreeNode* node) const;
    void DrawNode(TTreeNode* node, const TRowLayout& layout);
    void DrawLines(const TTreeNode* node, const TRowLayout& layout);

    void MoveSelection(TTreeNode* node);
    void TypeAhead(char16_t ch);
    void EditTimerFired();
    // The label editor, made at its first use.
    TEdit& Editor();
    // Over the edited node's label, as wide as its text.
    void PlaceEditor();
    // Hides the editor without a word; the focus it had goes back to the tree.
    void CloseEditor();

    TqoAlive fAlive;
    // Measures labels outside a paint.
    mutable TBitmap fMeasure{1, 1};
    std::unique_ptr<TTreeNode> fRoot;
    TTreeNode* fSelected = nullptr;
    TTreeNode* fLastTop = nullptr;
    TImageList* fImages = nullptr;
    int fItemHeight = 0;
    int fIndent = 19;
    bool fShowLines = true, fShowButtons = true, fShowRoot = true;
    bool fHideSelection = false, fReadOnly = false, fRightClickSelect = false;
    int fUpdateCount = 0;
    bool fStructurePending = false;
    // The widest row measured so far; the horizontal extent.
    mutable int fWidest = 0;
    // Mouse: the node pressed, whether it was selected before, where.
    TTreeNode* fPressed = nullptr;
    bool fPressedWasSelected = false;
    TPoint fPressPoint;
    bool fDragReported = false;
    // Type-ahead: what was typed and when.
    std::u16string fTyped;
    int64_t fTypedAt = 0;
    // Label editing.
    TTreeNode* fEditNode = nullptr;
    TEdit* fEditor = nullptr;
    TTimer* fEditTimer;
};

// The tree view with its properties published for designers.
class TTreeView : public TCustomTreeView {
public:
    using TCustomTreeView::TCustomTreeView;
};

} // namespace qo
