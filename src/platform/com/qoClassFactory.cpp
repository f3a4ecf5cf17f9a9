#include "platform/com/qoClassFactory.h"

#include "platform/com/qoAutoObject.h"
#include "platform/com/qoComObject.h"

namespace qo {

namespace {

std::atomic<LONG> gServerLocks{0};

} // namespace

void ServerLock() {
    ++gServerLocks;
}
void ServerUnlock() {
    --gServerLocks;
}
LONG ServerLockCount() {
    return gServerLocks;
}

HRESULT TqoClassFactory::QueryInterface(REFIID iid, void** object) {
    return QueryOne<IClassFactory>(this, iid, IID_IClassFactory, object);
}

HRESULT TqoClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
        IUnknown* created = fCreate();
        if (!created) return E_OUTOFMEMORY;
        // The extra reference makes an object that lacks iid go away again.
        created->AddRef();
        HRESULT hr = created->QueryInterface(iid, object);
        created->Release();
        return hr;
    } catch (...) {
        return HandleAutomationException(IID_IClassFactory, fDescription.fClassName);
    }
}

HRESULT TqoClassFactory::LockServer(BOOL lock) {
    if (lock)
        ServerLock();
    else
        ServerUnlock();
    return S_OK;
}

void TqoFactoryList::Add(TqoClassDescription description, TqoClassFactory::TCreate create) {
    fFactories.push_back(std::make_unique<TqoClassFactory>(std::move(description), std::move(create)));
}

TqoClassFactory* TqoFactoryList::Find(REFCLSID clsid) const {
    for (const auto& f : fFactories)
        if (f->Description().fClsid == clsid) return f.get();
    return nullptr;
}

HRESULT TqoFactoryList::GetClassObject(REFCLSID clsid, REFIID iid, void** object) const {
    if (!object) return E_POINTER;
    *object = nullptr;
    TqoClassFactory* factory = Find(clsid);
    if (!factory) return CLASS_E_CLASSNOTAVAILABLE;
    return factory->QueryInterface(iid, object);
}

} // namespace qo
