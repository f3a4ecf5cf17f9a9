// What a list reports, and in which order, for every kind of change.
#include "qoDataTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace qo {
namespace {

using test::NewList;
using test::NewNumberedList;
using test::TEventLog;
using Lines = std::vector<std::string>;

struct TEventCase {
    const char* Name;
    std::function<void(TqoDataList&, TqoDataList&)> Act; // (list of three numbered 0..2, empty second list)
    Lines Expected;
};

class EventOrder : public ::testing::TestWithParam<TEventCase> {};

TEST_P(EventOrder, FiresTheEventsInOrder) {
    TqoListController controller;
    auto list = NewNumberedList(&controller, 3);
    auto other = NewList(&controller);
    TEventLog log(controller);
    GetParam().Act(*list, *other);
    EXPECT_EQ(log.Lines, GetParam().Expected);
    log.Take();
}

INSTANTIATE_TEST_SUITE_P(
    DataList, EventOrder,
    ::testing::Values(
        // A new entity becomes visible before it is in the list.
        TEventCase{
            "Add", [](TqoDataList& l, TqoDataList&) { l.Add(); }, {"Visible 0", "Insert 0", "Content 4"}},
        TEventCase{"Delete", [](TqoDataList& l, TqoDataList&) { l.Delete(1); }, {"Delete 1", "Content 2"}},
        TEventCase{"DeleteOutOfRange", [](TqoDataList& l, TqoDataList&) { l.Delete(3); }, {}},
        TEventCase{
            "Remove", [](TqoDataList& l, TqoDataList&) { l.Remove(l.Items(2)); }, {"Delete 2", "Content 2"}},
        TEventCase{
            "Clear",
            [](TqoDataList& l, TqoDataList&) { l.Clear(); },
            {"Delete 2", "Content 2", "Delete 1", "Content 1", "Delete 0", "Content 0", "UnloadedContent"}},
        TEventCase{"Move", [](TqoDataList& l, TqoDataList&) { l.Items(0)->Move(2); }, {"Move 0 0->2"}},
        TEventCase{"ChangeOwner",
                   [](TqoDataList& l, TqoDataList& o) { l.Items(1)->ChangeOwner(&o, 0); },
                   {"Leave 1", "Enter 1", "Content 1", "Content 2"}},
        TEventCase{"SelectTwiceDeselectOnce",
                   [](TqoDataList& l, TqoDataList&) {
                       l.Items(1)->SetSelected(true);
                       l.Items(1)->SetSelected(true);
                       l.Items(1)->SetSelected(false);
                   },
                   {"Select 1", "Deselect 1"}},
        TEventCase{"HideTwice",
                   [](TqoDataList& l, TqoDataList&) {
                       l.Items(2)->SetVisible(false);
                       l.Items(2)->SetVisible(false);
                   },
                   {"Visible 2"}},
        TEventCase{
            "CanEditRead", [](TqoDataList& l, TqoDataList&) { l.Items(0)->GetCanEdit(); }, {"CanEdit 0"}},
        TEventCase{
            "InfoPush", [](TqoDataList& l, TqoDataList&) { l.Items(2)->DoInfoPush(); }, {"InfoPush 2"}},
        TEventCase{"AddUnloaded",
                   [](TqoDataList& l, TqoDataList&) { l.AddUnloaded(5); },
                   {"Content 8", "UnloadedContent"}},
        // Only entities that were selected report their deselection.
        TEventCase{"ClearSelections",
                   [](TqoDataList& l, TqoDataList&) {
                       l.Items(0)->SetSelected(true);
                       l.Items(2)->SetSelected(true);
                       l.ClearSelections();
                   },
                   {"Select 0", "Select 2", "Deselect 0", "Deselect 2"}},
        TEventCase{"SortWithoutCompare", [](TqoDataList& l, TqoDataList&) { l.Sort(false); }, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DataListEvents, PreselectedEntityIsInsertedUnselectedAndReselectedAfterwards) {
    TqoListController controller;
    auto list = NewList(&controller, TqoDataEntityClass::Of<test::TPreselectedEntity>());
    TEventLog log(controller);
    TqoDataEntity* entity = list->Add();
    EXPECT_EQ(log.Take(),
              (Lines{"Visible 0", "Select 0", "Deselect 0", "Insert 0", "Content 1", "Select 0"}));
    EXPECT_TRUE(entity->GetSelected());
}

TEST(DataListEvents, DeletedEntityIsStillReadableInItsDeleteEvent) {
    // Declared first: the handler also runs when the list frees its last entity at the end.
    int seen = -1;
    TqoDataList* owner = nullptr;
    TqoListController controller;
    auto list = NewNumberedList(&controller, 2);
    controller.SetOnDeleteItem([&](TqoDataEntity* e) {
        seen = e->UserIntegerReference();
        owner = e->OwningDataList();
    });
    list->Delete(0);
    EXPECT_EQ(seen, 0);
    EXPECT_EQ(owner, list.get());
}

TEST(DataListEvents, CanEditHandlerDecidesOnTheFly) {
    TqoListController controller;
    auto list = NewNumberedList(&controller, 1);
    TqoDataEntity* entity = list->Items(0);
    EXPECT_FALSE(entity->GetCanEdit());
    controller.SetOnBeforeCanEditItem([](TqoDataEntity* e) { e->SetCanEdit(true); });
    EXPECT_TRUE(entity->GetCanEdit());
}

TEST(DataListEvents, ListsWithoutControllerStayQuiet) {
    auto list = NewNumberedList(nullptr, 3);
    list->Items(1)->SetSelected(true);
    list->Items(1)->Move(0);
    list->Delete(0);
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
}

TEST(DataListEvents, HandlerExceptionPropagatesAfterTheChange) {
    TqoListController controller;
    auto list = NewNumberedList(&controller, 2);
    controller.SetOnContentChanged([](TqoDataList*) { throw EqoError("handler"); });
    EXPECT_THROW(list->Delete(0), EqoError);
    EXPECT_EQ(list->Count(), 1);
    EXPECT_EQ(list->Items(0)->UserIntegerReference(), 1);
    controller.SetOnContentChanged(nullptr);
}

} // namespace
} // namespace qo
