// The tagged owner: flags that neither disturb the object nor are disturbed
// by making it, and the object freed with its owner.
#include "platform/core/qoTaggedOwner.h"

#include <gtest/gtest.h>

namespace qo {

namespace {
struct TCounted {
    static inline int Alive = 0;
    long long Value = 7;
    TCounted() { ++Alive; }
    ~TCounted() { --Alive; }
};
} // namespace

TEST(TaggedOwner, KeepsFlagsAndObjectApart) {
    {
        TTaggedOwner<TCounted, 3> owner;
        EXPECT_EQ(sizeof(owner), sizeof(void*));
        EXPECT_EQ(owner.Get(), nullptr);
        owner.SetFlag(0, true);
        owner.SetFlag(2, true);
        EXPECT_EQ(owner.Get(), nullptr) << "flags alone make no object";
        TCounted& made = owner.Make();
        EXPECT_EQ(&owner.Make(), &made) << "made once";
        EXPECT_EQ(owner.Get(), &made);
        EXPECT_EQ(made.Value, 7);
        EXPECT_TRUE(owner.Flag(0));
        EXPECT_FALSE(owner.Flag(1));
        EXPECT_TRUE(owner.Flag(2));
        owner.SetFlag(0, false);
        owner.SetFlag(1, true);
        EXPECT_FALSE(owner.Flag(0));
        EXPECT_TRUE(owner.Flag(1));
        EXPECT_EQ(owner.Get(), &made) << "flags leave the object where it is";
        EXPECT_EQ(TCounted::Alive, 1);
    }
    EXPECT_EQ(TCounted::Alive, 0) << "the owner frees its object";
}

} // namespace qo
