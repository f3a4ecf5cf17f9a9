#include "platform/core/qoErrors.h"
#include "qoBabGridContent_test.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qo {
namespace {

using test::TTestGrid;

const TRect kScreen(0, 0, 100, 100); // five rows of 20 pixels and a bit

// One column, 1000 virtual rows, scrolled to row 100.
struct ScrolledRows : ::testing::Test {
    TTestGrid g;
    void SetUp() override {
        g.X()->AddNew(nullptr);
        g.Y()->AddUnloaded(1000);
        g.root->CalcVisibleArea(kScreen);
    }
    void ScrollTo(int top) {
        g.root->SetTop(top);
        g.root->CalcVisibleArea(kScreen);
    }
};

TEST_F(ScrolledRows, OffScreenRowsGoOnlyWhenTheOwnerLetsThem) {
    ScrollTo(100);
    EXPECT_EQ(g.Y()->LoadedCount(), 106) << "without the callback nothing is unloaded";
    g.AllowUnload();
    ScrollTo(101);
    EXPECT_EQ(g.Y()->LoadedCount(), 6);
    EXPECT_EQ(g.Y()->UnloadedPreCount(), 101);
    EXPECT_EQ(g.Y()->Count(), 1000);
    for (int i = 0; i < g.Y()->VisibleCount(); ++i) EXPECT_EQ(g.Y()->Visibles(i)->ListIndex(), 101 + i);
}

TEST_F(ScrolledRows, ARowWithASelectedCellStaysLoaded) {
    g.AllowUnload();
    ScrollTo(40);
    g.root->getCell(0, 42)->SetSelected(true);
    ScrollTo(100);
    EXPECT_EQ(g.Y()->UnloadedPreCount(), 42);
    EXPECT_TRUE(g.Y()->IsLoaded(42));
    EXPECT_TRUE(g.root->getCell(0, 42)->Selected());
}

TEST_F(ScrolledRows, ScrollingBackLoadsInFrontAndUnloadsAtTheBack) {
    g.AllowUnload();
    ScrollTo(500);
    ScrollTo(498);
    EXPECT_EQ(g.Y()->LoadedCount(), 6);
    EXPECT_EQ(g.Y()->Loaded(0)->ListIndex(), 498);
    EXPECT_EQ(g.Y()->Count(), 1000);
}

TEST_F(ScrolledRows, EndToEndAndBackTheWindowStaysSmall) {
    g.AllowUnload();
    size_t mostLoaded = 0;
    for (int top = 0; top < 1000; top += 3) {
        ScrollTo(top);
        mostLoaded = std::max<size_t>(mostLoaded, g.Y()->LoadedCount());
    }
    for (int top = 999; top >= 0; top -= 7) {
        ScrollTo(top);
        mostLoaded = std::max<size_t>(mostLoaded, g.Y()->LoadedCount());
    }
    EXPECT_LE(mostLoaded, 9u);
    EXPECT_EQ(g.Y()->Count(), 1000);
    EXPECT_EQ(g.Y()->Visibles(0)->ListIndex(), 5);
    EXPECT_EQ(g.Y()->UnloadedPreCount(), 5);
}

TEST(BabUnload, AnUnloadRangeGoesTogetherOrNotAtAll) {
    TTestGrid g;
    g.Fill(1, 10);
    g.root->OnUnloadIntervall = [](TBabGridCell*, TAxisContentItem*, bool, int& first, int& last) {
        first = first & ~1;
        last = first + 1;
    };
    g.root->OnVirtualUnLoad = [](TBabGridCell*, TAxisContentItem* item, bool, bool, bool& answer) {
        answer = item->ListIndex() != 5;
    };
    g.Y()->UnloadAll();
    EXPECT_EQ(g.Y()->UnloadedPreCount(), 4);
    EXPECT_EQ(g.Y()->UnloadedPostCount(), 4);
    EXPECT_EQ(g.Y()->Loaded(0)->ListIndex(), 4);
    EXPECT_EQ(g.Y()->Loaded(1)->ListIndex(), 5);
}

TEST(BabUnload, AnUnloadRangeEndingBeforeItStartsFails) {
    TTestGrid g;
    g.Fill(1, 3);
    g.AllowUnload();
    g.root->OnUnloadIntervall = [](TBabGridCell*, TAxisContentItem*, bool, int& first, int& last) {
        last = first - 1;
    };
    try {
        g.Y()->UnloadAll();
        FAIL() << "no error";
    } catch (const EqoError& e) {
        EXPECT_STREQ(e.what(), "Incorrect intervall");
    }
}

TEST(BabUnload, ItemsNotKeptLeaveTheAxis) {
    struct Case {
        bool keep;
        int count, pre, post;
    };
    for (const Case c : {Case{true, 10, 10, 0}, Case{false, 0, 0, 0}}) {
        TTestGrid g;
        g.Fill(2, 10);
        g.AllowUnload();
        int unloaded = 0;
        g.root->OnKeepAfterUnloadCheck = [&](TBabGridCell*, TAxisContentItem*, bool axis, bool& keep) {
            if (axis) keep = c.keep;
        };
        g.root->OnVirtualUnLoad = [&](TBabGridCell*, TAxisContentItem*, bool, bool perform, bool& answer) {
            answer = true;
            unloaded += perform;
        };
        g.Y()->UnloadAll();
        EXPECT_EQ(g.Y()->Count(), c.count) << c.keep;
        EXPECT_EQ(g.Y()->UnloadedPreCount(), c.pre) << c.keep;
        EXPECT_EQ(g.Y()->UnloadedPostCount(), c.post) << c.keep;
        EXPECT_EQ(unloaded, 10);
        EXPECT_EQ(g.root->CellMatris()->LoadedCountY(), 0);
    }
}

TEST(BabUnload, ItemsNotKeptInFrontRenumberTheRest) {
    TTestGrid g;
    g.Fill(1, 10);
    int performed = 0; // the first three rows go
    g.root->OnVirtualUnLoad = [&](TBabGridCell*, TAxisContentItem*, bool, bool perform, bool& answer) {
        performed += perform;
        answer = performed < 3;
    };
    g.root->OnKeepAfterUnloadCheck = [](TBabGridCell*, TAxisContentItem*, bool, bool& keep) { keep = false; };
    g.Y()->UnloadAll();
    EXPECT_EQ(g.Y()->Count(), 7);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(g.Y()->Loaded(i)->ListIndex(), i);
}

} // namespace
} // namespace qo
