#include "platform/core/qoErrors.h"
#include "qoBabGridContent_test.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace qo {
namespace {

using test::TTestGrid;

// The values of the loaded items, in loaded order, as letters; checks every ListIndex on the way.
std::string Order(TAxisContentList* axis) {
    std::string s;
    for (int i = 0; i < axis->LoadedCount(); ++i) {
        TAxisContentItem* item = axis->Loaded(i);
        EXPECT_EQ(item->ListIndex(), axis->LoadedToTrue(i));
        s += item->Value() ? *static_cast<char*>(item->Value()) : '-';
    }
    return s;
}

// One fixed row and 1000 virtual ones; touching row 700 puts the window there.
void MakeVirtualRows(TTestGrid& g, std::vector<int>& loads) {
    g.Y()->AddNew(nullptr);
    g.root->SetFixedRows(1);
    g.Y()->AddUnloaded(1000);
    g.root->OnVirtualLoad = [&loads](TBabGridCell*, TAxisContentItem* item, bool axis) {
        EXPECT_TRUE(axis);
        loads.push_back(item->ListIndex());
    };
    g.Y()->Items(700);
}

struct VirtualRows : ::testing::Test {
    TTestGrid g;
    std::vector<int> loads;
    void SetUp() override { MakeVirtualRows(g, loads); }
};

TEST_F(VirtualRows, FarTouchLoadsAWindowAtTheIndexAndKeepsTheCount) {
    TAxisContentList* y = g.Y();
    EXPECT_EQ(y->Count(), 1001);
    EXPECT_EQ(y->LoadedCount(), 2);
    EXPECT_EQ(y->UnloadedPreCount(), 699);
    EXPECT_EQ(y->UnloadedPostCount(), 300);
    EXPECT_EQ(loads, std::vector<int>{700});
    const std::pair<int, bool> loaded[] = {{-1, false}, {0, true},    {1, false},    {699, false},
                                           {700, true}, {701, false}, {1000, false}, {1001, false}};
    for (auto [index, isLoaded] : loaded) EXPECT_EQ(y->IsLoaded(index), isLoaded) << index;
    EXPECT_EQ(y->TrueToLoaded(700), 1);
    EXPECT_EQ(y->LoadedToTrue(1), 700);
    EXPECT_EQ(y->Loaded(1)->ListIndex(), 700);
    EXPECT_EQ(y->Items(1001), nullptr);
}

TEST_F(VirtualRows, FrontLoadsEndInOrderAndAreAnnouncedFromTheLast) {
    g.Y()->Items(697);
    EXPECT_EQ(loads, (std::vector<int>{700, 699, 698, 697}));
    EXPECT_TRUE(g.Y()->LoadOperationInFront());
    for (int i = 1; i < g.Y()->LoadedCount(); ++i) EXPECT_EQ(g.Y()->Loaded(i)->ListIndex(), 696 + i);
    EXPECT_EQ(g.Y()->Count(), 1001);
}

TEST_F(VirtualRows, BackLoadsAreAnnouncedInOrder) {
    g.Y()->Items(703);
    EXPECT_EQ(loads, (std::vector<int>{700, 701, 702, 703}));
    EXPECT_FALSE(g.Y()->LoadOperationInFront());
}

TEST(BabAxis, FarTouchWithSeveralFixedItemsStartsTheWindowAtTheIndex) {
    TTestGrid g;
    g.Y()->AddNew(nullptr);
    g.Y()->AddNew(nullptr);
    g.root->SetFixedRows(2);
    g.Y()->AddUnloaded(1000);
    TAxisContentItem* last = g.Y()->Items(1001);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->ListIndex(), 1001);
    EXPECT_EQ(g.Y()->Count(), 1002);
    EXPECT_EQ(g.Y()->UnloadedPostCount(), 0);
    EXPECT_EQ(g.Y()->UnloadedPreCount(), 999);
}

TEST(BabAxis, ClearingReportsTheTrueIndexesOfTheUnloadedItems) {
    struct Case {
        bool keepFixed;
        std::vector<std::pair<int, int>> reported;
        int count;
    };
    // The receiver takes the fixed count off: with or without the fixed items, the same rows.
    const Case cases[] = {{true, {{700, 999}, {1, 699}}, 1}, {false, {{700, 999}, {1, 699}}, 0}};
    for (const Case& c : cases) {
        TTestGrid g;
        std::vector<int> loads;
        MakeVirtualRows(g, loads);
        std::vector<std::pair<int, int>> reported;
        g.root->OnDeleteOfUnloaded = [&](TBabGridCell*, bool axis, int& first, int& last) {
            EXPECT_TRUE(axis);
            reported.emplace_back(first, last);
        };
        c.keepFixed ? g.Y()->ClearKeepFixedItems() : g.Y()->Clear();
        EXPECT_EQ(reported, c.reported) << c.keepFixed;
        EXPECT_EQ(g.Y()->Count(), c.count) << c.keepFixed;
        EXPECT_EQ(g.Y()->UnloadedPreCount() + g.Y()->UnloadedPostCount(), 0);
    }
}

TEST_F(VirtualRows, InsertingFromALoadCallbackFails) {
    g.root->OnVirtualLoad = [this](TBabGridCell*, TAxisContentItem*, bool) { g.Y()->InsertNew(1, nullptr); };
    try {
        g.Y()->Items(701);
        FAIL() << "no error";
    } catch (const EqoError& e) {
        EXPECT_STREQ(e.what(), "Not allowed to add items during load");
    }
    g.root->OnVirtualLoad = nullptr;
    EXPECT_NO_THROW(g.Y()->InsertNew(1, nullptr)); // the load has ended, also after the error
}

TEST_F(VirtualRows, DroppingUnloadedItemsOnlyCounts) {
    g.Y()->Drop(5);   // before the window
    g.Y()->Drop(999); // after it (now the last)
    EXPECT_EQ(g.Y()->UnloadedPreCount(), 698);
    EXPECT_EQ(g.Y()->UnloadedPostCount(), 299);
    EXPECT_EQ(g.Y()->Loaded(1)->ListIndex(), 699);
}

TEST(BabAxis, MovingFarAcrossAVirtualAxisTakesTheItemAndItsCellsAlong) {
    const struct {
        int from, to;
    } cases[] = {{700, 5}, {700, 1000}, {3, 900}, {3, 1000}, {700, 1}};
    for (const auto& c : cases) {
        TTestGrid g;
        std::vector<int> loads;
        MakeVirtualRows(g, loads);
        g.X()->AddNew(nullptr);
        g.AllowUnload();
        TAxisContentItem* item = g.Y()->Items(c.from);
        TBabCell* cell = g.root->getCell(0, c.from);
        g.Y()->Move(c.from, c.to);
        EXPECT_EQ(g.Y()->Count(), 1001) << c.from << ">" << c.to;
        EXPECT_EQ(g.Y()->Items(c.to), item) << c.from << ">" << c.to;
        EXPECT_EQ(item->ListIndex(), c.to);
        EXPECT_EQ(g.root->getCell(0, c.to), cell);
        EXPECT_EQ(cell->RowIndex(), c.to);
        EXPECT_LE(g.Y()->LoadedCount(), TAxisContentList::MaxLoadedItems + 2);
        EXPECT_EQ(g.root->CellMatris()->LoadedCountY(), g.Y()->LoadedCount());
        Order(g.Y());
    }
}

TEST_F(VirtualRows, AFarMoveThatTheOwnerFailsLosesNothing) {
    g.X()->AddNew(nullptr);
    g.AllowUnload();
    TAxisContentItem* item = g.Y()->Items(700);
    g.root->OnVirtualLoad = [](TBabGridCell*, TAxisContentItem*, bool) { throw EqoError("No loadeditem found"); };
    EXPECT_THROW(g.Y()->Move(700, 5), EqoError);
    EXPECT_EQ(g.Y()->Count(), 1001);
    EXPECT_EQ(g.Y()->Items(item->ListIndex()), item);
    EXPECT_EQ(g.root->CellMatris()->LoadedCountY(), g.Y()->LoadedCount());
    Order(g.Y());
}

TEST(BabAxis, InsertMoveAndDropKeepIndexesInStep) {
    TTestGrid g;
    static char letters[] = "abcdex";
    for (int i = 0; i < 5; ++i) g.X()->AddNew(&letters[i]);
    g.X()->InsertNew(1, &letters[5]);
    EXPECT_EQ(Order(g.X()), "axbcde");
    g.X()->Move(0, 4);
    EXPECT_EQ(Order(g.X()), "xbcdae");
    g.X()->Move(5, 1);
    EXPECT_EQ(Order(g.X()), "xebcda");
    g.X()->Drop(2);
    EXPECT_EQ(Order(g.X()), "xecda");
    EXPECT_EQ(g.root->CellMatris()->LoadedCountX(), 5);
    EXPECT_THROW(g.X()->Move(0, 5), EListError);
}

TEST(BabAxis, CellsFollowTheirColumnsAndRowsAndReportTheirEnd) {
    TTestGrid g;
    g.Fill(3, 3);
    std::vector<TBabCell*> ended;
    g.root->OnCellDeInit = [&](TBabCell* cell) { ended.push_back(cell); };
    TBabCell* corner = g.root->getCell(0, 0);
    TBabCell* middle = g.root->getCell(1, 1);
    g.X()->Move(0, 2);
    g.Y()->Move(0, 1);
    EXPECT_EQ(g.root->getCell(2, 1), corner);
    EXPECT_EQ(corner->ColumnIndex(), 2);
    EXPECT_EQ(corner->RowIndex(), 1);
    g.Y()->Drop(0); // the row that now holds the old middle cell
    EXPECT_EQ(ended, std::vector<TBabCell*>{middle});
    g.root.reset();
    EXPECT_EQ(ended.size(), 2u) << "the corner cell too, when the grid goes";
}

TEST(BabAxis, ScrollPositionsStayOffTheFixedItemsAndAnnounceChanges) {
    TTestGrid g;
    g.Fill(5, 5);
    int changes = 0;
    TSingleEventListener listener(
        g.root->TopLeftChangedEvent(), [&](TSingleEventListener*) { ++changes; }, false);
    g.root->SetFixedRows(2);
    EXPECT_EQ(g.root->Top(), 2);
    g.root->SetTop(-5);
    g.root->SetTop(3);
    g.root->SetTop(3);
    EXPECT_EQ(g.root->Top(), 3);
    EXPECT_EQ(changes, 2);
    g.Y()->Items(2)->SetHide(true);
    EXPECT_EQ(g.root->Top_ScrollVal(), 2);
}

TEST(BabAxis, TheMailboxValueReplacesTheNextInsertedOnesOnce) {
    TTestGrid g;
    static char a = 'a', m = 'm';
    g.Y()->SetNextItemReferenceMailbox(&m);
    g.Y()->InsertNew(0, &a);
    g.Y()->InsertNew(0, &a);
    EXPECT_EQ(Order(g.Y()), "am");
    EXPECT_EQ(g.Y()->NextItemReferenceMailbox(), nullptr);
}

TEST(BabAxis, DroppingTheLeftColumnNeverScrollsIntoTheFixedOnes) {
    TTestGrid g;
    g.Fill(5, 1);
    g.root->SetFixedCols(1);
    g.root->SetLeft(4);
    g.X()->Drop(4);
    EXPECT_EQ(g.root->Left(), 1);
}

TEST(BabAxis, HiddenItemsAreSkippedByVisibleIndexes) {
    TTestGrid g;
    g.Fill(1, 10);
    g.root->SetFixedRows(1);
    int changes = 0;
    TSingleEventListener listener(
        g.root->AxisChangeEvent(), [&](TSingleEventListener*) { ++changes; }, false);
    g.Y()->Items(3)->SetHide(true);
    g.Y()->Items(4)->SetHide(true);
    g.Y()->Items(4)->SetHide(true); // unchanged: no event
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(g.Y()->HiddenRowCount(), 2);
    const std::pair<int, int> trueToVisible[] = {{0, 0}, {3, 3}, {5, 3}, {9, 7}};
    for (auto [t, v] : trueToVisible) EXPECT_EQ(g.Y()->Convert_TrueIndexToVisible(t), v) << t;
    const std::pair<int, int> visibleToTrue[] = {{0, 0}, {1, 1}, {2, 2}, {3, 5}, {7, 9}, {100, 9}};
    for (auto [v, t] : visibleToTrue) EXPECT_EQ(g.Y()->Convert_VisibleIndexToTrue(v), t) << v;
    EXPECT_EQ(TTestGrid().Y()->Convert_VisibleIndexToTrue(0), -1);
}

TEST(BabAxis, ASharedUserSizeIsSeenByEveryItemAndAnnounced) {
    TTestGrid g;
    g.Fill(2, 0);
    TUserSizeItem shared;
    g.X()->Items(0)->SetUserSizeItem(&shared);
    g.X()->Items(1)->SetUserSizeItem(&shared);
    std::vector<TBabObject*> senders;
    TSingleEventListener listener(
        g.root->UserSizeEvent(), [&](TSingleEventListener* l) { senders.push_back(l->CallingMessage()); },
        false);
    g.X()->Items(0)->SetUserSize(77);
    g.X()->Items(0)->SetUserSizeActive(true);
    EXPECT_EQ(g.X()->Items(1)->UserSize(), 77);
    EXPECT_TRUE(g.X()->Items(1)->UserSizeActive());
    EXPECT_EQ(senders, std::vector<TBabObject*>{g.X()->Items(0)});
}

} // namespace
} // namespace qo
