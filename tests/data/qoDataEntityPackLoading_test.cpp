// Virtual loading: entities that are counted but created only when asked for.
#include "qoDataTestSupport.h"

#include <gtest/gtest.h>

namespace qo {
namespace {

using test::NewList;
using Lines = std::vector<std::string>;

class VirtualList : public ::testing::Test {
protected:
    // Every loaded entity must know its place: the load handler stamped it.
    void ExpectWindowConsistent() {
        EXPECT_EQ(list->Count(), list->UnloadedPreCount() + list->LoadedCount() + list->UnloadedPostCount());
        for (int32_t k = 0; k < list->LoadedCount(); ++k) {
            TqoDataEntity* e = list->Loaded(k);
            ASSERT_EQ(e->ListIndex(), list->UnloadedPreCount() + k);
            ASSERT_EQ(e->UserIntegerReference(), e->ListIndex());
        }
    }
    void LoadWindow(int32_t from, int32_t to) {
        for (int32_t i = from; i <= to; ++i) list->Items(i);
        log.Take();
    }
    TqoListController controller;
    test::TEventLog log{controller};
    test::TOwned<TqoDataList> list = NewList(&controller);
};

TEST_F(VirtualList, LoadsOnlyWhatIsAskedForAndGrowsTheWindow) {
    list->AddUnloaded(1000);
    EXPECT_EQ(log.Take(), (Lines{"Content 1000", "UnloadedContent"}));
    EXPECT_EQ(list->Count(), 1000);
    EXPECT_EQ(list->LoadedCount(), 0);

    list->Items(700);
    EXPECT_EQ(log.Take(), (Lines{"Visible 0", "Load 700"}));
    EXPECT_EQ(list->UnloadedPreCount(), 700);
    list->Items(699);
    EXPECT_EQ(log.Take(), (Lines{"Visible 0", "Load 699"}));
    list->Items(703);
    EXPECT_EQ(log.Take(), (Lines{"Visible 0", "Visible 0", "Visible 0", "Load 701", "Load 702", "Load 703"}));
    list->Items(696);
    EXPECT_EQ(log.Take(), (Lines{"Visible 0", "Visible 0", "Visible 0", "Load 698", "Load 697", "Load 696"}));
    EXPECT_EQ(list->LoadedCount(), 8);
    EXPECT_EQ(list->Items(1000), nullptr);
    EXPECT_EQ(list->Items(-1), nullptr);
    ExpectWindowConsistent();
}

TEST_F(VirtualList, LongStepUnloadsTheWindowAndRestartsAtTheTarget) {
    list->AddUnloaded(1000);
    LoadWindow(700, 702);
    log.AllowUnload = true;
    list->Items(701)->SetSelected(true);
    log.Take();
    list->Items(0);
    EXPECT_EQ(log.Take(), (Lines{"Deselect 701", "MayUnload 700", "Delete 700", "Content 1000",
                                 "MayUnload 701", "Delete 701", "Content 1000", "MayUnload 702", "Delete 702",
                                 "Content 1000", "Visible 0", "Load 0"}));
    EXPECT_EQ(list->LoadedCount(), 1);
    EXPECT_EQ(list->UnloadedPostCount(), 999);
    ExpectWindowConsistent();
}

TEST_F(VirtualList, WithoutUnloadHandlerALongStepLoadsTheWholeRangeButClearsSelections) {
    controller.SetOnUnLoadItem(nullptr);
    list->AddUnloaded(1000);
    LoadWindow(900, 900);
    list->Items(900)->SetSelected(true);
    list->Items(100);
    EXPECT_FALSE(list->Items(900)->GetSelected());
    EXPECT_EQ(list->LoadedCount(), 801);
    ExpectWindowConsistent();
}

TEST_F(VirtualList, PartialUnloadLoadsTheRangeLeftByTheWindow) {
    list->AddUnloaded(1000);
    LoadWindow(699, 702);
    controller.SetOnUnLoadItem([](TqoDataEntity* e, bool& may) { may = e->UserIntegerReference() != 702; });
    list->Items(0);
    EXPECT_EQ(list->UnloadedPreCount(), 0);
    EXPECT_EQ(list->LoadedCount(), 703);
    ExpectWindowConsistent();
    for (int32_t i = 0; i <= 702; ++i) ASSERT_EQ(list->Items(i)->UserIntegerReference(), i);
}

TEST_F(VirtualList, PurgeStopsAtTheFirstRefusalOnEachSide) {
    list->AddUnloaded(10);
    LoadWindow(3, 7);
    controller.SetOnUnLoadItem([](TqoDataEntity* e, bool& may) { may = e->UserIntegerReference() != 5; });
    list->Purge();
    EXPECT_EQ(list->UnloadedPreCount(), 5);
    EXPECT_EQ(list->LoadedCount(), 1);
    EXPECT_EQ(list->UnloadedPostCount(), 4);
    ExpectWindowConsistent();
}

TEST_F(VirtualList, DeletingUnloadedIndexesOnlyCountsAndKeepsLoadedIndexesRight) {
    list->AddUnloaded(20);
    LoadWindow(10, 12);
    list->Delete(15);
    list->Delete(3);
    EXPECT_TRUE(log.Lines.empty());
    EXPECT_EQ(list->Count(), 18);
    EXPECT_EQ(list->Items(9)->ListIndex(), 9);
    EXPECT_EQ(list->Loaded(0)->UserIntegerReference(), 10); // loaded as 10, now at 9
}

TEST_F(VirtualList, InsertJoinsTheWindowAndClearForgetsTheCounts) {
    list->AddUnloaded(1000);
    list->Add();
    EXPECT_EQ(list->Count(), 1001);
    EXPECT_EQ(list->LoadedCount(), 2);
    list->Insert(500);
    EXPECT_TRUE(list->IsLoaded(500));
    EXPECT_EQ(list->Count(), 1002);
    log.Take();
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(log.Lines.back(), "UnloadedContent");
}

TEST_F(VirtualList, SortAndMoveKeepEveryEntityAlive) {
    list->AddUnloaded(1200);
    log.AllowUnload = true;
    controller.SetOnSortCompare([](TqoDataEntity* a, TqoDataEntity* b) {
        return b->UserIntegerReference() - a->UserIntegerReference();
    });
    list->Sort(false);
    ASSERT_EQ(list->LoadedCount(), 1200);
    EXPECT_EQ(list->Items(0)->UserIntegerReference(), 1199);
    list->Purge();
    LoadWindow(0, 0);
    TqoDataEntity* first = list->Items(0);
    first->Move(1100);
    EXPECT_EQ(list->Items(1100), first);
    EXPECT_EQ(first->ListIndex(), 1100);
}

} // namespace
} // namespace qo
