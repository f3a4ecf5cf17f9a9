#include "platform/com/qoAutoObject.h"

#include <new>

#include "platform/com/qoClassFactory.h"
#include "platform/com/qoComObject.h"
#include "qoChartixControl_TLB.h"

namespace qo {

namespace {

// Answers the error-info and class-info questions for an object without
// costing every object two more interface pointers.
class TqoAutoTearOff final : public ISupportErrorInfo,
                             public IProvideClassInfo,
                             public TqoRefCounted<TqoAutoTearOff> {
public:
    explicit TqoAutoTearOff(TqoAutoObject& owner) : fOwner(owner) { fOwner.ObjAddRef(); }
    TqoAutoTearOff(const TqoAutoTearOff&) = delete;
    TqoAutoTearOff& operator=(const TqoAutoTearOff&) = delete;
    ~TqoAutoTearOff() { fOwner.ObjRelease(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_ISupportErrorInfo) return GiveInterface(static_cast<ISupportErrorInfo*>(this), object);
        if (iid == IID_IProvideClassInfo) return GiveInterface(static_cast<IProvideClassInfo*>(this), object);
        return fOwner.ObjQueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return CountUp(); }
    ULONG STDMETHODCALLTYPE Release() override { return CountDown(); }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        IUnknown* intf = nullptr;
        if (FAILED(fOwner.ObjQueryInterface(iid, reinterpret_cast<void**>(&intf)))) return S_FALSE;
        intf->Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override {
        if (!info) return E_POINTER;
        return fOwner.GetClassTypeInfo(info);
    }

private:
    TqoAutoObject& fOwner;
};

} // namespace

TqoAutoObject::TqoAutoObject() {
    ServerLock();
}

TqoAutoObject::~TqoAutoObject() {
    ServerUnlock();
}

int32_t TqoAutoObject::ObjAddRef() {
    return ++fRefCount;
}

int32_t TqoAutoObject::ObjRelease() {
    int32_t count = --fRefCount;
    if (count == 0) delete this;
    return count;
}

HRESULT TqoAutoObject::ObjQueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch) return GiveInterface(DefaultDispatch(), object);
    if (iid == IID_ISupportErrorInfo || iid == IID_IProvideClassInfo) {
        auto* tearOff = new (std::nothrow) TqoAutoTearOff(*this);
        if (!tearOff) return E_OUTOFMEMORY;
        return tearOff->QueryInterface(iid, object);
    }
    return E_NOINTERFACE;
}

std::string_view TqoAutoObject::ProgID() const {
    return cqoChartixControlLib.fName;
}

HRESULT TqoAutoObject::GetClassTypeInfo(ITypeInfo** info) {
    *info = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

} // namespace qo
