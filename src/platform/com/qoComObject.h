#pragma once
// What the runtime's small helper objects (enumerators, error info, type
// information) share: a count that deletes at the last release, and the
// QueryInterface of an object with one interface besides IUnknown.
#include <atomic>

#include "platform/com/qoComIntf.h"

namespace qo {

template <class Derived> class TqoRefCounted {
protected:
    ULONG CountUp() { return ++fRefCount; }
    ULONG CountDown() {
        ULONG count = --fRefCount;
        if (count == 0) delete static_cast<Derived*>(this);
        return count;
    }

private:
    std::atomic<ULONG> fRefCount{0};
};

template <class I> HRESULT QueryOne(I* self, REFIID iid, REFIID own, void** object) {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != own) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    self->AddRef();
    *object = self;
    return S_OK;
}

} // namespace qo
