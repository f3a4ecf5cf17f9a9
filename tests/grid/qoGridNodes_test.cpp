// The grid over a grid tree: buttons, indents, parents and icons from the
// nodes, button clicks that expand (and handlers that delete the node),
// first-expansion fills, expanded states saved and restored level by level,
// sorting tree rows level by level, and the virtual-row questions forwarded.
#include "qoGrid_test.h"

namespace qo {
namespace {

class GridNodes : public test::GridFixture {
protected:
    using TNode = TqoDataEntity_GridTreeNode;

    GridNodes() {
        Column("Task")->SetTreeButton(true);
        Column("N");
        control->SetUseTree(true);
        tree = control->GetTree();
    }
    // A node under owner with its two texts.
    TNode* Add(TNode* owner, const std::string& text, const std::string& n = "") {
        TNode* node = tree->AddDataEntity(owner);
        control->SetText(CellOf(0, node->AxisContentItem()), text);
        control->SetText(CellOf(1, node->AxisContentItem()), n);
        return node;
    }
    TBabCell* TaskCell(TNode* node) { return CellOf(0, node->AxisContentItem()); }

    TqoGridTree* tree = nullptr;
};

TEST_F(GridNodes, ButtonsIndentsParentsAndIconsComeFromTheNodes) {
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->GridCell(), control->MainGrid());
    TNode* a = Add(nullptr, "a");
    TNode* a1 = Add(a, "a1");
    TNode* b = Add(nullptr, "b");
    EXPECT_EQ(control->CellToNode(TaskCell(a1)), a1);
    EXPECT_EQ(control->CellToNode(control->Cell(1, 0)), nullptr) << "the header row has no node";
    EXPECT_TRUE(control->CellHasButton(TaskCell(a)));
    EXPECT_FALSE(control->CellHasButton(CellOf(1, a->AxisContentItem())));
    EXPECT_EQ(control->CellInset(TaskCell(a1)), 1);
    EXPECT_EQ(control->CellInset(TaskCell(b)), 0);
    EXPECT_EQ(control->GetParentButtonCell(TaskCell(a1)), TaskCell(a));
    EXPECT_EQ(control->GetParentButtonCell(TaskCell(a)), nullptr);
    EXPECT_FALSE(control->IsButtonExpanded(TaskCell(a)));
    EXPECT_FALSE(control->IsButtonTerminal(TaskCell(a)));
    EXPECT_TRUE(control->ButtonHasNonHiddenChildren(TaskCell(a)));
    b->SetExpanded(true);
    EXPECT_TRUE(control->IsButtonTerminal(TaskCell(b))) << "expanded without children";

    EXPECT_FALSE(control->CellHasIcon(TaskCell(a)));
    control->Columns()->Columns(0)->SetHasIcon(true);
    a->SetImageIndex(2);
    a->SetSelectedIndex(3);
    EXPECT_TRUE(control->CellHasIcon(TaskCell(a)));
    EXPECT_EQ(control->CellIconIndex(TaskCell(a)), 2);
    TaskCell(a)->SetSelected(true);
    EXPECT_EQ(control->CellIconIndex(TaskCell(a)), 3);
    EXPECT_FALSE(control->CellHasIcon(TaskCell(b))) << "a node without image";
    // The view's own events take precedence.
    control->OnCellInset = [](TComponent*, TBabCell*) { return 7; };
    EXPECT_EQ(control->CellInset(TaskCell(a1)), 7);
}

TEST_F(GridNodes, AButtonClickExpandsAndTheFirstExpansionAsksTheHostOnce) {
    TNode* a = Add(nullptr, "a");
    int asked = 0;
    control->OnInitTreeSubDataList = [&](TqoGrid*, TqoGridTree* t, TNode* node) {
        ++asked;
        t->AddDataEntity(node);
    };
    bool expandingSeen = false;
    tree->OnExpand = [&](TqoGridTree*, TNode*, bool&) { expandingSeen = control->IsExpanding(); };
    std::vector<std::string> clicks;
    control->OnButtonClick = [&](TComponent*, TBabCell* cell) { clicks.push_back(control->GetText(cell)); };
    control->DoButtonAction(TaskCell(a));
    EXPECT_TRUE(a->Expanded());
    EXPECT_TRUE(expandingSeen);
    EXPECT_FALSE(control->IsExpanding());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(a->SubDataListCount(), 1);
    control->DoButtonAction(TaskCell(a));
    control->DoButtonAction(TaskCell(a));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(clicks, (std::vector<std::string>{"a", "a", "a"}));
}

TEST_F(GridNodes, AnExpandHandlerThatDeletesTheNodeEndsTheClickQuietly) {
    TNode* a = Add(nullptr, "a");
    Add(a, "a1");
    Add(nullptr, "b");
    tree->OnExpand = [&](TqoGridTree* t, TNode* node, bool& allow) {
        allow = false;
        t->RemoveDataEntity(node);
    };
    int clicks = 0;
    control->OnButtonClick = [&](TComponent*, TBabCell*) { ++clicks; };
    control->DoButtonAction(TaskCell(a));
    EXPECT_EQ(clicks, 0) << "the cell went with its row";
    EXPECT_EQ(Texts(0), "b");
    control->Repaint();
}

TEST_F(GridNodes, ExpandedStatesComeBackLevelByLevel) {
    TNode* a = Add(nullptr, "a", "1");
    TNode* a1 = Add(a, "a1", "2");
    Add(a1, "a11", "3");
    TNode* b = Add(nullptr, "b", "4");
    Add(b, "b1", "5");
    a->SetExpanded(true);
    a1->SetExpanded(true);
    control->ExpandedStateSave();
    ASSERT_EQ(control->ExpandStateStringList().size(), 2u);
    EXPECT_EQ(control->ExpandStateStringList()[0].Key, "##a#1");
    EXPECT_EQ(control->ExpandStateStringList()[1].Level, 1);
    // A second save before the deferred clear keeps the first state.
    b->SetExpanded(true);
    control->ExpandedStateSave();
    EXPECT_EQ(control->ExpandStateStringList().size(), 2u);
    harness.RunUntilIdle();
    EXPECT_FALSE(control->ExpandedStateAlreadySaved());

    tree->CollapseAll();
    std::vector<std::string> order;
    tree->OnExpand = [&](TqoGridTree*, TNode* node, bool&) {
        order.push_back(control->GetText(TaskCell(node)));
        control->ExpandedStateSave(); // ignored while restoring
    };
    control->ExpandedStateRestore();
    EXPECT_EQ(order, (std::vector<std::string>{"a", "a1"}));
    EXPECT_TRUE(a1->Expanded());
    EXPECT_FALSE(b->Expanded());
    EXPECT_EQ(control->ExpandStateStringList().size(), 2u);

    // A key function of the host's.
    tree->OnExpand = nullptr;
    tree->CollapseAll();
    auto byNumber = [](TqoGrid* grid, TAxisContentItem* row) { return grid->GetText(grid->Cell(2, row->ListIndex())); };
    b->SetExpanded(true);
    harness.RunUntilIdle();
    control->ExpandedStateSave(byNumber);
    ASSERT_EQ(control->ExpandStateStringList().size(), 1u);
    EXPECT_EQ(control->ExpandStateStringList()[0].Key, "4");
    b->SetExpanded(false);
    control->ExpandedStateRestore(byNumber);
    EXPECT_TRUE(b->Expanded());
}

TEST_F(GridNodes, SortingATreeSortsEachLevelAndSubtreesFollow) {
    TNode* b = Add(nullptr, "b");
    Add(b, "b2");
    Add(b, "b1");
    Add(nullptr, "c");
    TNode* a = Add(nullptr, "a");
    Add(a, "a2");
    Add(a, "a1");
    control->SortColumn(0, false);
    EXPECT_EQ(Texts(0), "a,a1,a2,b,b1,b2,c");
    control->SortColumn(0, true);
    EXPECT_EQ(Texts(0), "c,b,b2,b1,a,a2,a1");
    EXPECT_EQ(control->GetText(TaskCell(tree->RootDataEntities()->Node(2))), "a") << "the nodes moved too";
}

TEST_F(GridNodes, VirtualRowQuestionsReachTheTree) {
    TNode* a = Add(nullptr, "a");
    TNode* a1 = Add(a, "a1");
    TBabGridCellForViewer* root = control->MainGrid();
    bool keep = true;
    root->OnKeepAfterUnloadCheck(root, a1->AxisContentItem(), true, keep);
    EXPECT_FALSE(keep) << "rows of deeper nodes leave the axis";
    keep = true;
    root->OnKeepAfterUnloadCheck(root, a->AxisContentItem(), true, keep);
    EXPECT_TRUE(keep) << "top-level rows stay counted";
    bool answer = false;
    std::vector<bool> asked;
    control->OnVirtualUnLoad = [&](TBabGridCell*, TAxisContentItem*, bool, bool perform, bool& a) {
        asked.push_back(perform);
        a = false;
    };
    root->OnVirtualUnLoad(root, a->AxisContentItem(), true, false, answer);
    EXPECT_EQ(asked, std::vector<bool>{false});
    EXPECT_EQ(a->AxisContentItem() != nullptr, true) << "a refused unload leaves the node's row";
}

TEST_F(GridNodes, SwitchingTheTreeOffTakesItsRows) {
    Add(nullptr, "a");
    Add(nullptr, "b");
    control->SetUseTree(false);
    EXPECT_EQ(control->GetTree(), nullptr);
    EXPECT_EQ(control->CellCountY(), 1);
    control->Repaint();
}

} // namespace
} // namespace qo
