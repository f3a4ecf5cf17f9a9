// What a list was made with (its controller, its class of entities) and what
// a program pinned on it stay with it through every change of its window:
// reordering, gaps, entities unloaded in front, and the way back to a plain list.
#include "qoDataTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace qo {
namespace {

using test::NewList;
using test::NewNumberedList;
using test::Numbers;
using test::TEventLog;
using Ints = std::vector<int>;

class TMarkedEntity : public test::TCountedEntity {};

struct TKindCase {
    const char* Name;
    // On a list numbered 0..9 made with TMarkedEntity.
    std::function<void(TqoDataList&)> Act;
    Ints Expected;
};

class KindThroughChanges : public ::testing::TestWithParam<TKindCase> {};

TEST_P(KindThroughChanges, ControllerClassAndMiscPointerStay) {
    TqoListController controller;
    TEventLog log(controller);
    controller.SetOnSortCompare([](TqoDataEntity* a, TqoDataEntity* b) {
        return a->UserIntegerReference() - b->UserIntegerReference();
    });
    auto list = NewList(&controller, TqoDataEntityClass::Of<TMarkedEntity>());
    for (int i = 0; i < 10; ++i) list->Add()->SetUserIntegerReference(i);
    int pinned = 0;
    list->SetMiscObjectPointer(&pinned);
    GetParam().Act(*list);
    list->SetMiscObjectPointer(nullptr);
    list->SetMiscObjectPointer(&pinned);

    ASSERT_EQ(Numbers(*list), GetParam().Expected);
    for (int32_t i = 0; i < list->Count(); ++i) EXPECT_EQ(list->Items(i)->ListIndex(), i);
    log.Take();
    TqoDataEntity* added = list->Add();
    ASSERT_NE(added, nullptr);
    added->SetUserIntegerReference(99);
    EXPECT_NE(dynamic_cast<TMarkedEntity*>(added), nullptr);
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"Visible 0", "Insert 0", "Content " + std::to_string(list->Count())}));
    EXPECT_EQ(list->ListController(), &controller);
    EXPECT_EQ(list->MiscObjectPointer(), &pinned);
}

INSTANTIATE_TEST_SUITE_P(
    DataList, KindThroughChanges,
    ::testing::Values(
        TKindCase{"Untouched", [](TqoDataList&) {}, Ints{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        TKindCase{"SortedThenRenumbered",
                  [](TqoDataList& l) {
                      l.Sort(true);
                      l.EnsureListIndexes();
                  },
                  Ints{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}},
        TKindCase{"GapsClosedByAReadPastThem",
                  [](TqoDataList& l) {
                      l.Delete(2);
                      l.Delete(5);
                      l.Items(7);
                  },
                  Ints{0, 1, 3, 4, 5, 7, 8, 9}},
        TKindCase{"InsertedInFrontThenMoved",
                  [](TqoDataList& l) {
                      l.Insert(0)->SetUserIntegerReference(-1);
                      l.Items(3)->Move(9);
                  },
                  Ints{-1, 0, 1, 3, 4, 5, 6, 7, 8, 2, 9}},
        TKindCase{"ClearedThenFilledAgain",
                  [](TqoDataList& l) {
                      l.Delete(4);
                      l.Clear();
                      for (int i = 0; i < 3; ++i) l.Add()->SetUserIntegerReference(i);
                  },
                  Ints{0, 1, 2}}),
    [](const auto& info) { return std::string(info.param.Name); });

// Entities unloaded in front of the window are read through the slow path and
// counted; once loaded again the list reads as a plain one.
TEST(DataList, WindowMovedAwayFromTheStartAndBack) {
    TqoListController controller;
    TEventLog log(controller);
    log.AllowUnload = true;
    auto list = NewList(&controller);
    list->AddUnloaded(3 * TqoDataList::kLoadWindow);
    ASSERT_NE(list->Items(2 * TqoDataList::kLoadWindow), nullptr);
    EXPECT_GT(list->UnloadedPreCount(), 0);
    EXPECT_EQ(list->Items(2 * TqoDataList::kLoadWindow)->UserIntegerReference(), 2 * TqoDataList::kLoadWindow);
    ASSERT_NE(list->Items(1), nullptr);
    ASSERT_NE(list->Items(0), nullptr);
    EXPECT_EQ(list->UnloadedPreCount(), 0);
    for (int32_t i : {0, 1, 2}) EXPECT_EQ(list->Items(i)->UserIntegerReference(), i);
    EXPECT_EQ(list->Items(-1), nullptr);
    EXPECT_EQ(list->Items(list->Count()), nullptr);
}

// Lists of one controller that hold different classes each keep their own;
// events assigned anew to the controller reach lists made before.
TEST(DataList, ListsOfOneControllerKeepTheirOwnClass) {
    TqoListController controller;
    auto plain = NewList(&controller);
    auto preselected = NewList(&controller, TqoDataEntityClass::Of<test::TPreselectedEntity>());
    controller = TqoListController{};
    int inserts = 0;
    controller.SetOnInsertItem([&](TqoDataEntity*) { ++inserts; });
    EXPECT_FALSE(plain->Add()->GetSelected());
    EXPECT_TRUE(preselected->Add()->GetSelected());
    EXPECT_EQ(inserts, 2);
    EXPECT_TRUE(preselected->DataEntityClass() == TqoDataEntityClass::Of<test::TPreselectedEntity>());
}

} // namespace
} // namespace qo
