// Structure of one list: positions, moves between lists, order, visibility.
#include "qoDataTestSupport.h"

#include <gtest/gtest.h>

namespace qo {
namespace {

using test::NewList;
using test::NewNumberedList;
using test::Numbers;
using Ints = std::vector<int>;

void ExpectIndexesMatchPositions(TqoDataList& list) {
    for (int32_t i = 0; i < list.Count(); ++i) ASSERT_EQ(list.Items(i)->ListIndex(), i) << "at " << i;
}

TEST(DataList, NewEntityIsVisibleNotEditableAndOwned) {
    auto list = NewList(nullptr);
    TqoDataEntity* entity = list->Add();
    EXPECT_TRUE(entity->GetVisible());
    EXPECT_FALSE(entity->GetCanEdit());
    EXPECT_FALSE(entity->GetSelected());
    EXPECT_EQ(entity->OwningDataList(), list.get());
    EXPECT_EQ(entity->ListIndex(), 0);
    EXPECT_EQ(list->IndexOf(entity), 0);
}

TEST(DataList, ListIndexesFollowInsertsDeletesAndMoves) {
    auto list = NewNumberedList(nullptr, 10);
    list->Insert(0)->SetUserIntegerReference(100);
    list->Insert(5)->SetUserIntegerReference(105);
    list->Delete(2);
    list->Items(0)->Move(9);
    list->Items(8)->Move(1);
    EXPECT_EQ(Numbers(*list), (Ints{0, 8, 2, 3, 105, 4, 5, 6, 7, 100, 9}));
    ExpectIndexesMatchPositions(*list);
    // A cached index that was already read stays right after later changes.
    TqoDataEntity* last = list->Items(10);
    list->Delete(0);
    EXPECT_EQ(last->ListIndex(), 9);
}

// Removing entities one by one in any order, each found by its index: those
// before the first change answer at once, the others are renumbered.
TEST(DataList, RemovalsInAnyOrderFindTheRightEntities) {
    auto list = NewNumberedList(nullptr, 10);
    ExpectIndexesMatchPositions(*list);
    std::vector<TqoDataEntity*> e;
    for (int32_t i = 0; i < 10; ++i) e.push_back(list->Items(i));
    for (int n : {7, 3, 8, 0, 9}) list->Remove(e[size_t(n)]);
    EXPECT_EQ(Numbers(*list), (Ints{1, 2, 4, 5, 6}));
    EXPECT_EQ(e[6]->ListIndex(), 4);
    EXPECT_EQ(e[1]->ListIndex(), 0);
    e[6]->Move(0);
    list->Remove(e[1]);
    EXPECT_EQ(Numbers(*list), (Ints{6, 2, 4, 5}));
    ExpectIndexesMatchPositions(*list);
}

TEST(DataList, InsertAndMoveOutOfRangeRaiseListErrors) {
    auto list = NewNumberedList(nullptr, 3);
    EXPECT_THROW(list->Insert(4), EListError);
    EXPECT_THROW(list->Insert(-1), EListError);
    EXPECT_THROW(list->Items(0)->Move(3), EListError);
    EXPECT_THROW(list->Items(0)->Move(-1), EListError);
    EXPECT_EQ(Numbers(*list), (Ints{0, 1, 2}));
    list->Insert(3)->SetUserIntegerReference(3);
    EXPECT_EQ(Numbers(*list), (Ints{0, 1, 2, 3}));
}

TEST(DataList, ForeignEntityIsNeitherFoundNorRemoved) {
    auto list = NewNumberedList(nullptr, 3);
    auto other = NewNumberedList(nullptr, 3);
    EXPECT_EQ(list->IndexOf(nullptr), -1);
    EXPECT_EQ(list->IndexOf(other->Items(1)), -1);
    list->Remove(other->Items(1));
    list->Remove(nullptr);
    EXPECT_EQ(Numbers(*list), (Ints{0, 1, 2}));
    EXPECT_EQ(Numbers(*other), (Ints{0, 1, 2}));
}

TEST(DataList, ChangeOwnerKeepsIdentityAndRenumbersBothLists) {
    auto list = NewNumberedList(nullptr, 4);
    auto other = NewNumberedList(nullptr, 2);
    TqoDataEntity* moved = list->Items(1);
    moved->SetSelected(true);
    moved->ChangeOwner(other.get(), 1);
    EXPECT_EQ(moved->OwningDataList(), other.get());
    EXPECT_TRUE(moved->GetSelected());
    EXPECT_EQ(Numbers(*list), (Ints{0, 2, 3}));
    EXPECT_EQ(Numbers(*other), (Ints{0, 1, 1}));
    EXPECT_EQ(other->Items(1), moved);
    ExpectIndexesMatchPositions(*list);
    ExpectIndexesMatchPositions(*other);
    EXPECT_THROW(moved->ChangeOwner(list.get(), 4), EListError);
    EXPECT_EQ(moved->OwningDataList(), other.get());
}

class TOtherEntity : public TqoDataEntity {};

TEST(DataList, ChangeOwnerRefusalsDoNothing) {
    TqoListController controller;
    test::TEventLog log(controller);
    auto list = NewNumberedList(&controller, 2);
    auto foreign = NewList(&controller, TqoDataEntityClass::Of<TOtherEntity>());
    log.Take();
    TqoDataEntity* entity = list->Items(0);
    entity->ChangeOwner(foreign.get(), 0);
    entity->ChangeOwner(list.get(), 0);
    entity->ChangeOwner(nullptr, 0);
    EXPECT_TRUE(log.Lines.empty());
    EXPECT_EQ(foreign->Count(), 0);
    EXPECT_EQ(entity->OwningDataList(), list.get());
}

class DataListSort : public ::testing::Test {
protected:
    void SetUp() override {
        controller.SetOnSortCompare([](TqoDataEntity* a, TqoDataEntity* b) {
            return a->UserIntegerReference() - b->UserIntegerReference();
        });
        for (int n : {3, 1, 4, 0, 2}) list->Add()->SetUserIntegerReference(n);
    }
    TqoListController controller;
    test::TOwned<TqoDataList> list = NewList(&controller);
};

TEST_F(DataListSort, SortsBothWaysAndRenumbers) {
    list->Items(2)->SetSelected(true);
    list->Sort(false);
    EXPECT_EQ(Numbers(*list), (Ints{0, 1, 2, 3, 4}));
    ExpectIndexesMatchPositions(*list);
    list->Sort(true);
    EXPECT_EQ(Numbers(*list), (Ints{4, 3, 2, 1, 0}));
    ExpectIndexesMatchPositions(*list);
    EXPECT_TRUE(list->Items(0)->GetSelected());
}

TEST_F(DataListSort, CompareThatThrowsLeavesTheOrder) {
    controller.SetOnSortCompare([](TqoDataEntity*, TqoDataEntity*) -> int32_t { throw EqoError("compare"); });
    EXPECT_THROW(list->Sort(false), EqoError);
    EXPECT_EQ(Numbers(*list), (Ints{3, 1, 4, 0, 2}));
}

TEST_F(DataListSort, InconsistentCompareNeitherCrashesNorLosesEntities) {
    int calls = 0;
    controller.SetOnSortCompare([&calls](TqoDataEntity*, TqoDataEntity*) { return (++calls % 3) - 1; });
    for (int n = 5; n < 200; ++n) list->Add()->SetUserIntegerReference(n);
    list->Sort(false);
    Ints numbers = Numbers(*list);
    std::sort(numbers.begin(), numbers.end());
    for (int n = 0; n < 200; ++n) ASSERT_EQ(numbers[size_t(n)], n);
}

TEST_F(DataListSort, SortsOfTwoListsDoNotInterfere) {
    TqoListController otherController;
    auto other = NewNumberedList(&otherController, 3);
    // Sorting the other list from inside this list's comparison uses the other list's order.
    otherController.SetOnSortCompare([](TqoDataEntity* a, TqoDataEntity* b) {
        return b->UserIntegerReference() - a->UserIntegerReference();
    });
    controller.SetOnSortCompare([&](TqoDataEntity* a, TqoDataEntity* b) {
        other->Sort(false);
        return a->UserIntegerReference() - b->UserIntegerReference();
    });
    list->Sort(false);
    EXPECT_EQ(Numbers(*list), (Ints{0, 1, 2, 3, 4}));
    EXPECT_EQ(Numbers(*other), (Ints{2, 1, 0}));
}

struct TVisibleCase {
    const char* Name;
    std::vector<bool> Visible;
    std::vector<int32_t> ListToVisible; // for list indexes -1 .. n
    std::vector<int32_t> VisibleToList; // for visible indexes -1 .. n
};

class VisibleMapping : public ::testing::TestWithParam<TVisibleCase> {};

TEST_P(VisibleMapping, MapsBothWays) {
    const TVisibleCase& c = GetParam();
    auto list = NewList(nullptr);
    for (bool visible : c.Visible) list->Add()->SetVisible(visible);
    const int32_t n = int32_t(c.Visible.size());
    std::vector<int32_t> listToVisible, visibleToList;
    for (int32_t i = -1; i <= n; ++i) {
        listToVisible.push_back(list->ListIndexToVisibleIndex(i));
        visibleToList.push_back(list->VisibleIndexToListIndex(i));
    }
    EXPECT_EQ(listToVisible, c.ListToVisible);
    EXPECT_EQ(visibleToList, c.VisibleToList);
    EXPECT_EQ(list->VisibleCount(), int32_t(std::count(c.Visible.begin(), c.Visible.end(), true)));
    for (int32_t i = -1; i <= n; ++i)
        EXPECT_EQ(list->VisibleIndexDataEntity(i), i >= 0 && i < n && c.Visible[size_t(i)]);
}

INSTANTIATE_TEST_SUITE_P(
    DataList, VisibleMapping,
    ::testing::Values(TVisibleCase{"Empty", {}, {-1, -1}, {-1, -1}},
                      TVisibleCase{"AllVisible", {true, true}, {-1, 0, 1, 1}, {-1, 0, 1, -1}},
                      // Hidden entities map to the visible one before them.
                      TVisibleCase{
                          "Mixed", {false, true, false, true}, {-1, -1, 0, 0, 1, 1}, {0, 1, 3, -1, -1, -1}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DataList, FindAndSelectedIterationGoInListOrder) {
    auto list = NewNumberedList(nullptr, 5);
    EXPECT_EQ(list->FindDataEntity(nullptr), nullptr);
    EXPECT_EQ(list->FindDataEntity([](TqoDataEntity* e) { return e->UserIntegerReference() > 2; }),
              list->Items(3));
    EXPECT_EQ(list->FindDataEntity([](TqoDataEntity*) { return false; }), nullptr);
    list->Items(4)->SetSelected(true);
    list->Items(1)->SetSelected(true);
    Ints seen;
    list->IteratorOfSelectedDataEntities([&](TqoDataList* l, TqoDataEntity* e) {
        EXPECT_EQ(l, list.get());
        seen.push_back(e->UserIntegerReference());
    });
    EXPECT_EQ(seen, (Ints{1, 4}));
}

} // namespace
} // namespace qo
