#include <gtest/gtest.h>

#include <thread>

#include "platform/com/qoClassFactory.h"
#include "qoSampleObject.h"

namespace qo::test {
namespace {

// A subclass that keeps its memory while an owner says so (the data model's rule).
class TqoKeptSample : public TqoSample {
public:
    using TqoSample::TqoSample;
    int32_t ObjRelease() override {
        int32_t count = --fRefCount;
        if (count == 0 && fOwnerGone) delete this;
        return count;
    }
    bool fOwnerGone = false;
};

TEST(AutoObjectTest, TheLastReleaseDestroysAndIdentityIsOnePointer) {
    bool destroyed = false;
    auto* object = new TqoSample(&destroyed);
    IUnknown* unknown = nullptr;
    ISample* sample = nullptr;
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(object->DefaultDispatch()->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)),
              S_OK);
    ASSERT_EQ(unknown->QueryInterface(IID_ISample, reinterpret_cast<void**>(&sample)), S_OK);
    ASSERT_EQ(sample->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    IUnknown* again = nullptr;
    dispatch->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&again));
    EXPECT_EQ(again, unknown);
    EXPECT_EQ(object->Count(), 4);
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(sample->QueryInterface(IID_IClassFactory, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(sample->QueryInterface(IID_ISample, nullptr), E_POINTER);
    for (IUnknown* p : {static_cast<IUnknown*>(sample), static_cast<IUnknown*>(dispatch), again})
        p->Release();
    EXPECT_FALSE(destroyed);
    unknown->Release();
    EXPECT_TRUE(destroyed);
}

TEST(AutoObjectTest, ASubclassDecidesWhenReleaseFrees) {
    bool destroyed = false;
    auto* object = new TqoKeptSample(&destroyed);
    object->Intf()->AddRef();
    object->Intf()->Release();
    EXPECT_FALSE(destroyed);
    object->fOwnerGone = true;
    object->Intf()->AddRef();
    object->Intf()->Release();
    EXPECT_TRUE(destroyed);
}

TEST(AutoObjectTest, ErrorAndClassInfoObjectsKeepTheirOwnerAlive) {
    bool destroyed = false;
    auto* object = new TqoSample(&destroyed);
    object->ObjAddRef();
    ISupportErrorInfo* support = nullptr;
    ASSERT_EQ(object->Intf()->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)),
              S_OK);
    object->ObjRelease();
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ISample), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IClassFactory), S_FALSE);
    IProvideClassInfo* classInfo = nullptr;
    ASSERT_EQ(support->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(&classInfo)), S_OK);
    ITypeInfo* info = nullptr;
    EXPECT_EQ(classInfo->GetClassInfo(nullptr), E_POINTER);
    EXPECT_EQ(classInfo->GetClassInfo(&info), TYPE_E_ELEMENTNOTFOUND);
    ISample* back = nullptr;
    ASSERT_EQ(classInfo->QueryInterface(IID_ISample, reinterpret_cast<void**>(&back)), S_OK);
    back->Release();
    classInfo->Release();
    support->Release();
    EXPECT_TRUE(destroyed);
}

TEST(AutoObjectTest, AnExceptionThroughTheVtableLeavesErrorInfoForThisThreadOnly) {
    auto* object = new TqoSample();
    object->ObjAddRef();
    TqoBstr message("no such thing");
    EXPECT_EQ(object->Fail(0, message.Get()), E_UNEXPECTED);
    std::thread([] {
        IErrorInfo* other = nullptr;
        EXPECT_EQ(GetErrorInfo(0, &other), S_FALSE);
    }).join();
    IErrorInfo* info = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    GUID guid{};
    TqoBstr source, description;
    info->GetGUID(&guid);
    info->GetSource(source.Out());
    info->GetDescription(description.Out());
    EXPECT_TRUE(guid == IID_ISample);
    EXPECT_EQ(source.Utf8(), "qoDispatchSample.qoSample");
    EXPECT_EQ(description.Utf8(), "no such thing");
    info->Release();
    EXPECT_EQ(GetErrorInfo(0, &info), S_FALSE); // taken once
    EXPECT_EQ(object->get_Number(nullptr), E_POINTER);
    object->ObjRelease();
}

TEST(AutoObjectTest, TheBaseCostsAVtablePointerAndACounter) {
    EXPECT_LE(sizeof(TqoAutoObject), 2 * sizeof(void*));
}

TEST(AutoObjectTest, LiveObjectsAndLocksKeepTheServer) {
    LONG before = ServerLockCount();
    auto* object = new TqoSample();
    object->ObjAddRef();
    EXPECT_EQ(ServerLockCount(), before + 1);
    object->ObjRelease();
    EXPECT_EQ(ServerLockCount(), before);
}

TEST(ClassFactoryTest, CreatesByClsidAndRefusesWhatItCannotDo) {
    TqoFactoryList list;
    bool destroyed = false;
    TqoClassDescription description;
    description.fClsid = IID_ISample2;
    description.fClassName = "qoSample";
    list.Add(description, [&] { return static_cast<IUnknown*>((new TqoSample(&destroyed))->Intf()); });
    IClassFactory* factory = nullptr;
    ASSERT_EQ(list.GetClassObject(IID_ISample2, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(list.GetClassObject(IID_ISample, IID_IClassFactory, &none), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(none, nullptr);

    ISample* sample = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_ISample, reinterpret_cast<void**>(&sample)), S_OK);
    sample->Release();
    EXPECT_TRUE(destroyed);
    destroyed = false;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &none), E_NOINTERFACE);
    EXPECT_TRUE(destroyed); // nobody holds it
    EXPECT_EQ(factory->CreateInstance(sample, IID_ISample, &none), CLASS_E_NOAGGREGATION);

    LONG before = ServerLockCount();
    factory->LockServer(true);
    EXPECT_EQ(ServerLockCount(), before + 1);
    factory->LockServer(false);
    EXPECT_EQ(ServerLockCount(), before);
}

} // namespace
} // namespace qo::test
