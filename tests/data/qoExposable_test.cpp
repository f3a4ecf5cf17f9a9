// The owner frees; a client that still holds a reference keeps the memory
// until its last release.
#include "qoDataTestSupport.h"

#include <gtest/gtest.h>

namespace qo {
namespace {

using test::TCountedEntity;

class DeferredFreeing : public ::testing::Test {
protected:
    void SetUp() override { TCountedEntity::Alive = 0; }
    void TearDown() override { EXPECT_EQ(TCountedEntity::Alive, 0); }
    TqoListController controller;
};

TEST_F(DeferredFreeing, EntityHeldAfterDeleteStaysValidUntilTheLastRelease) {
    auto list = test::NewNumberedList(&controller, 3);
    TqoDataEntity* held = list->Items(1);
    EXPECT_EQ(held->ObjAddRef(), 1);
    EXPECT_EQ(held->ObjAddRef(), 2);
    list->Delete(1);
    EXPECT_EQ(TCountedEntity::Alive, 3);
    EXPECT_EQ(held->OwningDataList(), nullptr);
    EXPECT_EQ(held->UserIntegerReference(), 1);
    held->SetSelected(true); // a detached entity reports nothing
    EXPECT_EQ(held->ObjRelease(), 1);
    EXPECT_EQ(TCountedEntity::Alive, 3);
    EXPECT_EQ(held->ObjRelease(), 0);
    EXPECT_EQ(TCountedEntity::Alive, 2);
}

TEST_F(DeferredFreeing, ClientReleaseDoesNotFreeWhatTheListStillOwns) {
    auto list = test::NewNumberedList(&controller, 1);
    TqoDataEntity* entity = list->Items(0);
    entity->ObjAddRef();
    EXPECT_FALSE(entity->CanDelete());
    EXPECT_EQ(entity->ObjRelease(), 0);
    EXPECT_TRUE(entity->CanDelete());
    EXPECT_EQ(TCountedEntity::Alive, 1);
    EXPECT_EQ(list->Items(0), entity);
}

TEST_F(DeferredFreeing, FreedListDetachesHeldEntitiesAndSurvivesItsOwnClient) {
    test::TEventLog log(controller);
    TqoDataList* list = test::NewNumberedList(&controller, 3).release();
    TqoDataEntity* held = list->Items(2);
    held->ObjAddRef();
    list->ObjAddRef();
    log.Take();
    list->FreeWheneverPossible();
    // As Clear does: last first, each taken out of the list before it reports.
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"Delete 2", "Content 2", "Delete 1", "Content 1",
                                                    "Delete 0", "Content 0"}));
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(held->OwningDataList(), nullptr);
    EXPECT_EQ(TCountedEntity::Alive, 1);
    list->ObjRelease();
    held->ObjRelease();
}

TEST_F(DeferredFreeing, FreeCallDestroysOnlyWhatNoClientHolds) {
    auto list = test::NewNumberedList(nullptr, 2);
    TqoDataEntity* held = list->Items(1);
    held->ObjAddRef();
    list->Clear();
    EXPECT_EQ(TCountedEntity::Alive, 1);
    TqoExposable::FreeCall(nullptr);
    held->ObjRelease();
}

TEST_F(DeferredFreeing, HandlerThatThrowsWhileDeletingLeaksNothing) {
    TqoDataList* list = test::NewNumberedList(&controller, 2).release();
    controller.SetOnDeleteItem([](TqoDataEntity*) { throw EqoError("refused"); });
    EXPECT_THROW(list->Delete(0), EqoError);
    EXPECT_EQ(TCountedEntity::Alive, 1);
    EXPECT_THROW(list->FreeWheneverPossible(), EqoError);
    EXPECT_EQ(TCountedEntity::Alive, 0);
}

} // namespace
} // namespace qo
