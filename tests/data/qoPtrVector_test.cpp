// The pointer vector of the data lists: its first element in place, the move
// to a block as it grows, inserting and erasing ranges anywhere, and going
// back in place when cleared.
#include "data/qoPtrVector.h"

#include <gtest/gtest.h>

#include <vector>

namespace qo {

TEST(PtrVector, KeepsOrderInPlaceAndInABlockAndErasesAnywhere) {
    int values[6] = {};
    TPtrVector<int> v;
    EXPECT_EQ(sizeof(v), sizeof(int*));
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
    // Ranges in at the front, the middle and the end, through the move to a bigger block.
    int values3[3] = {};
    int* more[3] = {&values3[0], &values3[1], &values3[2]};
    for (size_t at : {size_t(0), size_t(2), size_t(7)}) {
        v.insert(v.begin() + at, std::begin(more), std::end(more));
        expected.insert(expected.begin() + ptrdiff_t(at), std::begin(more), std::end(more));
        ASSERT_EQ(std::vector<int*>(v.begin(), v.end()), expected) << "inserted at " << at;
    }
    v.erase(v.begin() + 1, v.begin() + 9);
    expected.erase(expected.begin() + 1, expected.begin() + 9);
    EXPECT_EQ(std::vector<int*>(v.begin(), v.end()), expected);
    v.assign(std::begin(more), std::begin(more) + 1);
    EXPECT_EQ(std::vector<int*>(v.begin(), v.end()), std::vector<int*>{more[0]});
    v.clear();
    EXPECT_TRUE(v.empty());
    v.push_back(&values[3]);
    EXPECT_EQ(v[0], &values[3]) << "in place again after clearing";
}

// A nil element is an element like any other, in place as in a block.
TEST(PtrVector, NilElementsCountInPlaceAndInABlock) {
    int value = 0;
    TPtrVector<int> v;
    v.push_back(nullptr);
    ASSERT_EQ(v.size(), 1u);
    v[0] = &value;
    v[0] = nullptr;
    EXPECT_EQ(v.size(), 1u) << "nil written in place";
    v.push_back(&value);
    v.push_back(nullptr);
    EXPECT_EQ(std::vector<int*>(v.begin(), v.end()), (std::vector<int*>{nullptr, &value, nullptr}));
    v.pop_back();
    v.erase(v.begin());
    EXPECT_EQ(std::vector<int*>(v.begin(), v.end()), std::vector<int*>{&value});
    v.pop_back();
    EXPECT_TRUE(v.empty());
    v.insert(v.begin(), static_cast<int**>(nullptr), static_cast<int**>(nullptr));
    EXPECT_TRUE(v.empty()) << "an empty range adds nothing";
    TPtrVector<int> one;
    one.push_back(&value);
    one.erase(one.begin());
    EXPECT_TRUE(one.empty());
    one.assign(v.begin(), v.end());
    EXPECT_TRUE(one.empty());
}

// Erasing from the front moves where the elements start; the room comes
// back when the vector grows again, with every element where it was.
TEST(PtrVector, ErasesFromTheFrontAndTakesTheRoomBack) {
    std::vector<int> values(40);
    TPtrVector<int> v;
    std::vector<int*> expected;
    for (int& value : values) {
        v.push_back(&value);
        expected.push_back(&value);
    }
    int* two[2] = {&values[0], &values[1]};
    for (int round = 0; round < 200; ++round) {
        v.erase(v.begin(), v.begin() + 3);
        expected.erase(expected.begin(), expected.begin() + 3);
        for (int k = 0; k < 3; ++k) {
            int* p = &values[size_t((round * 3 + k) % 40)];
            v.push_back(p);
            expected.push_back(p);
        }
        if (round % 50 == 0) {
            v.insert(v.begin() + 5, std::begin(two), std::end(two));
            expected.insert(expected.begin() + 5, std::begin(two), std::end(two));
        }
        ASSERT_EQ(std::vector<int*>(v.begin(), v.end()), expected) << "round " << round;
    }
    while (!v.empty()) v.erase(v.begin());
    v.push_back(&values[7]);
    EXPECT_EQ(std::vector<int*>(v.begin(), v.end()), std::vector<int*>{&values[7]});
}

} // namespace qo
