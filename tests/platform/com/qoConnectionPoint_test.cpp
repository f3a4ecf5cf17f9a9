#include <gtest/gtest.h>

#include "platform/com/qoConnectionPoint.h"
#include "qoComTestSupport.h"
#include "qoSampleObject.h"

namespace qo::test {
namespace {

// A sample object with an event point for ISample sinks (one) and one for
// IDispatch sinks (many).
class TqoSource : public TqoSample, public IConnectionPointContainer {
public:
    explicit TqoSource(bool* destroyed) : TqoSample(destroyed) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return ObjQueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(ObjAddRef()); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(ObjRelease()); }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override {
        return qo::EnumConnectionPoints(fPoints, points);
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
        return qo::FindConnectionPoint(fPoints, iid, point);
    }
    HRESULT ObjQueryInterface(REFIID iid, void** object) override {
        if (object && iid == IID_IConnectionPointContainer)
            return GiveInterface(static_cast<IConnectionPointContainer*>(this), object);
        return TqoSample::ObjQueryInterface(iid, object);
    }

    TqoConnectionPoint fEvents{*this, IID_ISample, TqoSinkKind::Single};
    TqoConnectionPoint fNotify{*this, IID_IDispatch, TqoSinkKind::Many};
    std::vector<TqoConnectionPoint*> fPoints{&fEvents, &fNotify};
};

class ConnectionPointTest : public ::testing::Test {
protected:
    ConnectionPointTest() {
        fSource->ObjAddRef();
        fContainer = fSource;
    }
    ~ConnectionPointTest() override {
        fSource->ObjRelease();
        EXPECT_TRUE(fDestroyed);
        fSink->ObjRelease();
    }
    IConnectionPoint* Find(REFIID iid) {
        IConnectionPoint* point = nullptr;
        EXPECT_EQ(fContainer->FindConnectionPoint(iid, &point), S_OK);
        return point;
    }

    bool fDestroyed = false;
    TqoSource* fSource = new TqoSource(&fDestroyed);
    IConnectionPointContainer* fContainer = nullptr;
    TqoSample* fSink = [] {
        auto* sink = new TqoSample();
        sink->ObjAddRef();
        return sink;
    }();
    TqoForeignDispatch fForeign;
};

TEST_F(ConnectionPointTest, TheSingleKindTakesOneSinkOfItsInterface) {
    IConnectionPoint* point = Find(IID_ISample);
    DWORD cookie = 0, second = 0;
    EXPECT_EQ(point->Advise(&fForeign, &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(point->Advise(nullptr, &cookie), E_POINTER);
    ASSERT_EQ(point->Advise(fSink->Intf(), &cookie), S_OK);
    EXPECT_NE(cookie, 0u);
    EXPECT_EQ(point->Advise(fSink->Intf(), &second), CONNECT_E_ADVISELIMIT);
    int calls = 0;
    fSource->fEvents.ForEachSink([&](IUnknown* sink) {
        static_cast<ISample*>(sink)->put_Number(5);
        ++calls;
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(point->Unadvise(cookie + 1), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_FALSE(fSource->fEvents.HasSinks());
    LONG number = 0;
    fSink->get_Number(&number);
    EXPECT_EQ(number, 5);
    IConnectionPointContainer* back = nullptr;
    ASSERT_EQ(point->GetConnectionPointContainer(&back), S_OK);
    EXPECT_EQ(back, fContainer);
    back->Release();
    point->Release();
}

TEST_F(ConnectionPointTest, TheManyKindEnumeratesItsSinksAndSurvivesUnadviseDuringAnEvent) {
    IConnectionPoint* point = Find(IID_IDispatch);
    DWORD first = 0, second = 0;
    ASSERT_EQ(point->Advise(fSink->Intf(), &first), S_OK);
    ASSERT_EQ(point->Advise(&fForeign, &second), S_OK);
    IEnumConnections* connections = nullptr;
    ASSERT_EQ(point->EnumConnections(&connections), S_OK);
    CONNECTDATA data[3];
    ULONG fetched = 0;
    EXPECT_EQ(connections->Next(3, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(data[1].dwCookie, second);
    for (ULONG i = 0; i < fetched; ++i) data[i].pUnk->Release();
    connections->Release();

    int calls = 0;
    fSource->fNotify.ForEachSink([&](IUnknown*) {
        ++calls;
        point->Unadvise(first);
        point->Unadvise(second);
    });
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(fForeign.fRefCount, 1u);
    point->Release();
}

TEST_F(ConnectionPointTest, TheContainerListsAndFindsItsPoints) {
    IEnumConnectionPoints* points = nullptr;
    ASSERT_EQ(fContainer->EnumConnectionPoints(&points), S_OK);
    IConnectionPoint* items[2] = {};
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(2, items, nullptr), E_POINTER);
    EXPECT_EQ(points->Next(2, items, &fetched), S_OK);
    IID iid{};
    items[1]->GetConnectionInterface(&iid);
    EXPECT_TRUE(iid == IID_IDispatch);
    IEnumConnectionPoints* clone = nullptr;
    ASSERT_EQ(points->Clone(&clone), S_OK);
    EXPECT_EQ(clone->Skip(1), S_FALSE);
    EXPECT_EQ(points->Reset(), S_OK);
    EXPECT_EQ(points->Skip(2), S_OK);
    for (IConnectionPoint* p : items) p->Release();
    clone->Release();
    points->Release();
    IConnectionPoint* none = nullptr;
    EXPECT_EQ(fContainer->FindConnectionPoint(IID_IClassFactory, &none), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(none, nullptr);
}

} // namespace
} // namespace qo::test
