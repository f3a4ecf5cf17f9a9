// The count index against a plain list of counts: prefixes and the child at
// a row or an absolute index, after appends, removals from the end, changes
// and rebuilds, across several blocks and at their edges.
#include "platform/widgets/qoTreeCountIndex.h"

#include <gtest/gtest.h>

#include <random>

namespace qo {

namespace {
void CheckAgainstList(const TTreeCountIndex& index, const std::vector<TTreeCounts>& list, const std::string& step) {
    const auto countsOf = [&list](int32_t i) { return list[size_t(i)]; };
    ASSERT_EQ(index.Size(), int32_t(list.size())) << step;
    TTreeCounts sum;
    for (int32_t n = 0; n <= int32_t(list.size()); ++n) {
        const TTreeCounts prefix = index.Prefix(n, countsOf);
        ASSERT_EQ(prefix.Visible, sum.Visible) << step << " prefix " << n;
        ASSERT_EQ(prefix.Total, sum.Total) << step << " prefix " << n;
        if (n == int32_t(list.size())) break;
        for (int32_t k = 0; k < list[size_t(n)].Visible; ++k) {
            int32_t row = sum.Visible + k;
            ASSERT_EQ(index.Find(row, &TTreeCounts::Visible, countsOf), n) << step << " row " << sum.Visible + k;
            ASSERT_EQ(row, k) << step;
        }
        int32_t absolute = sum.Total + list[size_t(n)].Total - 1;
        ASSERT_EQ(index.Find(absolute, &TTreeCounts::Total, countsOf), n) << step;
        ASSERT_EQ(absolute, list[size_t(n)].Total - 1) << step;
        sum += list[size_t(n)];
    }
}
} // namespace

TEST(TreeCountIndex, AgreesWithAPlainListThroughEveryChange) {
    std::mt19937 random(3);
    TTreeCountIndex index;
    std::vector<TTreeCounts> list;
    const auto some = [&] {
        const int32_t total = 1 + int32_t(random() % 5);
        return TTreeCounts{1 + int32_t(random() % uint32_t(total)), total};
    };
    for (int step = 0; step < 400; ++step) {
        switch (random() % 6) {
        case 0:
        case 1:
            list.push_back(some());
            index.Append(list.back());
            break;
        case 2:
            if (list.empty()) break;
            index.PopBack(list.back());
            list.pop_back();
            break;
        case 3: {
            if (list.empty()) break;
            const size_t i = random() % list.size();
            const TTreeCounts now = some();
            TTreeCounts delta = now;
            delta -= list[i];
            index.Add(int32_t(i), delta);
            list[i] = now;
            break;
        }
        case 4:
            index.Rebuild(int32_t(list.size()), [&list](int32_t i) { return list[size_t(i)]; });
            break;
        case 5:
            for (int k = 0; k < 9; ++k) {
                list.push_back(some());
                index.Append(list.back());
            }
            break;
        }
        CheckAgainstList(index, list, "step " + std::to_string(step));
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(list.size(), size_t(3 * TTreeCountIndex::kBlock)) << "the walk reached several blocks";
}

} // namespace qo
