// Removals leave gaps inside a list that later accesses close: hosts must see
// the same list as if every removal had closed its gap at once (indexes,
// order, counts, events), whatever they do from the handlers.
#include "qoDataTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

namespace qo {
namespace {

using test::NewList;
using test::NewNumberedList;
using test::Numbers;
using test::TEventLog;
using Ints = std::vector<int>;
using Lines = std::vector<std::string>;

// Indexes, order and counts as a host reads them, entity by entity.
void ExpectConsistent(TqoDataList& list) {
    ASSERT_EQ(list.LoadedCount(), list.Count() - list.UnloadedPreCount() - list.UnloadedPostCount());
    int32_t order = -1;
    for (int32_t i = 0; i < list.Count(); ++i) {
        TqoDataEntity* e = list.Items(i);
        ASSERT_NE(e, nullptr) << "at " << i;
        ASSERT_EQ(e->ListIndex(), i) << "at " << i;
        ASSERT_EQ(list.IndexOf(e), i) << "at " << i;
        ASSERT_GT(e->ListOrder(), order) << "at " << i;
        order = e->ListOrder();
    }
}

std::vector<TqoDataEntity*> EntitiesOf(TqoDataList& list) {
    std::vector<TqoDataEntity*> out;
    for (int32_t i = 0; i < list.Count(); ++i) out.push_back(list.Items(i));
    return out;
}

// Removes by pointer, the way a chart drops an item's links, the entities at
// these positions when the call starts.
void RemoveAt(TqoDataList& list, const Ints& positions) {
    const std::vector<TqoDataEntity*> all = EntitiesOf(list);
    for (int i : positions) list.Remove(all[size_t(i)]);
}

struct TGapCase {
    const char* Name;
    // On a list numbered 0..9 (the second list empty, both on one controller).
    std::function<void(TqoDataList&, TqoDataList&)> Act;
    Ints Expected, ExpectedOther;
};

class GapsAsHostsSeeThem : public ::testing::TestWithParam<TGapCase> {};

TEST_P(GapsAsHostsSeeThem, IndexesOrderAndCountsHold) {
    TqoListController controller;
    auto list = NewNumberedList(&controller, 10);
    auto other = NewList(&controller);
    GetParam().Act(*list, *other);
    EXPECT_EQ(Numbers(*list), GetParam().Expected);
    EXPECT_EQ(Numbers(*other), GetParam().ExpectedOther);
    ExpectConsistent(*list);
    ExpectConsistent(*other);
}

INSTANTIATE_TEST_SUITE_P(
    DataList, GapsAsHostsSeeThem,
    ::testing::Values(
        TGapCase{"MiddleThenTheLastTwo", [](TqoDataList& l, TqoDataList&) { RemoveAt(l, {3, 5, 9, 8}); },
                 Ints{0, 1, 2, 4, 6, 7}, Ints{}},
        // The gaps before the last entity go when it does.
        TGapCase{"MiddleThenEverythingFromTheBack",
                 [](TqoDataList& l, TqoDataList&) {
                     RemoveAt(l, {1, 4, 6});
                     while (l.Count()) l.Delete(l.Count() - 1);
                     l.Add()->SetUserIntegerReference(100);
                 },
                 Ints{100}, Ints{}},
        TGapCase{"EveryOtherByPointerThenByIndex",
                 [](TqoDataList& l, TqoDataList&) {
                     RemoveAt(l, {0, 2, 4});
                     l.Delete(1);
                     l.Delete(4);
                 },
                 Ints{1, 5, 6, 7, 9}, Ints{}},
        TGapCase{"InsertAndAppendAmidGaps",
                 [](TqoDataList& l, TqoDataList&) {
                     RemoveAt(l, {2, 4});
                     l.Insert(3)->SetUserIntegerReference(100);
                     RemoveAt(l, {6});
                     l.Add()->SetUserIntegerReference(101);
                     l.Insert(0)->SetUserIntegerReference(102);
                 },
                 Ints{102, 0, 1, 3, 100, 5, 6, 8, 9, 101}, Ints{}},
        TGapCase{"MoveAcrossGaps",
                 [](TqoDataList& l, TqoDataList&) {
                     const std::vector<TqoDataEntity*> e = EntitiesOf(l);
                     RemoveAt(l, {1, 2, 8});
                     e[9]->Move(0);
                     e[0]->Move(6);
                 },
                 Ints{9, 3, 4, 5, 6, 7, 0}, Ints{}},
        TGapCase{"ChangeOwnerOutOfAndIntoListsWithGaps",
                 [](TqoDataList& l, TqoDataList& o) {
                     const std::vector<TqoDataEntity*> e = EntitiesOf(l);
                     for (int n : {2, 5, 7}) e[size_t(n)]->ChangeOwner(&o, o.LoadedCount());
                     o.Remove(e[5]);
                     e[9]->ChangeOwner(&o, 1);
                     e[7]->ChangeOwner(&l, 0);
                     e[4]->ChangeOwner(&o, 2);
                 },
                 Ints{7, 0, 1, 3, 6, 8}, Ints{2, 9, 4}},
        // Removals from the first leave gaps in front that reads step over.
        TGapCase{"FromTheFirstWithReadsBetween",
                 [](TqoDataList& l, TqoDataList&) {
                     for (int i = 0; i < 4; ++i) l.Remove(l.Items(0));
                     l.Items(3)->SetUserIntegerReference(107);
                     l.Delete(0);
                     l.Insert(1)->SetUserIntegerReference(200);
                     l.Remove(l.Items(0));
                     l.Delete(l.Count() - 1);
                 },
                 Ints{200, 6, 107, 8}, Ints{}},
        TGapCase{"FromTheFirstUntilEmptyThenAdd",
                 [](TqoDataList& l, TqoDataList&) {
                     while (l.Count()) l.Remove(l.Items(0));
                     l.Add()->SetUserIntegerReference(100);
                     l.Add()->SetUserIntegerReference(101);
                     l.Delete(0);
                 },
                 Ints{101}, Ints{}},
        // Gaps never outnumber the entities: removing most of a long list in
        // a scattered order closes them along the way.
        TGapCase{"MostOfTheListInAScatteredOrder",
                 [](TqoDataList& l, TqoDataList&) {
                     for (int i = 10; i < 200; ++i) l.Add()->SetUserIntegerReference(i);
                     Ints gone;
                     for (int i = 0; i < 200; ++i)
                         if (i % 7 != 3) gone.push_back((i * 37) % 200);
                     RemoveAt(l, gone);
                 },
                 [] {
                     Ints kept;
                     for (int i = 0; i < 200; ++i)
                         if (i % 7 == 3) kept.push_back((i * 37) % 200);
                     std::sort(kept.begin(), kept.end());
                     return kept;
                 }(),
                 Ints{}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DataListGaps, SortAndSearchesSkipTheGaps) {
    TqoListController controller;
    controller.SetOnSortCompare([](TqoDataEntity* a, TqoDataEntity* b) {
        return (a->UserIntegerReference() % 3) - (b->UserIntegerReference() % 3);
    });
    auto list = NewNumberedList(&controller, 10);
    const std::vector<TqoDataEntity*> e = EntitiesOf(*list);
    const TqoKeepAlive<TqoDataEntity> keep(e);
    for (int n : {1, 3, 6, 9}) e[size_t(n)]->SetSelected(true);
    e[4]->SetVisible(false);
    RemoveAt(*list, {0, 3, 5});
    EXPECT_EQ(list->VisibleCount(), 6);
    EXPECT_EQ(list->FindDataEntity([](TqoDataEntity* x) { return x->UserIntegerReference() > 6; }), e[7]);
    Ints selected;
    list->IteratorOfSelectedDataEntities(
        [&](TqoDataList*, TqoDataEntity* x) { selected.push_back(x->UserIntegerReference()); });
    EXPECT_EQ(selected, (Ints{1, 6, 9}));
    list->ClearSelections();
    EXPECT_EQ(std::count_if(e.begin(), e.end(), [](TqoDataEntity* x) { return x->GetSelected(); }), 1)
        << "the removed entities keep what they had";
    list->Sort(false);
    EXPECT_EQ(Numbers(*list), (Ints{6, 9, 1, 4, 7, 2, 8}));
    ExpectConsistent(*list);
}

// Each removal reports the list as it is after it, gaps and all, and the
// handlers may read it by index, remove other entities or add new ones.
TEST(DataListGaps, HandlersOfARemovalSeeTheListAfterItAndMayChangeIt) {
    TqoListController controller;
    Lines seen; // outlives the list, whose freeing reports too
    auto list = NewNumberedList(&controller, 10);
    const std::vector<TqoDataEntity*> e = EntitiesOf(*list);
    const TqoKeepAlive<TqoDataEntity> keep(e);
    controller.SetOnDeleteItem([&](TqoDataEntity* gone) {
        const int n = gone->UserIntegerReference();
        EXPECT_EQ(gone->ListIndex(), -1);
        EXPECT_EQ(list->IndexOf(gone), -1);
        seen.push_back(std::to_string(n) + ": " + std::to_string(list->Count()));
        for (int32_t i = 0; i < list->Count(); ++i) EXPECT_NE(list->Items(i), gone);
        // Removing 4 removes 6 too, and 2 brings a new entity in front.
        if (n == 4) list->Remove(e[6]);
        if (n == 2) list->Insert(0)->SetUserIntegerReference(100);
    });
    RemoveAt(*list, {7, 4, 2});
    EXPECT_EQ(seen, (Lines{"7: 9", "4: 8", "6: 7", "2: 6"}));
    EXPECT_EQ(Numbers(*list), (Ints{100, 0, 1, 3, 5, 8, 9}));
    ExpectConsistent(*list);
    // Removing an entity that a handler already took changes nothing.
    list->Remove(e[6]);
    EXPECT_EQ(list->Count(), 7);
}

// Several entities removed from the last to the first, as a deleted item's
// links go: each found by its place in the order, while the handlers remove
// some of the others first.
TEST(DataListGaps, BulkRemovalFromTheLastToTheFirst) {
    TqoListController controller;
    Ints order;
    auto list = NewNumberedList(&controller, 12);
    std::vector<TqoDataEntity*> doomed;
    for (int n : {3, 10, 0, 7, 5}) doomed.push_back(list->Items(n));
    TqoDataEntity* five = doomed[4];
    RemoveAt(*list, {1, 8}); // older gaps among them
    controller.SetOnDeleteItem([&](TqoDataEntity* gone) {
        order.push_back(gone->UserIntegerReference());
        if (gone->UserIntegerReference() == 7) list->Remove(five);
    });
    const TqoKeepAlive<TqoDataEntity> keep(doomed);
    std::sort(doomed.begin(), doomed.end(),
              [](TqoDataEntity* a, TqoDataEntity* b) { return a->ListOrder() > b->ListOrder(); });
    for (TqoDataEntity* entity : doomed)
        if (entity->OwningDataList() == list.get()) list->Remove(entity);
    EXPECT_EQ(order, (Ints{10, 7, 5, 3, 0}));
    EXPECT_EQ(Numbers(*list), (Ints{2, 4, 6, 9, 11}));
    ExpectConsistent(*list);
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->LoadedCount(), 0);
}

// A loaded window with gaps grows at both ends and unloads from its start
// with the entities in their places.
TEST(DataListGaps, VirtualWindowWithGapsLoadsAndUnloadsInPlace) {
    TqoListController controller;
    TEventLog log(controller);
    auto list = NewList(&controller);
    list->AddUnloaded(100);
    for (int32_t i = 40; i < 50; ++i) list->Items(i); // stamped with 40..49
    const std::vector<TqoDataEntity*> window = [&] {
        std::vector<TqoDataEntity*> w;
        for (int32_t k = 0; k < list->LoadedCount(); ++k) w.push_back(list->Loaded(k));
        return w;
    }();
    list->Remove(window[1]);
    list->Remove(window[5]);
    EXPECT_EQ(list->Count(), 98);
    EXPECT_EQ(list->LoadedCount(), 8);
    EXPECT_EQ(list->Items(48)->UserIntegerReference(), 48) << "the first entity after the window";
    EXPECT_EQ(list->Items(37)->UserIntegerReference(), 37) << "loaded in front";
    list->Remove(window[8]);
    Ints stamps;
    for (int32_t k = 0; k < list->LoadedCount(); ++k) stamps.push_back(list->Loaded(k)->UserIntegerReference());
    EXPECT_EQ(stamps, (Ints{37, 38, 39, 40, 42, 43, 44, 46, 47, 49, 48}));
    log.AllowUnload = true;
    list->Purge();
    EXPECT_EQ(list->LoadedCount(), 0);
    EXPECT_EQ(list->Count(), 97);
    EXPECT_EQ(list->Items(40)->ListIndex(), 40);
    ExpectConsistent(*list);
}

// Any mix of the list's operations against a plain vector of numbers.
TEST(DataListGaps, RandomOperationsMatchAPlainVector) {
    TqoListController controller;
    Ints deleted, expectDeleted;
    auto list = NewNumberedList(&controller, 300);
    auto other = NewList(&controller);
    Ints model(300);
    for (int i = 0; i < 300; ++i) model[size_t(i)] = i;
    std::vector<TqoDataEntity*> byNumber = EntitiesOf(*list);
    controller.SetOnDeleteItem([&](TqoDataEntity* gone) { deleted.push_back(gone->UserIntegerReference()); });
    std::mt19937 random(11);
    const auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
    const auto position = [&](int n) { return int32_t(std::find(model.begin(), model.end(), n) - model.begin()); };
    for (int step = 0; step < 4000; ++step) {
        SCOPED_TRACE(step);
        const size_t op = pick(9);
        if (model.empty() || op <= 1) {
            const int32_t at = int32_t(pick(model.size() + 1));
            const int n = int(byNumber.size());
            byNumber.push_back(list->Insert(at));
            byNumber.back()->SetUserIntegerReference(n);
            model.insert(model.begin() + at, n);
        } else if (op == 2) {
            const int n = model[pick(model.size())];
            list->Remove(byNumber[size_t(n)]);
            model.erase(model.begin() + position(n));
            expectDeleted.push_back(n);
        } else if (op == 3) {
            const int32_t at = int32_t(pick(model.size()));
            expectDeleted.push_back(model[size_t(at)]);
            list->Delete(at);
            model.erase(model.begin() + at);
        } else if (op == 4) {
            const int n = model[pick(model.size())];
            const int32_t to = int32_t(pick(model.size()));
            byNumber[size_t(n)]->Move(to);
            model.erase(model.begin() + position(n));
            model.insert(model.begin() + to, n);
        } else if (op == 5) {
            const int n = model[pick(model.size())];
            ASSERT_EQ(byNumber[size_t(n)]->ListIndex(), position(n));
        } else if (op == 6) {
            const int32_t at = int32_t(pick(model.size()));
            ASSERT_EQ(list->Items(at)->UserIntegerReference(), model[size_t(at)]);
        } else if (op == 7) {
            const int n = int(byNumber.size());
            byNumber.push_back(list->Add());
            byNumber.back()->SetUserIntegerReference(n);
            model.push_back(n);
        } else {
            // Out to the other list and back at another place.
            const int n = model[pick(model.size())];
            byNumber[size_t(n)]->ChangeOwner(other.get(), 0);
            model.erase(model.begin() + position(n));
            const int32_t to = int32_t(pick(model.size() + 1));
            byNumber[size_t(n)]->ChangeOwner(list.get(), to);
            model.insert(model.begin() + to, n);
        }
        ASSERT_EQ(list->Count(), int32_t(model.size()));
        ASSERT_EQ(list->LoadedCount(), int32_t(model.size()));
        if (step % 97 == 0) {
            ASSERT_EQ(Numbers(*list), model);
            ExpectConsistent(*list);
        }
    }
    EXPECT_EQ(deleted, expectDeleted);
    EXPECT_EQ(Numbers(*list), model);
    ExpectConsistent(*list);
    EXPECT_EQ(other->Count(), 0);
}

} // namespace
} // namespace qo
