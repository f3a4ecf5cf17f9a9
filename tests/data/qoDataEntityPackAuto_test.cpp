// Entities and lists as hosts see them: through Invoke with the DISPIDs of
// the type library, errors as failure codes with their message.
#include "platform/com/qoComTestSupport.h"
#include "qoDataTestSupport.h"

#include <gtest/gtest.h>

namespace qo {
namespace {

using test::CallDispatch;
using test::TqoInvokeResult;

constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kPut = DISPATCH_PROPERTYPUT;
constexpr WORD kCall = DISPATCH_METHOD;

class Automation : public ::testing::Test {
protected:
    void SetUp() override {
        for (int n = 0; n < 3; ++n) list->Add()->SetUserIntegerReference(n);
    }
    TqoInvokeResult Invoke(IDispatch* object, DISPID id, WORD flags, std::vector<TqoVariant> args = {}) {
        TqoInvokeResult out;
        CallDispatch(object, id, flags, std::move(args), out);
        return out;
    }
    TqoInvokeResult Invoke(DISPID id, WORD flags, std::vector<TqoVariant> args = {}) {
        return Invoke(list->AutoIntf(), id, flags, std::move(args));
    }
    IDispatch* Entity(int32_t i) { return list->Items(i)->AutoIntf(); }
    // The entity behind a returned interface, or nil.
    static TqoDataEntity* EntityOf(const VARIANT& v) {
        EXPECT_EQ(v.vt, VT_DISPATCH);
        return IDataEntity_TO_TDataEntity(v.pdispVal);
    }
    TqoListController controller;
    test::TEventLog log{controller};
    test::TOwned<TqoDataList> list = test::NewList(&controller);
};

struct TFlagCase {
    const char* Name;
    DISPID Id;
    bool (*Read)(TqoDataEntity&);
};

class AutomationFlags : public Automation, public ::testing::WithParamInterface<TFlagCase> {};

TEST_P(AutomationFlags, PutAndGetAsAutomationBooleans) {
    const TFlagCase& c = GetParam();
    TqoDataEntity& entity = *list->Items(1);
    for (bool value : {true, false}) {
        ASSERT_EQ(Invoke(Entity(1), c.Id, kPut, {TqoVariant(value)}).fHr, S_OK);
        EXPECT_EQ(c.Read(entity), value);
        TqoInvokeResult got = Invoke(Entity(1), c.Id, kGet);
        ASSERT_EQ(got.fResult.vt, VT_BOOL);
        EXPECT_EQ(got.fResult.boolVal, value ? VARIANT_TRUE : VARIANT_FALSE);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entity, AutomationFlags,
    ::testing::Values(TFlagCase{"Selected", 270, [](TqoDataEntity& e) { return e.GetSelected(); }},
                      TFlagCase{"CanEdit", 3, [](TqoDataEntity& e) { return e.GetCanEdit(); }},
                      TFlagCase{"Visible", 6, [](TqoDataEntity& e) { return e.GetVisible(); }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Automation, EntityMembersReachTheirOperations) {
    log.Take();
    EXPECT_EQ(Invoke(Entity(2), 1, kCall).fHr, S_OK);
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"InfoPush 2"}));
    EXPECT_EQ(Invoke(Entity(2), 7, kPut, {TqoVariant(LONG(42))}).fHr, S_OK);
    EXPECT_EQ(Invoke(Entity(2), 7, kGet).fResult.lVal, 42);
    TqoInvokeResult owner = Invoke(Entity(2), 4, kGet);
    ASSERT_EQ(owner.fResult.vt, VT_DISPATCH);
    EXPECT_EQ(IDataList_TO_TDataList(owner.fResult.pdispVal), list.get());
}

TEST_F(Automation, HeldEntityOutlivesItsDeleteWithoutOwner) {
    TqoInvokeResult held = Invoke(9, kGet, {TqoVariant(LONG(1))});
    ASSERT_EQ(held.fResult.vt, VT_DISPATCH);
    ASSERT_EQ(Invoke(6, kCall, {TqoVariant(LONG(1))}).fHr, S_OK);
    EXPECT_EQ(list->Count(), 2);
    TqoInvokeResult owner = Invoke(held.fResult.pdispVal, 4, kGet);
    EXPECT_EQ(owner.fResult.vt, VT_DISPATCH);
    EXPECT_EQ(owner.fResult.pdispVal, nullptr);
    EXPECT_EQ(Invoke(held.fResult.pdispVal, 7, kGet).fResult.lVal, 1);
}

TEST_F(Automation, UserReferenceIsHeldUntilTheEntityGoes) {
    test::TqoForeignDispatch host;
    ASSERT_EQ(Invoke(Entity(0), 5, kPut, {TqoVariant(&host, VT_DISPATCH)}).fHr, S_OK);
    EXPECT_EQ(host.fRefCount, 2u);
    {
        TqoInvokeResult got = Invoke(Entity(0), 5, kGet);
        EXPECT_EQ(got.fResult.pdispVal, &host);
        TqoInvokeResult found = Invoke(28, kCall, {TqoVariant(&host, VT_DISPATCH)});
        EXPECT_EQ(EntityOf(found.fResult), list->Items(0));
    }
    list->Delete(0);
    EXPECT_EQ(host.fRefCount, 1u);
}

TEST_F(Automation, ProgramPointerIsNeverHandedOutAsAnInterface) {
    int plain = 0;
    list->Items(0)->SetUserReference(&plain);
    TqoInvokeResult got = Invoke(Entity(0), 5, kGet);
    EXPECT_EQ(got.fResult.vt, VT_DISPATCH);
    EXPECT_EQ(got.fResult.pdispVal, nullptr);
}

TEST_F(Automation, VariantReferenceIsCopiedAndFound) {
    ASSERT_EQ(Invoke(Entity(1), 526, kPut, {TqoVariant("abc")}).fHr, S_OK);
    TqoInvokeResult got = Invoke(Entity(1), 526, kGet);
    ASSERT_EQ(got.fResult.vt, VT_BSTR);
    EXPECT_EQ(BstrToUtf8(got.fResult.bstrVal), "abc");
    EXPECT_EQ(EntityOf(Invoke(26, kCall, {TqoVariant("abc")}).fResult), list->Items(1));
    EXPECT_EQ(EntityOf(Invoke(26, kCall, {TqoVariant()}).fResult), nullptr);
    EXPECT_EQ(EntityOf(Invoke(27, kCall, {TqoVariant(LONG(2))}).fResult), list->Items(2));
    EXPECT_EQ(EntityOf(Invoke(27, kCall, {TqoVariant(LONG(9))}).fResult), nullptr);
}

TEST_F(Automation, ListMembersByDispid) {
    EXPECT_EQ(Invoke(5, kCall).fResult.lVal, 3);
    TqoDataEntity* added = EntityOf(Invoke(3, kCall).fResult);
    EXPECT_EQ(added, list->Items(3));
    EXPECT_EQ(EntityOf(Invoke(9, kGet, {TqoVariant(LONG(7))}).fResult), nullptr);
    EXPECT_EQ(Invoke(8, kCall, {TqoVariant(Entity(2), VT_DISPATCH)}).fResult.lVal, 2);
    ASSERT_EQ(Invoke(7, kCall, {TqoVariant(Entity(0), VT_DISPATCH)}).fHr, S_OK);
    EXPECT_EQ(test::Numbers(*list), (std::vector<int>{1, 2, 0}));
    list->Items(0)->SetSelected(true);
    ASSERT_EQ(Invoke(2, kCall).fHr, S_OK);
    EXPECT_FALSE(list->Items(0)->GetSelected());
    controller.SetOnSortCompare([](TqoDataEntity* a, TqoDataEntity* b) {
        return a->UserIntegerReference() - b->UserIntegerReference();
    });
    ASSERT_EQ(Invoke(1, kCall, {TqoVariant(true)}).fHr, S_OK);
    EXPECT_EQ(test::Numbers(*list), (std::vector<int>{2, 1, 0}));
    ASSERT_EQ(Invoke(4, kCall).fHr, S_OK);
    EXPECT_EQ(list->Count(), 0);
}

// The second list interface has the same members; Insert and Move have other DISPIDs there.
TEST_F(Automation, InsertAndMoveOnBothListInterfaces) {
    IqoDataList2* second = nullptr;
    ASSERT_EQ(list->AutoIntf()->QueryInterface(IID_IqoDataList2, reinterpret_cast<void**>(&second)), S_OK);
    TqoDataEntity* first = EntityOf(Invoke(201, kCall, {TqoVariant(LONG(0))}).fResult);
    TqoDataEntity* last = EntityOf(Invoke(second, 11, kCall, {TqoVariant(LONG(4))}).fResult);
    EXPECT_EQ(first, list->Items(0));
    EXPECT_EQ(last, list->Items(4));
    list->Items(0)->SetUserIntegerReference(10);
    list->Items(4)->SetUserIntegerReference(11);
    log.Take();
    ASSERT_EQ(Invoke(202, kCall, {TqoVariant(LONG(0)), TqoVariant(LONG(4))}).fHr, S_OK);
    ASSERT_EQ(Invoke(second, 10, kCall, {TqoVariant(LONG(3)), TqoVariant(LONG(0))}).fHr, S_OK);
    EXPECT_EQ(test::Numbers(*list), (std::vector<int>{11, 0, 1, 2, 10}));
    // Each automation move reports once more with the entity now at the old index.
    EXPECT_EQ(log.Take(),
              (std::vector<std::string>{"Move 10 0->4", "Move 0 0->4", "Move 11 3->0", "Move 2 3->0"}));
    second->Release();
}

// The second interface is made on request, yet it is the same object as the list.
TEST_F(Automation, SecondListInterfaceIsTheList) {
    IqoDataList2* second = nullptr;
    ASSERT_EQ(list->AutoIntf()->QueryInterface(IID_IqoDataList2, reinterpret_cast<void**>(&second)), S_OK);
    IUnknown* identity = nullptr;
    IUnknown* fromSecond = nullptr;
    IqoDataList* first = nullptr;
    ASSERT_EQ(list->AutoIntf()->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    ASSERT_EQ(second->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromSecond)), S_OK);
    ASSERT_EQ(second->QueryInterface(IID_IqoDataList, reinterpret_cast<void**>(&first)), S_OK);
    EXPECT_EQ(identity, fromSecond);
    EXPECT_EQ(first, list->AutoIntf());
    const int32_t held = list->RefCount();
    first->Release();
    fromSecond->Release();
    identity->Release();
    EXPECT_EQ(second->Release(), 0u);
    EXPECT_EQ(list->RefCount(), held - 4) << "the second interface's hold on the list went with it";
}

TEST_F(Automation, FailuresCarryTheirMessage) {
    TqoInvokeResult move = Invoke(202, kCall, {TqoVariant(LONG(5)), TqoVariant(LONG(0))});
    EXPECT_EQ(move.fHr, DISP_E_EXCEPTION);
    EXPECT_EQ(BstrToUtf8(move.fExcep.bstrDescription), "List index out of bounds (5)");
    EXPECT_EQ(Invoke(202, kCall, {TqoVariant(LONG(0)), TqoVariant(LONG(3))}).fHr, DISP_E_EXCEPTION);

    // A list where an entity belongs: the wrong class, called through the interface slot.
    LONG index = 0;
    auto* notAnEntity = reinterpret_cast<IqoDataEntity*>(static_cast<IDispatch*>(list->AutoIntf()));
    EXPECT_EQ(list->AutoIntf()->IndexOf(notAnEntity, &index), E_UNEXPECTED);
    IErrorInfo* info = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    TqoBstr description;
    info->GetDescription(description.Out());
    info->Release();
    EXPECT_EQ(description.Utf8(), "Invalid class typecast");
    EXPECT_EQ(list->AutoIntf()->Add(nullptr), E_POINTER);
    EXPECT_EQ(list->Count(), 3);
}

// An answer needs a place before the entity acts; an interface answered
// carries the caller's own reference.
TEST_F(Automation, EntityAnswersNeedAPlaceAndCarryTheirOwnReference) {
    IqoDataEntity* entity = list->Items(0)->AutoIntf();
    EXPECT_EQ(entity->get_Selected(nullptr), E_POINTER);
    EXPECT_EQ(entity->get_OwningDataList(nullptr), E_POINTER);
    EXPECT_EQ(entity->get_UserVariantReference(nullptr), E_POINTER);
    const int32_t before = list->RefCount();
    IqoDataList* owner = nullptr;
    ASSERT_EQ(entity->get_OwningDataList(&owner), S_OK);
    EXPECT_EQ(owner, list->AutoIntf());
    EXPECT_EQ(list->RefCount(), before + 1);
    owner->Release();
    EXPECT_EQ(list->RefCount(), before);
}

TEST_F(Automation, ResolutionAcceptsOnlyOurObjectsOfTheRightClass) {
    test::TqoForeignDispatch foreign;
    EXPECT_EQ(IDataEntity_TO_TDataEntity(nullptr), nullptr);
    EXPECT_EQ(IDataEntity_TO_TDataEntity(Entity(1)), list->Items(1));
    EXPECT_EQ(IDataList_TO_TDataList(list->AutoIntf()), list.get());
    EXPECT_THROW(IDataEntity_TO_TDataEntity(&foreign), EInvalidCast);
    EXPECT_THROW(IDataList_TO_TDataList(Entity(1)), EInvalidCast);
    EXPECT_THROW(IDataList2lev_TO_TDataList2lev(list->AutoIntf()), EInvalidCast);
    EXPECT_EQ(foreign.fRefCount, 1u);
    EXPECT_EQ(list->Items(1)->RefCount(), 0);
}

TEST_F(Automation, ChangeOwnerThroughTheEntity) {
    auto other = test::NewList(&controller);
    ASSERT_EQ(
        Invoke(Entity(0), 264, kCall, {TqoVariant(other->AutoIntf(), VT_DISPATCH), TqoVariant(LONG(0))}).fHr,
        S_OK);
    EXPECT_EQ(other->Count(), 1);
    EXPECT_EQ(list->Count(), 2);
}

TEST_F(Automation, InterfacesAnswerWithOneIdentity) {
    IUnknown* viaEntity = nullptr;
    IUnknown* viaDispatch = nullptr;
    ASSERT_EQ(Entity(0)->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&viaEntity)), S_OK);
    ASSERT_EQ(Entity(0)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&viaDispatch)), S_OK);
    EXPECT_EQ(viaEntity, viaDispatch);
    viaEntity->Release();
    viaDispatch->Release();
    EXPECT_EQ(list->Items(0)->RefCount(), 0);

    test::TOwned<TqoDataList2lev> levels(new TqoDataList2lev);
    IUnknown* none = nullptr;
    EXPECT_EQ(levels->ObjQueryInterface(IID_IUnknown, reinterpret_cast<void**>(&none)), E_NOINTERFACE);
    IResolveToObject* resolve = nullptr;
    ASSERT_EQ(levels->ObjQueryInterface(IID_IResolveToObject, reinterpret_cast<void**>(&resolve)), S_OK);
    EXPECT_EQ(resolve->GetObjectFromInterface(), levels.get());
    resolve->Release();
}

} // namespace
} // namespace qo
