// The tree view: its row index against a plain walk over random changes,
// scale, notifications in order with vetoes, deletion from inside handlers,
// keys, type-ahead, the mouse, label editing, scrolling, the update lock and
// its looks.
#include "platform/widgets/qoTreeView.h"

#include "platform/core/qoErrors.h"
#include "platform/widgets/qoEdit.h"
#include "platform/widgets/qoScrollBar.h"
#include "platform/window/qoInputRouter.h"
#include "support/widgets/qoWidgetFixture.h"

#include <functional>
#include <random>

namespace qo {
namespace {

class TreeView : public test::TWidgetFixture<TTreeView> {
protected:
    TreeView() {
        Place(TRect::Bounds(5, 5, 160, 120));
        control->OnChanging = [this](TCustomTreeView*, TTreeNode* n, bool& allow) {
            Record("changing " + Name(n));
            allow = Name(n) != VetoSelect;
        };
        control->OnChange = [this](TCustomTreeView*, TTreeNode* n) { Record("change " + Name(n)); };
        control->OnExpanding = [this](TCustomTreeView*, TTreeNode* n, bool& allow) {
            Record("expanding " + Name(n));
            allow = Name(n) != VetoExpand;
        };
        control->OnExpanded = [this](TCustomTreeView*, TTreeNode* n) { Record("expanded " + Name(n)); };
        control->OnCollapsing = [this](TCustomTreeView*, TTreeNode* n, bool&) { Record("collapsing " + Name(n)); };
        control->OnCollapsed = [this](TCustomTreeView*, TTreeNode* n) { Record("collapsed " + Name(n)); };
        control->OnDeletion = [this](TCustomTreeView*, TTreeNode* n) { Record("deletion " + std::string(n->Text())); };
    }
    static std::string Name(const TTreeNode* n) { return n ? std::string(n->Text()) : "nil"; }
    // a (a1 (a11, a12), a2), b (b1), c
    void Build() {
        TTreeNode* a = control->AddChild(nullptr, "a");
        TTreeNode* a1 = control->AddChild(a, "a1");
        control->AddChild(a1, "a11");
        control->AddChild(a1, "a12");
        control->AddChild(a, "a2");
        control->AddChild(control->AddChild(nullptr, "b"), "b1");
        control->AddChild(nullptr, "c");
        Log.clear();
    }
    TTreeNode* Find(const std::string& text) {
        for (TTreeNode* n = control->GetFirstNode(); n; n = n->GetNext())
            if (n->Text() == text) return n;
        return nullptr;
    }
    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        for (TTreeNode* n = control->NodeAtRow(0); n; n = n->GetNextVisible()) rows.emplace_back(n->Text());
        return rows;
    }
    std::string VetoSelect, VetoExpand;
};

using Strings = std::vector<std::string>;

// Rows and absolute indexes by a plain walk, the reference for the index.
void CheckAgainstWalk(TCustomTreeView& tree, const std::string& step) {
    int row = 0, absolute = 0;
    for (TTreeNode* n = tree.GetFirstNode(); n; n = n->GetNext(), ++absolute) {
        ASSERT_EQ(n->AbsoluteIndex(), absolute) << step;
        ASSERT_EQ(tree.NodeAtAbsoluteIndex(absolute), n) << step;
        if (n->IsVisible()) {
            ASSERT_EQ(tree.RowOf(n), row) << step << " " << n->Text();
            ASSERT_EQ(tree.NodeAtRow(row), n) << step;
            ++row;
        } else {
            ASSERT_EQ(tree.RowOf(n), -1) << step;
        }
    }
    ASSERT_EQ(tree.Count(), absolute) << step;
    ASSERT_EQ(tree.VisibleRowCount(), row) << step;
    ASSERT_EQ(tree.NodeAtRow(row), nullptr) << step;
}

TEST_F(TreeView, RowsAndIndexesFollowEveryKindOfChange) {
    control->OnChanging = nullptr;
    std::mt19937 random(14);
    std::vector<TTreeNode*> nodes;
    const auto pick = [&]() -> TTreeNode* {
        nodes.clear();
        for (TTreeNode* n = control->GetFirstNode(); n; n = n->GetNext()) nodes.push_back(n);
        return nodes.empty() ? nullptr : nodes[random() % nodes.size()];
    };
    const TTVCompare byText = [](TTreeNode* a, TTreeNode* b) { return a->Text().compare(b->Text()); };
    for (int step = 0; step < 600; ++step) {
        TTreeNode* n = pick();
        TTreeNode* m = pick();
        const std::string name = std::to_string(random() % 1000);
        switch (n ? random() % 8 : 0) {
        case 0: control->AddChild(n, name); break;
        case 1: control->Insert(n, name); break;
        case 2: control->AddChildFirst(n, name); break;
        case 3: if (random() % 3 == 0) n->Delete(); break;
        case 4:
            if (m != n && !m->HasAsParent(n)) n->MoveTo(m, TNodeAttachMode(random() % 5));
            break;
        case 5: n->SetExpanded(!n->Expanded()); break;
        case 6: n->CustomSort(byText, random() % 2); break;
        case 7: control->SetSelected(n); break;
        }
        CheckAgainstWalk(*control, "step " + std::to_string(step));
        if (HasFatalFailure()) return;
    }
}

TEST_F(TreeView, MovingANodeBelowItselfIsAnError) {
    Build();
    try {
        Find("a")->MoveTo(Find("a11"), naAddChild);
        FAIL();
    } catch (const EqoError& e) {
        EXPECT_STREQ(e.what(), "A tree node cannot be moved into itself or below itself");
    }
    EXPECT_EQ(Find("a11")->Level(), 2) << "nothing moved";
}

TEST_F(TreeView, AHundredThousandChildrenExpandScrollAndPaintLikeAFew) {
    TTreeNode* parent = control->AddChild(nullptr, "parent");
    control->BeginUpdate();
    for (int i = 0; i < 100000; ++i) control->AddChild(parent, "child " + std::to_string(i));
    control->EndUpdate();
    parent->Expand(false);
    EXPECT_EQ(control->VisibleRowCount(), 100001);
    TTreeNode* last = parent->GetLastChild();
    control->SetSelected(last);
    EXPECT_EQ(control->RowOf(last), 100000);
    EXPECT_EQ(control->TopItem(), control->NodeAtRow(100001 - control->VisibleCount()));
    int drawn = 0;
    control->OnCustomDrawItem = [&](TCustomTreeView*, TTreeNode*, TCustomDrawState, bool&) { ++drawn; };
    control->Repaint();
    EXPECT_EQ(drawn, control->VisibleCount()) << "the last page shows whole";
    EXPECT_EQ(control->ScrollBar(sbVertical)->Max(), 100000) << "scrolled in items";
    parent->Collapse(false);
    EXPECT_EQ(control->Selected(), parent) << "collapsing takes the selection up";
    EXPECT_EQ(control->VisibleRowCount(), 1);
}

// A tree whose deferred children read "later" and are noted as they are made.
class TLaterTree : public TTreeView {
public:
    using TTreeView::TTreeView;
    std::vector<TTreeNode*> Made;

protected:
    std::string_view DeferredChildText() const override { return "later"; }
    void DeferredChildMade(TTreeNode* node) override { Made.push_back(node); }
};

class DeferredChild : public test::TWidgetFixture<TLaterTree> {
protected:
    DeferredChild() {
        Place(TRect::Bounds(5, 5, 160, 120));
        control->OnDeletion = [this](TCustomTreeView*, TTreeNode* n) { Record("deletion " + std::string(n->Text())); };
        x = control->AddChild(nullptr, "x");
        y = control->AddChild(nullptr, "y");
        z = control->AddChild(nullptr, "z");
        control->AddDeferredChild(y);
    }
    TTreeNode *x, *y, *z;
};

// Counted and drawn as a child (its parent's button) but made by the first
// question that needs the node itself; dropped or deleted unmade, unreported.
TEST_F(DeferredChild, CountsAsOneChildAndIsMadeByWhatAsksForTheNode) {
    EXPECT_EQ(control->Count(), 4);
    EXPECT_EQ(control->VisibleRowCount(), 3);
    EXPECT_TRUE(y->HasChildren());
    const TRect label = y->DisplayRect(true);
    EXPECT_EQ(control->GetHitTestInfoAt(label.Left - 3, label.Top + 2), htOnButton);
    control->Repaint();
    EXPECT_EQ(z->AbsoluteIndex(), 3);
    EXPECT_TRUE(control->Made.empty()) << "neither counting nor a button makes it";
    y->Expand(false);
    EXPECT_EQ(control->VisibleRowCount(), 4);

    struct TCase {
        const char* Ask;
        std::function<TTreeNode*(TLaterTree&, TTreeNode*)> Node;
    };
    const TCase cases[] = {
        {"first child", [](TLaterTree&, TTreeNode* y) { return y->GetFirstChild(); }},
        {"node at its row", [](TLaterTree& t, TTreeNode*) { return t.NodeAtRow(2); }},
        {"node at its absolute index", [](TLaterTree& t, TTreeNode*) { return t.NodeAtAbsoluteIndex(2); }},
        {"a paint of its row", [](TLaterTree& t, TTreeNode* y) { return t.Repaint(), y->Item(0); }},
        {"a sibling added", [](TLaterTree& t, TTreeNode* y) { return t.AddChild(y, "y2")->GetPrevSibling(); }},
    };
    for (const TCase& c : cases) {
        control->Made.clear();
        if (!y->HasDeferredChild()) {
            y->DeleteChildren();
            control->AddDeferredChild(y);
        }
        TTreeNode* made = c.Node(*control, y);
        ASSERT_EQ(control->Made, std::vector<TTreeNode*>{made}) << c.Ask;
        EXPECT_EQ(made->Text(), "later") << c.Ask;
        EXPECT_EQ(made->Parent(), y) << c.Ask;
        EXPECT_FALSE(y->HasDeferredChild()) << c.Ask;
        CheckAgainstWalk(*control, c.Ask);
    }

    // Dropped and deleted unmade: nothing made, nothing reported.
    y->Collapse(false);
    y->DeleteChildren();
    control->AddDeferredChild(y);
    control->AddDeferredChild(x);
    control->Made.clear();
    Log.clear();
    y->DeleteChildren();
    EXPECT_EQ(control->VisibleRowCount(), 3);
    EXPECT_FALSE(y->HasChildren());
    x->Delete();
    EXPECT_EQ(Log, Strings{"deletion x"});
    EXPECT_EQ(control->Count(), 2);
    EXPECT_TRUE(control->Made.empty());
}

TEST_F(TreeView, NotifiesInTheClassicOrderAndHonoursVetoes) {
    Build();
    control->SetSelected(Find("a12"));
    EXPECT_EQ(Log, (Strings{"changing a12", "expanding a", "expanded a", "expanding a1", "expanded a1", "change a12"}))
        << "selecting shows the node";
    Log.clear();
    VetoSelect = "c";
    control->SetSelected(Find("c"));
    EXPECT_EQ(control->Selected(), Find("a12"));
    VetoExpand = "b";
    Find("b")->Expand(false);
    EXPECT_FALSE(Find("b")->Expanded());
    Find("a")->Collapse(false);
    EXPECT_EQ(Log, (Strings{"changing c", "expanding b", "collapsing a", "changing a", "change a", "collapsed a"}));
    Log.clear();
    Find("a")->Delete();
    EXPECT_EQ(Log, (Strings{"deletion a11", "deletion a12", "deletion a1", "deletion a2", "deletion a",
                            "changing b", "change b"}))
        << "children go first; the selection moves to the next sibling";
}

TEST_F(TreeView, SurvivesDeletionsFromInsideItsOwnNotifications) {
    Build();
    // A deletion handler that deletes the node again, its parent and a sibling.
    control->OnDeletion = [this](TCustomTreeView*, TTreeNode* n) {
        Record("deletion " + Name(n));
        n->Delete();
        if (n->Parent()) n->Parent()->Delete();
        if (TTreeNode* b = Find("b")) b->Delete();
    };
    Find("a1")->Delete();
    EXPECT_EQ(Find("b"), nullptr);
    EXPECT_EQ(Find("a11"), nullptr);
    CheckAgainstWalk(*control, "after");
    // A change handler that deletes the node just selected, then one that frees the tree.
    control->OnChange = [](TCustomTreeView*, TTreeNode* n) {
        if (n && n->Text() == "c") n->Delete();
    };
    control->SetSelected(Find("c"));
    EXPECT_EQ(Find("c"), nullptr);
    EXPECT_EQ(Name(control->Selected()), "a") << "the selection moved on from the deleted node";
    control->OnChange = [this](TCustomTreeView*, TTreeNode*) { FreeControl(); };
    control->SetSelected(control->AddChild(nullptr, "d"));
    EXPECT_EQ(control, nullptr);
    control = new TTreeView(&form);
}

TEST_F(TreeView, KeysMoveExpandAndSearch) {
    Build();
    control->SetFocus();
    control->SetSelected(Find("a"));
    control->OnChanging = nullptr;
    const auto selectedAfter = [&](uint16_t key, char16_t ch = 0) {
        harness.Key(key, 0, ch);
        return Name(control->Selected());
    };
    EXPECT_EQ(selectedAfter(VK_RIGHT), "a") << "expands first";
    EXPECT_EQ(selectedAfter(VK_RIGHT), "a1");
    EXPECT_EQ(selectedAfter(VK_DOWN), "a2");
    EXPECT_EQ(selectedAfter(VK_LEFT), "a");
    EXPECT_EQ(selectedAfter(VK_END), "c");
    EXPECT_EQ(selectedAfter(VK_HOME), "a");
    EXPECT_EQ(selectedAfter(0, u'*'), "a");
    EXPECT_TRUE(Find("a1")->Expanded()) << "* expands the whole subtree";
    EXPECT_EQ(selectedAfter(VK_NEXT), "c") << "a page is more than the rows";
    EXPECT_EQ(selectedAfter(VK_PRIOR), "a");
    EXPECT_EQ(selectedAfter(0, u'-'), "a");
    EXPECT_FALSE(Find("a")->Expanded());
    EXPECT_EQ(selectedAfter(0, u'+'), "a");
    EXPECT_TRUE(Find("a")->Expanded());
    // Type-ahead: a new letter searches below, more letters refine, a pause starts again.
    EXPECT_EQ(selectedAfter(0, u'A'), "a1");
    EXPECT_EQ(selectedAfter(0, u'1'), "a1");
    EXPECT_EQ(selectedAfter(0, u'2'), "a12");
    harness.AdvanceTime(1500);
    EXPECT_EQ(selectedAfter(0, u'b'), "b");
    EXPECT_EQ(selectedAfter(0, u'x'), "b") << "no match leaves the selection";
}

TEST_F(TreeView, TheMouseExpandsSelectsStartsDragsAndRightClicks) {
    Build();
    control->OnBeginDrag = [this](TCustomTreeView*, TTreeNode* n) { Record("drag " + Name(n)); };
    control->OnRightClick = [this](TCustomTreeView*, TTreeNode* n) { Record("right " + Name(n)); };
    const TRect a = Find("a")->DisplayRect(true);
    harness.Click(*control, {Find("a")->DisplayRect(false).Left + 9, a.Top + 5});
    EXPECT_EQ(control->GetHitTestInfoAt(9, a.Top + 5), htOnButton);
    EXPECT_TRUE(Find("a")->Expanded()) << "the button expands";
    const TRect b = Find("b")->DisplayRect(true);
    harness.MouseDown(*control, {b.Left + 3, b.Top + 3});
    harness.MouseMove(*control, {b.Left + 3, b.Top + 30}, ssLeft);
    harness.MouseUp(*control, {b.Left + 3, b.Top + 30});
    harness.Click(*control, {b.Right + 20, b.Top + 3}, mbRight);
    EXPECT_EQ(Log, (Strings{"expanding a", "expanded a", "changing b", "change b", "drag b", "right b"}));
    EXPECT_EQ(control->GetNodeAt(5, 119), nullptr);
    EXPECT_EQ(control->GetHitTestInfoAt(5, 119), htNowhere);
}

TEST_F(TreeView, EditsLabelsInPlace) {
    Build();
    control->OnEditing = [this](TCustomTreeView*, TTreeNode* n, bool& allow) {
        Record("editing " + Name(n));
        allow = n->Text() != "c";
    };
    control->OnEdited = [this](TCustomTreeView*, TTreeNode* n, std::string& text) {
        Record("edited " + Name(n) + " " + text);
        text += "!";
    };
    control->OnEditChange = [this](TCustomTreeView*, TTreeNode*) { Record("typed " + control->EditingText()); };
    control->SetFocus();
    control->SetSelected(Find("b"));
    Log.clear();
    harness.Key(VK_F2);
    ASSERT_TRUE(control->IsEditing());
    harness.Key(VK_BACK);
    harness.Key(0, 0, u'x');
    harness.Key(VK_RETURN);
    EXPECT_EQ(Name(control->GetFirstNode()->GetNextSibling()), "x!");
    EXPECT_EQ(Log, (Strings{"editing b", "typed ", "typed x", "edited b x"}));
    // A second click on the selected label edits once no double click came.
    const TRect label = Find("x!")->DisplayRect(true);
    harness.Click(*control, {label.Left + 2, label.Top + 2});
    EXPECT_FALSE(control->IsEditing());
    harness.AdvanceTime(600);
    ASSERT_TRUE(control->IsEditing());
    harness.Key(0, 0, u'y');
    harness.Key(VK_ESCAPE);
    EXPECT_EQ(Find("x!")->Text(), "x!") << "Escape drops the text";
    control->SetSelected(Find("c"));
    harness.Key(VK_F2);
    EXPECT_FALSE(control->IsEditing()) << "refused";
    control->SetReadOnly(true);
    control->SetSelected(Find("a"));
    harness.Key(VK_F2);
    EXPECT_FALSE(control->IsEditing());
}

TEST_F(TreeView, TheLabelEditorIsAnEditThatFollowsItsNode) {
    Build();
    control->OnEdited = [this](TCustomTreeView*, TTreeNode* n, std::string& text) {
        Record("edited " + Name(n) + " " + text);
    };
    TCustomControl* target = AddTarget();
    target->SetBounds(200, 10, 20, 20);
    control->SetFocus();
    control->SetSelected(Find("b"));
    Log.clear();
    harness.Key(VK_F2);
    auto* editor = dynamic_cast<TEdit*>(FocusedControl());
    ASSERT_NE(editor, nullptr) << "the focus is in the editor";
    EXPECT_EQ(editor->Parent(), control);
    EXPECT_EQ(editor->SelText(), "b") << "all selected";
    EXPECT_EQ(editor->Left(), Find("b")->DisplayRect(true).Left);
    harness.Key(VK_END);
    for (char16_t ch : std::u16string(u"ee and a long tail")) harness.Char(ch);
    EXPECT_EQ(control->EditingText(), "bee and a long tail");
    EXPECT_GT(editor->Width(), Find("b")->DisplayRect(true).Width()) << "it widens with its text";
    control->ScrollTo(sbHorizontal, 5);
    EXPECT_EQ(editor->Left(), Find("b")->DisplayRect(true).Left) << "it follows the node";
    target->SetFocus();
    EXPECT_FALSE(control->IsEditing()) << "the focus going elsewhere accepts";
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(Log, (Strings{"edited b bee and a long tail"}));
    control->SetFocus();
    control->SetSelected(Find("c"));
    harness.Key(VK_F2);
    Log.clear();
    Find("c")->Delete();
    EXPECT_FALSE(control->IsEditing());
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(FocusedControl(), control) << "the focus comes back to the tree";
    EXPECT_EQ(Log, (Strings{"deletion c", "changing bee and a long tail", "change bee and a long tail"}))
        << "no edit reported for a deleted node";
}

TEST_F(TreeView, TheWidestLabelInViewSetsTheHorizontalExtent) {
    Build();
    const auto extent = [this] {
        TScrollBar* bar = control->ScrollBar(sbHorizontal);
        return bar && bar->Visible() ? bar->Max() + 1 : 0;
    };
    EXPECT_EQ(extent(), 0) << "everything fits";
    TTreeNode *a1 = Find("a1"), *a11 = Find("a11"), *c = Find("c");
    Find("a")->Expand(false);
    a11->SetText("a label that is much wider than the whole tree view");
    EXPECT_EQ(extent(), 0) << "a label folded away does not count";
    a1->Expand(false);
    const int wide = extent();
    EXPECT_EQ(wide, a11->DisplayRect(true).Right);
    control->ScrollTo(sbHorizontal, 1000);
    EXPECT_EQ(control->ScrollPos(sbHorizontal), wide - control->VisibleRect().Width()) << "scrolled to its end";
    EXPECT_EQ(a11->DisplayRect(true).Right, control->VisibleRect().Right);
    c->SetText("c, now a good deal wider than the label of that grandchild was before it");
    EXPECT_GT(extent(), wide) << "a label in view that grows widens it";
    control->ScrollTo(sbHorizontal, 0);
    a1->Collapse(false);
    c->SetText("c");
    Find("a")->Collapse(false);
    EXPECT_EQ(extent(), 0) << "after a change of the rows, the rows in view alone";
}

TEST_F(TreeView, ScrollsInItemsAndPixelsWithBarsHiddenOnRequest) {
    for (int i = 0; i < 30; ++i) control->AddChild(nullptr, "a rather long label number " + std::to_string(i));
    TScrollBar* vertical = control->ScrollBar(sbVertical);
    TScrollBar* horizontal = control->ScrollBar(sbHorizontal);
    ASSERT_NE(vertical, nullptr);
    ASSERT_NE(horizontal, nullptr);
    EXPECT_EQ(vertical->Max(), 29);
    EXPECT_EQ(vertical->PageSize(), control->VisibleCount());
    EXPECT_GT(horizontal->Max(), control->VisibleRect().Width()) << "pixels";
    control->SetTopItem(control->NodeAtRow(10));
    EXPECT_EQ(control->ScrollPos(sbVertical), 10);
    control->ScrollTo(sbHorizontal, 10);
    EXPECT_EQ(control->NodeAtRow(10)->DisplayRect(true).Left, 19 - 10);
    control->SetScrollBars(ssNone);
    EXPECT_EQ(control->ScrollBar(sbVertical), nullptr);
    control->SetFocus();
    harness.Key(VK_END);
    EXPECT_EQ(control->TopItem(), control->NodeAtRow(30 - control->VisibleCount())) << "still scrolls";
}

TEST_F(TreeView, TheUpdateLockHoldsMeasuringAndPaintingBack) {
    harness.RunUntilIdle();
    int paints = 0;
    control->OnCustomDrawItem = [&](TCustomTreeView*, TTreeNode*, TCustomDrawState, bool&) { ++paints; };
    control->BeginUpdate();
    control->BeginUpdate();
    for (int i = 0; i < 50; ++i) control->AddChild(nullptr, std::to_string(i));
    harness.RunUntilIdle();
    control->EndUpdate();
    harness.RunUntilIdle();
    EXPECT_EQ(paints, 0);
    EXPECT_EQ(control->ScrollBar(sbVertical), nullptr) << "not measured while locked";
    control->EndUpdate();
    ASSERT_NE(control->ScrollBar(sbVertical), nullptr);
    harness.RunUntilIdle();
    EXPECT_GT(paints, 0);
}

class TreeViewLooks : public TreeView {
protected:
    TreeViewLooks() {
        Place(TRect::Bounds(5, 5, 150, 110));
        images.SetTransparentColor(clFuchsia);
        TBitmap strip(32, 16);
        qoPaintStrip(strip);
        images.Add(strip);
    }
    // Two 16 x 16 images: a folder-like box and a page-like one.
    static void qoPaintStrip(TBitmap& strip) {
        TCanvas& c = strip.Canvas();
        c.Brush().Color = clFuchsia;
        c.FillRect({0, 0, 32, 16});
        c.Brush().Color = clOlive;
        c.FillRect({1, 4, 15, 14});
        c.Brush().Color = clTeal;
        c.FillRect({19, 1, 29, 15});
    }
    TImageList images;
};

TEST_F(TreeViewLooks, LinesButtonsImagesAndSelection) {
    Build();
    control->SetImages(&images);
    for (TTreeNode* n = control->GetFirstNode(); n; n = n->GetNext()) {
        n->SetImageIndex(n->HasChildren() ? 0 : 1);
        n->SetSelectedIndex(1);
    }
    control->SetSelected(Find("a11"));
    EXPECT_TRUE(LooksLike("treeview_lines_images_unfocused"));
    control->SetFocus();
    EXPECT_TRUE(LooksLike("treeview_lines_images_focused"));
    control->SetShowLines(false);
    control->SetShowRoot(false);
    control->SetImages(nullptr);
    control->SetFocus();
    harness.Key(VK_F2);
    harness.Key(0, 0, u'z');
    EXPECT_TRUE(LooksLike("treeview_plain_editing"));
}

} // namespace
} // namespace qo
