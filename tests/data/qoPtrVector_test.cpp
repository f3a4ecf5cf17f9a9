// The pointer vector of the lists of lists: its first element in place, the
// move to a block as it grows, erasing, and going back in place when cleared.
#include "data/qoPtrVector.h"

#include <gtest/gtest.h>

#include <vector>

namespace qo {

TEST(PtrVector, KeepsOrderInPlaceAndInABlockAndErasesAnywhere) {
    int values[6] = {};
    TPtrVector<int> v;
    EXPECT_EQ(sizeof(v), 16u);
    std::vector<int*> expected;
    for (int& value : values) {
        v.push_back(&value);
        expected.push_back(&value);
        ASSERT_EQ(std::vector<int*>(v.begin(), v.end()), expected) << "after " << expected.size();
    }
    for (size_t at : {size_t(5), size_t(2), size_t(0)}) {
        v.erase(v.begin() + at);
        expected.erase(expected.begin() + ptrdiff_t(at));
        ASSERT_EQ(std::vector<int*>(v.begin(), v.end()), expected) << "erased " << at;
    }
    EXPECT_EQ(*v.rbegin(), expected.back());
    v.clear();
    EXPECT_TRUE(v.empty());
    v.push_back(&values[3]);
    EXPECT_EQ(v[0], &values[3]) << "in place again after clearing";
}

} // namespace qo
