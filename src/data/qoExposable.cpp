#include "data/qoExposable.h"

#include <atomic>
#include <new>

namespace qo {

namespace {

// Made on request: resolution is rare, and the object saves an interface pointer.
class TResolveTearOff final : public IResolveToObject {
public:
    explicit TResolveTearOff(TqoExposable& owner) : fOwner(owner) { fOwner.ObjAddRef(); }
    TResolveTearOff(const TResolveTearOff&) = delete;
    TResolveTearOff& operator=(const TResolveTearOff&) = delete;
    ~TResolveTearOff() { fOwner.ObjRelease(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IResolveToObject) return GiveInterface(static_cast<IResolveToObject*>(this), object);
        return fOwner.ObjQueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++fRefCount; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG count = --fRefCount;
        if (count == 0) delete this;
        return count;
    }
    TqoExposable* STDMETHODCALLTYPE GetObjectFromInterface() override { return &fOwner; }

private:
    TqoExposable& fOwner;
    std::atomic<ULONG> fRefCount{0};
};

} // namespace

int32_t TqoExposable::ObjAddRef() {
    return ++fRefCount;
}

int32_t TqoExposable::ObjRelease() {
    const int32_t count = --fRefCount;
    if (count == 0 && fWhenZeroRefCountDestroy) delete this;
    return count;
}

HRESULT TqoExposable::ObjQueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IResolveToObject) {
        auto* tearOff = new (std::nothrow) TResolveTearOff(*this);
        if (!tearOff) return E_OUTOFMEMORY;
        return tearOff->QueryInterface(iid, object);
    }
    if ((iid == IID_IUnknown || iid == IID_IDispatch) && !DefaultDispatch()) return E_NOINTERFACE;
    return TqoAutoObject::ObjQueryInterface(iid, object);
}

void TqoExposable::FreeWheneverPossible() {
    // A handler that throws while the object detaches must not leak it.
    try {
        CleanForFree();
    } catch (...) {
        FreeCall(this);
        throw;
    }
    FreeCall(this);
}

void TqoExposable::FreeCall(TqoExposable* obj) {
    if (!obj) return;
    if (obj->CanDelete())
        delete obj;
    else
        obj->fWhenZeroRefCountDestroy = true;
}

TqoExposable* ResolveToObject(IUnknown* intf) {
    if (!intf) return nullptr;
    IResolveToObject* resolve = nullptr;
    if (FAILED(intf->QueryInterface(IID_IResolveToObject, reinterpret_cast<void**>(&resolve))) || !resolve)
        throw EInvalidCast();
    TqoExposable* object = resolve->GetObjectFromInterface();
    resolve->Release();
    return object;
}

} // namespace qo
