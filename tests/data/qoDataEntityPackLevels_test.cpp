// Lists of lists and the selection operations across all their entities.
#include "qoDataTestSupport.h"

#include <gtest/gtest.h>

namespace qo {
namespace {

using test::NewNumberedList;
using test::TOwned;

// Member lists numbered so that entity n of list k carries 10 * k + n.
class TwoLevel : public ::testing::Test {
protected:
    void Build(const std::vector<int>& counts) {
        for (size_t k = 0; k < counts.size(); ++k) {
            auto list = test::NewList(&controller);
            for (int n = 0; n < counts[k]; ++n) list->Add()->SetUserIntegerReference(int(10 * k) + n);
            levels->Add(list.get());
            lists.push_back(std::move(list));
        }
    }
    void Select(std::initializer_list<int> numbers) {
        for (auto& list : lists)
            for (int32_t i = 0; i < list->Count(); ++i)
                for (int n : numbers)
                    if (list->Items(i)->UserIntegerReference() == n) list->Items(i)->SetSelected(true);
    }
    std::vector<int> Selected() {
        std::vector<int> out;
        for (auto& list : lists)
            list->IteratorOfSelectedDataEntities(
                [&](TqoDataList*, TqoDataEntity* e) { out.push_back(e->UserIntegerReference()); });
        return out;
    }
    TqoListController controller;
    std::vector<TOwned<TqoDataList>> lists;
    TOwned<TqoDataList2lev> levels{new TqoDataList2lev};
};

TEST_F(TwoLevel, MembersAreUniqueAndNeverOwned) {
    Build({2, 1});
    levels->Add(lists[0].get());
    EXPECT_EQ(levels->Count(), 2);
    EXPECT_EQ(levels->IndexOf(lists[1].get()), 1);
    levels->Remove(lists[0].get());
    EXPECT_EQ(levels->IndexOf(lists[0].get()), -1);
    levels->SetItems(0, lists[0].get());
    EXPECT_EQ(levels->Items(0), lists[0].get());
    EXPECT_THROW(levels->Items(1), EListError);
    EXPECT_THROW(levels->Delete(1), EListError);
    EXPECT_THROW(levels->SetItems(-1, nullptr), EListError);
    levels->Clear();
    EXPECT_EQ(levels->Count(), 0);
    EXPECT_EQ(lists[0]->Count(), 2);
}

TEST_F(TwoLevel, MissingIndexHandlerMayAddTheLists) {
    Build({1, 1, 1});
    levels->Clear();
    levels->SetOnMissingIndex([this](TqoDataList2lev* sender, int32_t i, bool& handled) {
        for (int32_t k = sender->Count(); k <= i && k < 3; ++k) sender->Add(lists[size_t(k)].get());
        handled = i < 3;
    });
    EXPECT_EQ(levels->Items(2), lists[2].get());
    EXPECT_EQ(levels->Count(), 3);
    EXPECT_EQ(levels->Items(5), nullptr);
}

struct TSelectCase {
    const char* Name;
    std::vector<int> Counts;
    std::vector<int> Before;
    std::vector<int> AfterNext;
    std::vector<int> AfterPrev;
};

class SelectStep : public TwoLevel, public ::testing::WithParamInterface<TSelectCase> {
protected:
    void Run(void (TqoDataList2lev::*step)(), const std::vector<int>& expected) {
        Build(GetParam().Counts);
        for (int n : GetParam().Before) Select({n});
        (levels.get()->*step)();
        EXPECT_EQ(Selected(), expected);
    }
};

TEST_P(SelectStep, Next) {
    Run(&TqoDataList2lev::SelectNext, GetParam().AfterNext);
}
TEST_P(SelectStep, Prev) {
    Run(&TqoDataList2lev::SelectPrev, GetParam().AfterPrev);
}

INSTANTIATE_TEST_SUITE_P(TwoLevel, SelectStep,
                         ::testing::Values(TSelectCase{"Empty", {}, {}, {}, {}},
                                           TSelectCase{"OnlyEmptyLists", {0, 0}, {}, {}, {}},
                                           TSelectCase{"NothingSelected", {2, 0, 1}, {}, {0}, {20}},
                                           TSelectCase{"AcrossAnEmptyList", {2, 0, 1}, {1}, {20}, {0}},
                                           TSelectCase{"WrapsAround", {2, 0, 1}, {20}, {0}, {1}},
                                           TSelectCase{"FirstWraps", {2, 0, 1}, {0}, {1}, {20}},
                                           TSelectCase{"SeveralLeaveOne", {3, 2}, {1, 2, 11}, {2}, {0}}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TwoLevel, FindSelectedAndSelectDataEntity) {
    Build({2, 2});
    EXPECT_EQ(levels->FindSelected(), nullptr);
    levels->SelectDataEntity(lists[1]->Items(0));
    levels->SelectDataEntity(lists[0]->Items(1));
    levels->SelectDataEntity(nullptr);
    EXPECT_EQ(levels->FindSelected(), lists[0]->Items(1));
    EXPECT_EQ(Selected(), (std::vector<int>{1, 10}));
    levels->ClearSelections();
    EXPECT_EQ(Selected(), std::vector<int>{});
}

TEST(ThreeLevel, KeepsDuplicatesAndOwnsNothing) {
    TOwned<TqoDataList3lev> rows{new TqoDataList3lev};
    TOwned<TqoDataList2lev> a{new TqoDataList2lev}, b{new TqoDataList2lev};
    rows->Add(a.get());
    rows->Add(b.get());
    rows->Add(a.get());
    EXPECT_EQ(rows->Count(), 3);
    EXPECT_EQ(rows->IndexOf(a.get()), 0);
    rows->Remove(a.get());
    EXPECT_EQ(rows->Items(1), a.get());
    rows->SetItems(1, b.get());
    rows->Delete(0);
    EXPECT_EQ(rows->Items(0), b.get());
    EXPECT_THROW(rows->Items(1), EListError);
    EXPECT_THROW(rows->Delete(-1), EListError);
    EXPECT_EQ(rows->IndexOf(nullptr), -1);
}

} // namespace
} // namespace qo
