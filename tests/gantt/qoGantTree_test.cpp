// The tree that heads the rows: its vertical scrolling shown on a scroll bar
// beside the chart and driven from it, the wheel that moves the current row
// rather than the scroll position, and the chart told of every change.
#include "qoGantRowFixture.h"

#include "data/qoDoLater.h"
#include "platform/widgets/qoScrollBar.h"

namespace qo {
namespace {

class GantTree : public test::TGantRowFixture {
protected:
    GantTree() {
        bar = new TScrollBar(&form);
        bar->SetKind(sbVertical);
        bar->SetParent(&form);
        bar->SetBoundsRect(TRect::Bounds(200, 0, 17, 100));
        tree->SetVertScrollExternal(bar);
    }
    ~GantTree() override {
        tree->SetVertScrollExternal(nullptr);
        delete bar;
    }
    void AddRows(int n) {
        for (int i = 0; i < n; ++i) Add(nullptr, "r" + std::to_string(i));
        Settle();
    }
    void Settle() {
        tree->EnsureDisplayUpToDate();
        TDoLater::DoAllNow();
    }
    std::string Current() {
        TqoDataEntity_Tree* e = tree->CurrentDataEntity();
        return e ? std::string(e->Text()) : "nil";
    }
    TScrollBar* bar;
};

TEST_F(GantTree, TheExternalBarMirrorsTheTreesScrollingAndDrivesIt) {
    AddRows(30);
    // 5 rows of 20 fit the 100 pixels.
    EXPECT_TRUE(bar->Enabled());
    EXPECT_EQ(bar->Max(), 29);
    EXPECT_EQ(bar->PageSize(), 5);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(tree->ScrollBar(sbVertical), nullptr) << "the tree shows no bar of its own";
    EXPECT_NE(std::find(gant.Log.begin(), gant.Log.end(), "align"), gant.Log.end());
    EXPECT_EQ(gant.Log.back(), "realign");

    harness.Click(*bar, {8, 60}); // a page down
    Settle();
    EXPECT_EQ(tree->TopItem()->Text(), "r5");
    EXPECT_EQ(bar->Position(), 5);
    EXPECT_EQ(Rows().FindRowFromY(10)->TreeNode()->Text(), "r5") << "the rows follow the tree";

    tree->SetTopItem(tree->RootDataEntities()->Item(20));
    Settle();
    EXPECT_EQ(bar->Position(), 20) << "and the bar follows the tree";
}

TEST_F(GantTree, TheBarIsDisabledWhileEveryRowFits) {
    AddRows(3);
    EXPECT_FALSE(bar->Enabled());
    AddRows(10);
    EXPECT_TRUE(bar->Enabled());
    tree->Clear();
    Settle();
    EXPECT_FALSE(bar->Enabled());
    EXPECT_EQ(Rows().Count(), 0);
}

TEST_F(GantTree, TheWheelMovesTheCurrentRowNotTheScrollPosition) {
    AddRows(30);
    harness.Wheel(*tree, {20, 20}, -120);
    Settle();
    EXPECT_EQ(Current(), "r1") << "without a current row the top one becomes current, then the next";
    harness.Wheel(*tree, {20, 20}, -120);
    Settle();
    EXPECT_EQ(Current(), "r2");
    EXPECT_EQ(tree->TopItem()->Text(), "r0");
    EXPECT_TRUE(tree->RootDataEntities()->Item(2)->GetSelected());
    EXPECT_FALSE(tree->RootDataEntities()->Item(1)->GetSelected());
    harness.Wheel(*tree, {20, 20}, 120);
    Settle();
    EXPECT_EQ(Current(), "r1");
    tree->Scroll(0);
    Settle();
    EXPECT_EQ(Current(), "r1");
    for (int i = 0; i < 3; ++i) tree->Scroll(-1);
    Settle();
    EXPECT_EQ(Current(), "r0") << "nothing before the first row";
    EXPECT_NE(std::find(gant.Log.begin(), gant.Log.end(), "change"), gant.Log.end());
}

TEST_F(GantTree, ExpandingAndCollapsingMoveTheRowsBesideTheTree) {
    Build();
    gant.Log.clear();
    const int invalidations = gant.Invalidations;
    a->SetExpanded(true);
    tree->EnsureDisplayUpToDate();
    EXPECT_EQ(gant.Log.front(), "refresh");
    Rows().GeometryChanged();
    EXPECT_EQ(Rows().FindRowFromY(70)->TreeNode(), b);
    gant.Log.clear();
    a->SetExpanded(false);
    tree->EnsureDisplayUpToDate();
    EXPECT_EQ(gant.Log.front(), "refresh");
    b->SetVisible(false);
    EXPECT_GT(gant.Invalidations, invalidations);
}

} // namespace
} // namespace qo
