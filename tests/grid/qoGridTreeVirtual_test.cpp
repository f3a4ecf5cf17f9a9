#include "platform/core/qoErrors.h"
#include "qoGridTree_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace qo {
namespace {

using test::TNode;
using test::TTreeGrid;

const TRect kScreen(0, 0, 100, 100); // about five rows

struct VirtualTreeRows : ::testing::Test {
    TTreeGrid t;
    void SetUp() override { t.ForwardVirtualRows(); }
    void ScrollTo(int top) {
        t.g.root->SetTop(top);
        t.g.root->CalcVisibleArea(kScreen);
    }
    // Every loaded row belongs to the root node at its place.
    void ExpectRowsOfTheirRootNodes() {
        TAxisContentList* y = t.g.Y();
        int rows = 0;
        for (int k = y->FixedItems(); k < y->LoadedCount(); ++k, ++rows) {
            const TNode* node = TqoGridTree::NodeOfRow(y->Loaded(k));
            ASSERT_TRUE(node) << "row " << y->LoadedToTrue(k);
            EXPECT_EQ(node->ParentNode(), nullptr);
            EXPECT_EQ(const_cast<TNode*>(node)->ListIndex(), y->LoadedToTrue(k) - y->FixedItems());
        }
        EXPECT_GT(rows, 0);
    }
};

TEST_F(VirtualTreeRows, AVirtualRootLevelIsLoadedAndUnloadedWithTheRows) {
    t.Root()->AddUnloaded(1000);
    EXPECT_EQ(t.Rows(), "~1000");
    ScrollTo(1);
    ExpectRowsOfTheirRootNodes();
    ScrollTo(500);
    ExpectRowsOfTheirRootNodes();
    ScrollTo(498); // loading in front of the window
    ExpectRowsOfTheirRootNodes();
    EXPECT_EQ(t.g.Y()->Count(), 1001);
    EXPECT_EQ(t.Root()->Count(), 1000);
    EXPECT_LT(t.Root()->LoadedCount(), 20) << "nodes without rows left memory";
    EXPECT_NE(t.Events("unload"), "");
    EXPECT_FALSE(t.tree->InGridReload());
    EXPECT_FALSE(t.tree->InGridUnload());
}

TEST_F(VirtualTreeRows, WholeTopLevelSubtreesUnloadAndOnlyTheirTopRowsStayCounted) {
    for (int i = 0; i < 300; ++i) t.Add();
    TNode* first = t.Root()->Node(0);
    for (int i = 0; i < 3; ++i) t.Add(first);
    first->SetExpanded(true);
    ScrollTo(1);
    EXPECT_EQ(t.g.Y()->Count(), 304);
    ScrollTo(200);
    EXPECT_EQ(t.g.Y()->Count(), 301) << "the three child rows left the grid, the top row is counted";
    const auto at = [&](const char* e) { return std::find(t.events.begin(), t.events.end(), e) - t.events.begin(); };
    EXPECT_LT(at("unload 303"), at("unload 1")) << "the children went before their parent";
    EXPECT_LT(at("unload 1"), ptrdiff_t(t.events.size()));
    EXPECT_EQ(t.Root()->Count(), 300);
    ExpectRowsOfTheirRootNodes();
    ScrollTo(1);
    ExpectRowsOfTheirRootNodes();
    EXPECT_FALSE(t.Root()->Node(0)->HasChildren()) << "a reloaded node is new, for the host to fill";
}

TEST(GridTreeVirtual, ARowThatMatchesNoNodeFailsAndLeavesEverythingAsItWas) {
    struct TCase {
        const char* name;
        std::function<TAxisContentItem*(TAxisContentList*)> makeRow;
        const char* message;
        const char* rows;
    };
    const TCase cases[] = {
        {"behind the last root node", [](TAxisContentList* y) { return y->AddNew(nullptr); },
         TqoGridTree::NoLoadedItemMessage, "1 2 ?"},
        {"in front: the root node at its place has a row",
         [](TAxisContentList* y) { return y->InsertNew(1, nullptr); }, TqoGridTree::UnloadedOrLoadedMessage, "? 1 2"},
    };
    for (const TCase& c : cases) {
        TTreeGrid t;
        TNode* a = t.Add();
        t.Add();
        TAxisContentItem* row = c.makeRow(t.g.Y());
        try {
            t.tree->_OnGridRowReload(row);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const EqoError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.name;
        }
        EXPECT_EQ(t.Rows(), c.rows) << c.name;
        EXPECT_EQ(TqoGridTree::NodeOfRow(a->AxisContentItem()), a) << c.name;
        EXPECT_FALSE(t.tree->InGridReload()) << c.name;
    }
}

TEST_F(VirtualTreeRows, ALoadThatFindsNoNodeFailsOutOfTheLoadAndTheTreeGoesOn) {
    t.g.Y()->AddUnloaded(3); // rows that no root node stands for
    try {
        ScrollTo(1);
        ADD_FAILURE() << "no error";
    } catch (const EqoError& e) {
        EXPECT_STREQ(e.what(), TqoGridTree::NoLoadedItemMessage);
    }
    EXPECT_FALSE(t.tree->InGridReload());
    TNode* node = t.Add();
    EXPECT_EQ(TqoGridTree::NodeOfRow(node->AxisContentItem()), node);
    EXPECT_EQ(node->AxisContentItem()->ListIndex(), 1);
}

TEST_F(VirtualTreeRows, DeletingUnloadedRowsDeletesTheirOwnRootNodes) {
    for (int i = 0; i < 5; ++i) t.Add();
    TNode* third = t.Root()->Node(2);
    for (int i = 0; i < 3; ++i) t.Add(third);
    third->SetExpanded(true);
    t.Root()->AddUnloaded(5);
    for (int i = 5; i < 10; ++i) t.Root()->Node(i); // in memory, their rows still unloaded
    EXPECT_EQ(t.Rows(), "1 2 3 6 7 8 4 5 ~5");
    // The first unloaded row behind the window is the sixth root node's, not the ninth.
    t.g.Y()->DeleteOfUnloaded(9, 9);
    std::string roots;
    for (int i = 0; i < t.Root()->Count(); ++i) roots += std::to_string(TTreeGrid::Id(t.Root()->Node(i))) + " ";
    EXPECT_EQ(roots, "1 2 3 4 5 10 11 12 13 ");
    EXPECT_EQ(t.Rows(), "1 2 3 6 7 8 4 5 ~4");
}

TEST_F(VirtualTreeRows, ClearingAVirtualRootLevelClearsEveryRowButTheHeader) {
    t.Add();
    t.Root()->AddUnloaded(10);
    EXPECT_EQ(t.Rows(), "1 ~10");
    t.Root()->Clear();
    EXPECT_EQ(t.Rows(), "");
    EXPECT_EQ(t.g.Y()->Count(), 1);
}

} // namespace
} // namespace qo
