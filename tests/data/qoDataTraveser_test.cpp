// Walking one list, a row's layers or every row's layers as one sequence.
#include "data/qoDataTraveser.h"

#include "qoDataTestSupport.h"

#include <gtest/gtest.h>

namespace qo {
namespace {

using test::TOwned;
using Ints = std::vector<int>;

Ints Forward(TDataListTrav& trav) {
    Ints out;
    for (trav.First(); !trav.Eof(); trav.Next()) out.push_back(trav.DataEntity()->UserIntegerReference());
    return out;
}

Ints Backward(TDataListTrav& trav) {
    Ints out;
    for (trav.Last(); !trav.BOF(); trav.Prev()) out.push_back(trav.DataEntity()->UserIntegerReference());
    return out;
}

// Member list k holds entities numbered 10 * k + n.
class Traversal : public ::testing::Test {
protected:
    TqoDataList2lev* Layers(const std::vector<int>& counts) {
        TOwned<TqoDataList2lev> levels(new TqoDataList2lev);
        for (int count : counts) {
            const int k = int(lists.size());
            auto list = test::NewList(nullptr);
            for (int n = 0; n < count; ++n) list->Add()->SetUserIntegerReference(10 * k + n);
            levels->Add(list.get());
            lists.push_back(std::move(list));
        }
        twoLevels.push_back(std::move(levels));
        return twoLevels.back().get();
    }
    std::vector<TOwned<TqoDataList>> lists;
    std::vector<TOwned<TqoDataList2lev>> twoLevels;
};

struct TTravCase {
    const char* Name;
    std::vector<int> Counts;
    int MidStart; // used when Order is empty
    std::vector<int32_t> Order;
    Ints Expected;
};

class TraversalOrder : public Traversal, public ::testing::WithParamInterface<TTravCase> {};

TEST_P(TraversalOrder, VisitsForwardAndBackward) {
    const TTravCase& c = GetParam();
    TqoDataList2lev* layers = Layers(c.Counts);
    TDataListTrav trav = c.Order.empty() ? TDataListTrav::CreateMultiWithMidStart(layers, c.MidStart)
                                         : TDataListTrav::CreateMultiFromIntegerArray(layers, c.Order);
    EXPECT_EQ(Forward(trav), c.Expected);
    EXPECT_TRUE(trav.Eof());
    Ints reversed(c.Expected.rbegin(), c.Expected.rend());
    EXPECT_EQ(Backward(trav), reversed);
    EXPECT_TRUE(trav.BOF());
}

INSTANTIATE_TEST_SUITE_P(
    Traversal, TraversalOrder,
    ::testing::Values(TTravCase{"InOrder", {2, 1}, 0, {}, {0, 1, 10}},
                      TTravCase{"SkipsEmptyLists", {0, 2, 0, 1}, 0, {}, {10, 11, 30}},
                      TTravCase{"MidStartWraps", {1, 1, 1}, 1, {}, {10, 20, 0}},
                      TTravCase{"MidStartBeyondTheEndWraps", {1, 1, 1}, 5, {}, {20, 0, 10}},
                      TTravCase{"NothingToVisit", {0, 0}, 0, {}, {}},
                      TTravCase{"DrawingOrderSkipsMinusOne", {1, 1, 1}, 0, {2, -1, 0}, {20, 0}},
                      TTravCase{"DrawingOrderLongerThanTheMembers", {1, 1}, 0, {1, 0, 1, 0}, {10, 0}},
                      // One entry per layer, however many layers there are.
                      TTravCase{"ManyLayers",
                                {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
                                0,
                                {12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0},
                                {120, 110, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10, 0}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Traversal, SingleAndMultiListTraversals) {
    TqoDataList2lev* row0 = Layers({2, 0});
    TqoDataList2lev* row1 = Layers({1});
    TOwned<TqoDataList3lev> rows{new TqoDataList3lev};
    rows->Add(row0);
    rows->Add(row1);
    TDataListTrav all = TDataListTrav::CreateMultiList(rows.get());
    EXPECT_EQ(Forward(all), (Ints{0, 1, 20}));
    EXPECT_EQ(Backward(all), (Ints{20, 1, 0}));
    EXPECT_EQ(all.GetObsCountInList(0), 2);
    EXPECT_THROW(all.GetObsCountInList(2), EListError);

    TDataListTrav single(lists[0].get());
    EXPECT_EQ(Forward(single), (Ints{0, 1}));
    TDataListTrav empty(lists[1].get());
    empty.First();
    EXPECT_TRUE(empty.Eof());
    EXPECT_THROW(empty.DataEntity(), EListError);
}

TEST_F(Traversal, EntitiesAppendedAheadOfTheCursorAreVisited) {
    TqoDataList2lev* layers = Layers({2});
    TDataListTrav trav = TDataListTrav::CreateMulti(layers);
    Ints seen;
    for (trav.First(); !trav.Eof(); trav.Next()) {
        seen.push_back(trav.DataEntity()->UserIntegerReference());
        if (seen.size() == 1) lists[0]->Add()->SetUserIntegerReference(2);
    }
    EXPECT_EQ(seen, (Ints{0, 1, 2}));
}

} // namespace
} // namespace qo
