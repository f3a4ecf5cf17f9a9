#include "qoGridTree_test.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace qo {
namespace {

using test::TNode;
using test::TTreeGrid;

// 1 (2 (3 (4)) 5) 6: every node collapsed.
struct SmallTree : ::testing::Test {
    TTreeGrid t;
    TNode *n1, *n2, *n3, *n4, *n5, *n6;
    void SetUp() override {
        n1 = t.Add();
        n2 = t.Add(n1);
        n3 = t.Add(n2);
        n4 = t.Add(n3);
        n5 = t.Add(n1);
        n6 = t.Add();
    }
    void ExpandEverything() {
        for (TNode* n : {n1, n2, n3}) n->SetExpanded(true);
    }
};

TEST_F(SmallTree, RowsFollowPreOrderAndHideUnderCollapsedParents) {
    EXPECT_EQ(t.Rows(), "1 (2) (3) (4) (5) 6");
    std::string walk;
    for (TNode* n = n1; n; n = n->GetNext()) walk += std::to_string(TTreeGrid::Id(n));
    EXPECT_EQ(walk, "123456");
    walk.clear();
    for (TNode* n = n6; n; n = n->GetPrev()) walk += std::to_string(TTreeGrid::Id(n));
    EXPECT_EQ(walk, "654321");
    EXPECT_EQ(n4->Level(), 3);
    EXPECT_EQ(n4->ParentNode(), n3);
    EXPECT_FALSE(n2->GetVisible());
    EXPECT_TRUE(n6->GetVisible());
    EXPECT_TRUE(n2->GetCanEdit());
    EXPECT_EQ(TqoGridTree::NodeOfRow(n3->AxisContentItem()), n3);
    EXPECT_EQ(n3->AxisContentItem()->Value(), n3);
}

TEST_F(SmallTree, AChildUnderACollapsedParentGetsAHiddenRowAfterTheParentsLastDescendant) {
    t.tree->InsertDataEntity(n1, 1); // between 2's subtree and 5
    EXPECT_EQ(t.Rows(), "1 (2) (3) (4) (7) (5) 6");
    t.Add(n2);
    EXPECT_EQ(t.Rows(), "1 (2) (3) (4) (8) (7) (5) 6");
}

TEST_F(SmallTree, ExpandingShowsOnlyWhatIsUnderExpandedAncestors) {
    n1->SetExpanded(true);
    EXPECT_EQ(t.Rows(), "1 2 (3) (4) 5 6");
    n3->SetExpanded(true); // under the collapsed 2: still hidden
    EXPECT_EQ(t.Rows(), "1 2 (3) (4) 5 6");
    n2->SetExpanded(true);
    EXPECT_EQ(t.Rows(), "1 2 3 4 5 6");
    EXPECT_TRUE(n4->GetVisible());
    n1->SetExpanded(false);
    EXPECT_EQ(t.Rows(), "1 (2) (3) (4) (5) 6");
    EXPECT_FALSE(n4->GetVisible());
    EXPECT_TRUE(n3->Expanded()) << "a collapse changes only the node itself";
}

TEST_F(SmallTree, HideNodeHidesTheSubtreeWhateverItsExpandedState) {
    ExpandEverything();
    n2->Set_HideNode(true);
    EXPECT_EQ(t.Rows(), "1 (2) (3) (4) 5 6");
    EXPECT_FALSE(n2->IsVisible());
    EXPECT_FALSE(n4->IsVisible());
    n2->Set_HideNode(false);
    EXPECT_EQ(t.Rows(), "1 2 3 4 5 6");
    n3->SetExpanded(false);
    n2->Set_HideNode(true);
    n2->Set_HideNode(false);
    EXPECT_EQ(t.Rows(), "1 2 3 (4) 5 6") << "what its own collapsed parent hides stays hidden";
    EXPECT_TRUE(n1->HasNonHiddenChildren());
    n5->Set_HideNode(true);
    n2->Set_HideNode(true);
    EXPECT_FALSE(n1->HasNonHiddenChildren());
    EXPECT_TRUE(n6->HasNonHiddenChildren()) << "children never asked for may be there";
}

TEST_F(SmallTree, TheFirstExpansionAsksTheHostOnceForTheChildren) {
    int asked = 0;
    t.tree->SetTreeControllerCallBackInitSubList([&](TqoGridTree* tree, TNode* node) {
        ++asked;
        tree->AddDataEntity(node);
        tree->AddDataEntity(node);
    });
    EXPECT_FALSE(n6->SubDataListInitiated());
    n6->SetExpanded(true);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(n6->SubDataListInitiated());
    EXPECT_EQ(t.Rows(), "1 (2) (3) (4) (5) 6 7 8");
    n6->SetExpanded(false);
    n6->SetExpanded(true);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(t.Rows(), "1 (2) (3) (4) (5) 6 7 8");
}

TEST_F(SmallTree, ExpandAndCollapseHandlersCanRefuse) {
    int asked = 0;
    t.tree->SetTreeControllerCallBackInitSubList([&](TqoGridTree*, TNode*) { ++asked; });
    ExpandEverything();
    t.tree->OnCollapse = [](TqoGridTree*, TNode*, bool& allow) { allow = false; };
    n1->SetExpanded(false);
    EXPECT_TRUE(n1->Expanded());
    EXPECT_EQ(t.Rows(), "1 2 3 4 5 6");
    asked = 0;
    t.tree->OnExpand = [](TqoGridTree*, TNode*, bool& allow) { allow = false; };
    n6->SetExpanded(true);
    EXPECT_FALSE(n6->Expanded());
    EXPECT_FALSE(n6->SubDataListInitiated());
    EXPECT_EQ(asked, 0);
}

TEST_F(SmallTree, ExpandAllAndCollapseAllVisitChildrenBeforeTheirParent) {
    std::string order;
    t.tree->OnExpand = [&](TqoGridTree*, TNode* n, bool&) { order += std::to_string(TTreeGrid::Id(n)); };
    t.tree->ExpandAll();
    EXPECT_EQ(order, "432516");
    EXPECT_EQ(t.Rows(), "1 2 3 4 5 6");
    t.tree->CollapseAll();
    EXPECT_EQ(t.Rows(), "1 (2) (3) (4) (5) 6");
}

TEST_F(SmallTree, MovesCarryWholeSubtrees) {
    ExpandEverything();
    n1->Move(1); // 6 first, then 1 with everything under it
    EXPECT_EQ(t.Rows(), "6 1 2 3 4 5");
    n5->Move(0);
    EXPECT_EQ(t.Rows(), "6 1 5 2 3 4");
    t.tree->ChangeOwner(n2, n6); // under the collapsed 6: hidden, still in order
    EXPECT_EQ(t.Rows(), "6 (2) (3) (4) 1 5");
    EXPECT_EQ(n2->ParentNode(), n6);
    n6->SetExpanded(true);
    EXPECT_EQ(t.Rows(), "6 2 3 4 1 5");
    t.tree->ChangeOwner(n3, nullptr); // to the end of the root level
    EXPECT_EQ(t.Rows(), "6 2 1 5 3 4");
    EXPECT_EQ(t.Events("move"), "1,5,2,3");
}

TEST_F(SmallTree, MovingANodeBelowItselfIsRefusedAndChangesNothing) {
    ExpandEverything();
    const std::string before = t.Rows();
    t.events.clear();
    const auto refused = [&](const std::function<void()>& move) {
        try {
            move();
        } catch (const EqoError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(refused([&] { t.tree->ChangeOwner(n2, n4); }), TqoGridTree::MoveBelowItselfMessage);
    EXPECT_EQ(refused([&] { t.tree->ChangeOwner(n2, n2); }), TqoGridTree::MoveBelowItselfMessage);
    // Straight through the entity, as a host may call it: put back where it was.
    EXPECT_EQ(refused([&] { n2->ChangeOwner(n3->SubDataList(), 0); }), TqoGridTree::MoveBelowItselfMessage);
    EXPECT_EQ(n2->ParentNode(), n1);
    EXPECT_EQ(n2->ListIndex(), 0);
    EXPECT_EQ(t.Rows(), before);
    EXPECT_EQ(t.Events("move"), "");
    TTreeGrid other;
    TNode* stranger = other.Add();
    EXPECT_EQ(refused([&] { t.tree->ChangeOwner(stranger, n1); }), TqoGridTree::OtherTreeMessage);
    EXPECT_EQ(refused([&] { stranger->ChangeOwner(n1->SubDataList(), 0); }), TqoGridTree::OtherTreeMessage);
    EXPECT_EQ(stranger->GridTree(), other.tree.get());
    EXPECT_EQ(other.Rows(), "1");
    EXPECT_EQ(t.Rows(), before);
}

TEST_F(SmallTree, RemovingANodeTakesItsSubtreeAndRemovingTheLastRootClearsTheRows) {
    t.g.Y()->AddNew(nullptr); // a row of no node
    std::vector<std::string> order;
    t.tree->OnDeleteItem = [&](TqoGridTree*, TNode* n) { order.push_back("delete " + std::to_string(TTreeGrid::Id(n))); };
    t.events.clear();
    t.tree->RemoveDataEntity(n2);
    EXPECT_EQ(t.Rows(), "1 (5) 6 ?");
    EXPECT_EQ(t.Events("remove"), "2,3,4") << "the node, then its subtree";
    EXPECT_EQ(order.size(), 3u);
    EXPECT_EQ(t.tree->AllSubLists()->Count(), 2) << "the root list and 1's; the lists of 2 and 3 are gone";
    t.tree->RemoveDataEntity(n1);
    t.tree->RemoveDataEntity(n6);
    EXPECT_EQ(t.Rows(), "");
    EXPECT_EQ(t.g.Y()->Count(), 1) << "the header row stays";
}

TEST_F(SmallTree, ExpansionHandlersThatDeleteTheNodeLeaveATreeThatStillWorks) {
    struct TCase {
        const char* name;
        bool inExpand;
    };
    for (const TCase c : {TCase{"OnExpand", true}, TCase{"first-expansion fill", false}}) {
        TTreeGrid g;
        TNode* a = g.Add();
        g.Add(a);
        TNode* b = g.Add();
        const auto remove = [&g](TqoGridTree*, TNode* n) { g.tree->RemoveDataEntity(n); };
        if (c.inExpand)
            g.tree->OnExpand = [&](TqoGridTree* tree, TNode* n, bool&) { remove(tree, n); };
        else
            g.tree->SetTreeControllerCallBackInitSubList(remove);
        a->SetExpanded(true);
        EXPECT_EQ(g.Rows(), "3") << c.name;
        b->SetExpanded(true);
        EXPECT_EQ(g.Rows(), "") << c.name;
        EXPECT_EQ(g.Root()->Count(), 0) << c.name;
    }
}

TEST(GridTree, HostsThatReenterFromTheEventsAreServed) {
    TTreeGrid t;
    // The Gantt-like listener adds a child to every new root node, and takes away a node made visible.
    t.tree->SetOnIntegrationEvents([&](TIntegrationEventKind kind, TNode* node) {
        t.Announce(kind, node);
        if (kind == ieInsert && !node->ParentNode()) t.Add(node);
        if (kind == ieVisibleChanged && node->GetVisible() && node->ParentNode() && TTreeGrid::Id(node) == 4)
            t.tree->RemoveDataEntity(node);
    });
    TNode* a = t.Add();
    TNode* b = t.Add();
    EXPECT_EQ(t.Rows(), "1 (2) 3 (4)");
    a->SetExpanded(true);
    b->SetExpanded(true);
    EXPECT_EQ(t.Rows(), "1 2 3");
    EXPECT_FALSE(b->HasChildren());
    // A listener that takes the next root node away with a removed one.
    t.tree->SetOnIntegrationEvents([&](TIntegrationEventKind kind, TNode* node) {
        t.Announce(kind, node);
        if (kind == ieRemove && !node->ParentNode() && t.Root()->Count() > 0) t.tree->RemoveDataEntity(t.Root()->Node(0));
    });
    TNode* c = t.Add();
    t.Add(c);
    t.tree->RemoveDataEntity(a);
    EXPECT_EQ(t.Rows(), "");
    EXPECT_EQ(t.Root()->Count(), 0);
    EXPECT_EQ(t.g.Y()->Count(), 1);
}

TEST(GridTree, AnnouncementsComeInOrderForEveryChange) {
    TTreeGrid t;
    std::string order;
    t.tree->OnInsertItem = [&](TqoGridTree*, TNode*) { order += "OnInsertItem<" + t.Events("insert") + "> "; };
    t.tree->OnDeleteItem = [&](TqoGridTree*, TNode*) { order += "OnDeleteItem<" + t.Events("remove") + "> "; };
    TNode* a = t.Add();
    TNode* b = t.Add(a);
    b->SetSelected(true);
    t.tree->IntegrationTargetInvalidate();
    a->SetExpanded(true);
    t.tree->RemoveDataEntity(a);
    EXPECT_EQ(order, "OnInsertItem<1> OnInsertItem<1,2> OnDeleteItem<> OnDeleteItem<1> ");
    EXPECT_EQ(t.Events("selection"), "2");
    EXPECT_EQ(t.Events("invalidate"), "0");
    EXPECT_EQ(t.Events("visible"), "2,2") << "made hidden under its collapsed parent, shown by the expansion";
    EXPECT_EQ(t.Events("remove"), "1,2");
}

TEST_F(SmallTree, SortingANodeListIsAValidOrderAndTheRowsFollow) {
    ExpandEverything();
    TNode* n7 = t.Add();
    t.Root()->Sort(false);
    EXPECT_EQ(t.Rows(), "1 2 3 4 5 6 7");
    t.Root()->Sort(true);
    EXPECT_EQ(t.Rows(), "7 6 1 2 3 4 5");
    n1->SubDataList()->Sort(true);
    EXPECT_EQ(t.Rows(), "7 6 1 5 2 3 4");
    EXPECT_EQ(t.Root()->Node(0), n7);
}

TEST_F(SmallTree, ChangedIconIndexesRepaintTheGrid) {
    int repaints = 0;
    TSingleEventListener listener(t.g.root->SelectionChangeEvent(), [&](TSingleEventListener*) { ++repaints; }, false);
    n1->SetImageIndex(3);
    n1->SetImageIndex(3);
    n1->SetSelectedIndex(4);
    EXPECT_EQ(repaints, 2);
    EXPECT_EQ(n1->ImageIndex(), 3);
    EXPECT_EQ(n1->SelectedIndex(), 4);
    EXPECT_EQ(n2->ImageIndex(), -1);
}

TEST(GridTree, FreeingTheTreeLeavesTheRowsAlone) {
    auto t = std::make_unique<TTreeGrid>();
    t->Add(t->Add());
    std::unique_ptr<TqoGridTree> tree = std::move(t->tree);
    tree.reset();
    EXPECT_EQ(t->g.Y()->Count(), 3);
    EXPECT_EQ(t->Events("remove"), "") << "no announcements while the tree goes";
}

} // namespace
} // namespace qo
