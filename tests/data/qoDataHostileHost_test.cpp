// Hosts that re-enter from the release of their objects, hold on to entities
// and lists past their owners, and raise from handlers: nothing may leak, be
// freed twice or be read after it was freed.
#include "qoDataTestSupport.h"

#include <gtest/gtest.h>

namespace qo {
namespace {

using test::TCountedEntity;
using test::THostObject;

class HostileHost : public ::testing::Test {
protected:
    ~HostileHost() override {
        list.reset();
        EXPECT_EQ(TCountedEntity::Alive, fAliveBefore);
    }
    const int fAliveBefore = TCountedEntity::Alive;
    TqoListController controller;
    test::TOwned<TqoDataList> list = test::NewNumberedList(&controller, 3);
};

// ---- user references ----

TEST_F(HostileHost, ReferenceSetAgainFromTheReleaseOfTheOldOneIsReleasedOnce) {
    THostObject first, second, third;
    TqoDataEntity* entity = list->Items(0);
    ASSERT_EQ(entity->Set_UserReferenceX(&first), S_OK);
    first.OnRelease = [&] { EXPECT_EQ(entity->Set_UserReferenceX(&third), S_OK); };
    ASSERT_EQ(entity->Set_UserReferenceX(&second), S_OK);
    EXPECT_EQ(first.fRefCount, 1u);
    EXPECT_EQ(second.fRefCount, 1u);
    EXPECT_EQ(third.fRefCount, 2u);
    EXPECT_EQ(entity->UserReference(), &third);
    list->Delete(0);
    EXPECT_EQ(third.fRefCount, 1u);
}

TEST_F(HostileHost, ReferenceSetOnADeletedEntityGoesWithTheEntity) {
    THostObject host;
    TqoDataEntity* held = list->Items(1);
    held->ObjAddRef();
    list->Delete(1);
    ASSERT_EQ(held->Set_UserReferenceX(&host), S_OK);
    EXPECT_EQ(host.fRefCount, 2u);
    held->ObjRelease();
    EXPECT_EQ(host.fRefCount, 1u);
}

} // namespace
} // namespace qo
