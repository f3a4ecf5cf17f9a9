// Hosts that re-enter from the release of their objects, hold on to entities
// and lists past their owners, and raise from handlers: nothing may leak, be
// freed twice or be read after it was freed.
#include "qoDataTestSupport.h"

#include <gtest/gtest.h>

namespace qo {
namespace {

using test::Numbers;
using test::TCountedEntity;
using test::THostObject;
using Ints = std::vector<int>;

// The description of the last failure of a direct interface call.
std::string LastErrorText() {
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info) return {};
    TqoBstr description;
    info->GetDescription(description.Out());
    info->Release();
    return description.Utf8();
}

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

// A freed entity takes no host object: one holding the entity itself would
// keep it in memory forever. Nothing and Empty still clear, numbers still set.
TEST_F(HostileHost, DeletedEntityRefusesNewReferencesAndGoesWithTheHostsLastRelease) {
    struct {
        const char* name;
        HRESULT (*set)(IqoDataEntity& entity, IDispatch* host);
        HRESULT expected;
    } const cases[] = {
        {"UserReference to itself", [](IqoDataEntity& e, IDispatch*) { return e.put_UserReference(&e); },
         E_UNEXPECTED},
        {"UserReference to a host object",
         [](IqoDataEntity& e, IDispatch* h) { return e.put_UserReference(h); }, E_UNEXPECTED},
        {"UserVariantReference to itself",
         [](IqoDataEntity& e, IDispatch*) { return e.put_UserVariantReference(TqoVariant(&e, VT_DISPATCH)); },
         E_UNEXPECTED},
        {"UserVariantReference to a number",
         [](IqoDataEntity& e, IDispatch*) { return e.put_UserVariantReference(TqoVariant(LONG(5))); },
         E_UNEXPECTED},
        {"UserReference to Nothing",
         [](IqoDataEntity& e, IDispatch*) { return e.put_UserReference(nullptr); }, S_OK},
        {"UserVariantReference to Empty",
         [](IqoDataEntity& e, IDispatch*) { return e.put_UserVariantReference(TqoVariant()); }, S_OK},
        {"UserIntegerReference", [](IqoDataEntity& e, IDispatch*) { return e.put_UserIntegerReference(7); },
         S_OK},
    };
    for (const auto& c : cases) {
        list = test::NewNumberedList(&controller, 3);
        THostObject host;
        IqoDataEntity* held = AddRefed(list->Items(1)->AutoIntf());
        list->Delete(1);
        const int alive = TCountedEntity::Alive;
        EXPECT_EQ(c.set(*held, &host), c.expected) << c.name;
        EXPECT_EQ(LastErrorText(), FAILED(c.expected) ? TqoDataEntity::kFreedMessage : "") << c.name;
        EXPECT_EQ(host.fRefCount, 1u) << c.name;
        held->Release();
        EXPECT_EQ(TCountedEntity::Alive, alive - 1) << c.name;
    }
}

// The release of an entity's host objects while it is freed runs host code
// that sets them again: the entity refuses, holds nothing and goes.
TEST_F(HostileHost, ReferencesSetAgainWhileTheEntityIsFreedAreRefused) {
    THostObject first, second;
    IqoDataEntity* held = AddRefed(list->Items(0)->AutoIntf());
    ASSERT_EQ(held->put_UserReference(&first), S_OK);
    ASSERT_EQ(held->put_UserVariantReference(TqoVariant(&second, VT_DISPATCH)), S_OK);
    HRESULT again[2] = {S_OK, S_OK};
    first.OnRelease = [&] { again[0] = held->put_UserVariantReference(TqoVariant(held, VT_DISPATCH)); };
    second.OnRelease = [&] { again[1] = held->put_UserReference(held); };
    list->Delete(0);
    EXPECT_EQ(again[0], E_UNEXPECTED);
    EXPECT_EQ(again[1], E_UNEXPECTED);
    EXPECT_EQ(first.fRefCount, 1u);
    EXPECT_EQ(second.fRefCount, 1u);
    const int alive = TCountedEntity::Alive;
    held->Release();
    EXPECT_EQ(TCountedEntity::Alive, alive - 1);
}

// ---- a list that its owner freed while a host holds it ----

struct TDetachedCase {
    const char* Name;
    HRESULT (*Call)(IqoDataList&, IqoDataList& other);
};

class FreedList : public HostileHost, public ::testing::WithParamInterface<TDetachedCase> {};

TEST_P(FreedList, FailsClearlyReportsNothingAndTakesNothing) {
    std::vector<std::string> events;
    IqoDataList* held = AddRefed(list->AutoIntf());
    test::TOwned<TqoDataList> other = test::NewNumberedList(&controller, 1);
    list.reset();
    controller.SetOnInsertItem([&](TqoDataEntity*) { events.push_back("Insert"); });
    controller.SetOnContentChanged([&](TqoDataList*) { events.push_back("Content"); });
    controller.SetOnUnLoadedContentChanged([&](TqoDataList*) { events.push_back("UnloadedContent"); });
    EXPECT_EQ(GetParam().Call(*held, *other->AutoIntf()), E_UNEXPECTED);
    EXPECT_EQ(LastErrorText(), TqoDataList::kDetachedMessage);
    EXPECT_EQ(events, std::vector<std::string>{});
    EXPECT_EQ(Numbers(*other), Ints{0});
    held->Release();
}

INSTANTIATE_TEST_SUITE_P(
    Members, FreedList,
    ::testing::Values(
        TDetachedCase{"Add",
                      [](IqoDataList& l, IqoDataList&) {
                          IqoDataEntity* e = nullptr;
                          return l.Add(&e);
                      }},
        TDetachedCase{"Insert",
                      [](IqoDataList& l, IqoDataList&) {
                          IqoDataEntity* e = nullptr;
                          return l.Insert(0, &e);
                      }},
        TDetachedCase{"Clear", [](IqoDataList& l, IqoDataList&) { return l.Clear(); }},
        TDetachedCase{"ClearSelections", [](IqoDataList& l, IqoDataList&) { return l.ClearSelections(); }},
        TDetachedCase{"Count",
                      [](IqoDataList& l, IqoDataList&) {
                          LONG n = 0;
                          return l.Count(&n);
                      }},
        TDetachedCase{"ChangeOwnerInto",
                      [](IqoDataList& l, IqoDataList& other) {
                          IqoDataEntity* e = nullptr;
                          other.get_Items(0, &e);
                          const HRESULT hr = e->ChangeOwner(&l, 0);
                          e->Release();
                          return hr;
                      }}),
    [](const auto& info) { return std::string(info.param.Name); });

// Host code run while the list frees its entities finds only those not yet freed.
TEST_F(HostileHost, FreeingListTakesEachEntityOutBeforeItGoes) {
    IqoDataList* held = AddRefed(list->AutoIntf());
    THostObject hosts[3];
    std::vector<LONG> countsSeen;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(list->Items(i)->Set_UserReferenceX(&hosts[i]), S_OK);
        hosts[i].OnRelease = [&] {
            LONG n = -1;
            held->Count(&n);
            countsSeen.push_back(n);
            IqoDataEntity* added = nullptr;
            EXPECT_NE(held->Add(&added), S_OK);
            EXPECT_EQ(added, nullptr);
        };
    }
    list.reset();
    // Every member fails once the freeing has begun; nothing was added.
    EXPECT_EQ(countsSeen, (std::vector<LONG>{-1, -1, -1}));
    for (THostObject& host : hosts) EXPECT_EQ(host.fRefCount, 1u);
    held->Release();
}

// ---- re-entry while an entity goes ----

struct TLeavingCase {
    const char* Name;
    void (*Act)(TqoDataList& list, TqoDataEntity& leaving, TqoDataList& other);
};

class LeavingEntity : public HostileHost, public ::testing::WithParamInterface<TLeavingCase> {};

// Host code run by the release of a deleted entity's reference, and the
// delete handler, may try to move or remove it again: nothing happens.
TEST_P(LeavingEntity, CannotBeMovedOrRemovedAgain) {
    test::TOwned<TqoDataList> other = test::NewList(&controller);
    TqoDataEntity* leaving = list->Items(1);
    THostObject host;
    ASSERT_EQ(leaving->Set_UserReferenceX(&host), S_OK);
    int indexSeen = 0;
    host.OnRelease = [&] { GetParam().Act(*list, *leaving, *other); };
    controller.SetOnDeleteItem([&](TqoDataEntity* e) {
        indexSeen = e->ListIndex();
        GetParam().Act(*list, *e, *other);
    });
    list->Delete(1);
    controller.SetOnDeleteItem(nullptr);
    EXPECT_EQ(indexSeen, -1);
    EXPECT_EQ(Numbers(*list), (Ints{0, 2}));
    EXPECT_EQ(other->Count(), 0);
    EXPECT_EQ(host.fRefCount, 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, LeavingEntity,
    ::testing::Values(
        TLeavingCase{"Move", [](TqoDataList&, TqoDataEntity& e, TqoDataList&) { e.Move(0); }},
        TLeavingCase{"ChangeOwner", [](TqoDataList&, TqoDataEntity& e, TqoDataList& o) { e.ChangeOwner(&o, 0); }},
        TLeavingCase{"Remove", [](TqoDataList& l, TqoDataEntity& e, TqoDataList&) { l.Remove(&e); }},
        TLeavingCase{"IndexOf",
                     [](TqoDataList& l, TqoDataEntity& e, TqoDataList&) { EXPECT_EQ(l.IndexOf(&e), -1); }}),
    [](const auto& info) { return std::string(info.param.Name); });

// The entity is out of the list before its delete handler runs, so removing it
// there does nothing, whichever way it goes, and no other entity goes with it.
TEST_F(HostileHost, RemovingTheLeavingEntityInItsDeleteHandlerRemovesNothingElse) {
    struct {
        const char* name;
        void (*act)(TqoDataList&);
        Ints deleted, left;
    } const cases[] = {
        {"Delete", [](TqoDataList& l) { l.Delete(0); }, {0}, {1, 2}},
        {"Remove", [](TqoDataList& l) { l.Remove(l.Items(1)); }, {1}, {0, 2}},
        {"Clear", [](TqoDataList& l) { l.Clear(); }, {2, 1, 0}, {}},
    };
    for (const auto& c : cases) {
        list = test::NewNumberedList(&controller, 3);
        Ints deleted;
        controller.SetOnDeleteItem([&](TqoDataEntity* e) {
            deleted.push_back(e->UserIntegerReference());
            list->Remove(e);
        });
        c.act(*list);
        controller.SetOnDeleteItem(nullptr);
        EXPECT_EQ(deleted, c.deleted) << c.name;
        EXPECT_EQ(Numbers(*list), c.left) << c.name;
    }
}

TEST_F(HostileHost, DeletedEntityHasNoListIndex) {
    TqoDataEntity* held = list->Items(2);
    held->ObjAddRef();
    EXPECT_EQ(held->ListIndex(), 2);
    list->Delete(2);
    EXPECT_EQ(held->ListIndex(), -1);
    held->ObjRelease();
}

// ---- creation handlers that raise ----

TEST_F(HostileHost, EntityWhoseCreationHandlerRaisesIsFreed) {
    const int alive = TCountedEntity::Alive;
    controller.SetOnVisibleChanged([](TqoDataEntity*) { throw EqoError("refused"); });
    EXPECT_THROW(list->Add(), EqoError);
    EXPECT_THROW(list->Insert(0), EqoError);
    EXPECT_EQ(TCountedEntity::Alive, alive);
    EXPECT_EQ(Numbers(*list), (Ints{0, 1, 2}));
}

TEST_F(HostileHost, LoadWhoseCreationHandlerRaisesKeepsNoneOfTheRange) {
    list->Clear();
    list->AddUnloaded(10);
    list->Items(0);
    int created = 0;
    controller.SetOnVisibleChanged([&](TqoDataEntity*) {
        if (++created == 3) throw EqoError("refused");
    });
    const int alive = TCountedEntity::Alive;
    EXPECT_THROW(list->Items(5), EqoError);
    EXPECT_EQ(TCountedEntity::Alive, alive);
    EXPECT_EQ(list->LoadedCount(), 1);
    EXPECT_EQ(list->Count(), 10);
}

// ---- counts read again after host code ----

TEST_F(HostileHost, InsertAfterALoadThatEmptiedTheListFailsWithoutWriting) {
    list->Clear();
    list->AddUnloaded(1000);
    list->Items(0);
    THostObject host;
    IqoDataList* held = AddRefed(list->AutoIntf());
    ASSERT_EQ(list->Items(0)->Set_UserReferenceX(&host), S_OK);
    host.OnRelease = [&] { EXPECT_EQ(held->Clear(), S_OK); };
    controller.SetOnUnLoadItem([](TqoDataEntity*, bool& may) { may = true; });
    EXPECT_THROW(list->Insert(900), EListError);
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->LoadedCount(), 0);
    held->Release();
}

TEST_F(HostileHost, InsertWhileTheOwnerFreesTheListFromACreationHandler) {
    IqoDataList* held = AddRefed(list->AutoIntf());
    controller.SetOnVisibleChanged([&](TqoDataEntity*) { list.reset(); });
    IqoDataEntity* added = nullptr;
    EXPECT_EQ(held->Add(&added), E_UNEXPECTED);
    EXPECT_EQ(LastErrorText(), TqoDataList::kDetachedMessage);
    EXPECT_EQ(added, nullptr);
    held->Release();
}

TEST_F(HostileHost, MoveWhoseLoadDeletesTheMovedEntityLeavesTheRestInOrder) {
    list->Clear();
    list->AddUnloaded(10);
    list->Items(0)->SetUserIntegerReference(0);
    bool deleted = false;
    controller.SetOnLoadItem([&](TqoDataEntity* e) {
        e->SetUserIntegerReference(e->ListIndex());
        if (!std::exchange(deleted, true)) list->Delete(0);
    });
    EXPECT_EQ(list->AutoIntf()->Move(0, 5), S_OK);
    EXPECT_EQ(list->Count(), 9);
    EXPECT_EQ(list->Items(0)->UserIntegerReference(), 1);
}

TEST_F(HostileHost, SortWhoseCompareDeletesFailsWithTheListIntact) {
    controller.SetOnSortCompare([&](TqoDataEntity* a, TqoDataEntity* b) {
        if (list->Count() == 3) list->Delete(0);
        return a->UserIntegerReference() - b->UserIntegerReference();
    });
    EXPECT_THROW(list->Sort(true), EqoError);
    EXPECT_EQ(Numbers(*list), (Ints{1, 2}));
}

// ---- iteration over the selection ----

// The iteration visits a snapshot: deleting the visited entity skips none;
// what the call deselects or adds ahead of the cursor is not visited.
TEST_F(HostileHost, SelectionIterationIsSafeAgainstItsCall) {
    for (int i = 0; i < 3; ++i) list->Add()->SetUserIntegerReference(3 + i);
    const auto selectAll = [&] {
        for (int32_t i = 0; i < list->Count(); ++i) list->Items(i)->SetSelected(true);
    };
    Ints visited;
    selectAll();
    list->IteratorOfSelectedDataEntities([&](TqoDataList* l, TqoDataEntity* e) {
        visited.push_back(e->UserIntegerReference());
        l->Remove(e);
    });
    EXPECT_EQ(visited, (Ints{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(list->Count(), 0);

    for (int i = 0; i < 6; ++i) list->Add()->SetUserIntegerReference(i);
    selectAll();
    visited.clear();
    list->IteratorOfSelectedDataEntities([&](TqoDataList* l, TqoDataEntity* e) {
        visited.push_back(e->UserIntegerReference());
        if (TqoDataEntity* next = l->Items(e->ListIndex() + 1)) next->SetSelected(false);
        TqoDataEntity* added = l->Insert(e->ListIndex() + 1);
        added->SetUserIntegerReference(100);
        added->SetSelected(true);
    });
    EXPECT_EQ(visited, (Ints{0, 2, 4}));
}

} // namespace
} // namespace qo
