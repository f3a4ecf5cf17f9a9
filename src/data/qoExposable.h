#pragma once
// The base of every object handed to automation clients. The owner frees the
// object with FreeWheneverPossible; when clients still hold references the
// memory stays until the last of them is released.
#include "platform/com/qoAutoObject.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace qo {
class TqoExposable;
}

// Leads from any interface of one of our objects back to the object.
struct IResolveToObject : IUnknown {
    virtual qo::TqoExposable* STDMETHODCALLTYPE GetObjectFromInterface() = 0;
};
inline constexpr IID IID_IResolveToObject = {
    0x4EB18E6A, 0x680B, 0xC469, {0x5D, 0xB0, 0xA4, 0xEF, 0x3F, 0x00, 0x77, 0x4C}};

namespace qo {

class TqoExposable : public TqoAutoObject {
public:
    int32_t ObjAddRef() override;
    int32_t ObjRelease() override;
    HRESULT ObjQueryInterface(REFIID iid, void** object) override;
    // Nil for a class that adds no interface of its own; its automation subclass names one.
    IDispatch* DefaultDispatch() override { return nullptr; }

    bool CanDelete() const { return fRefCount.load() == 0; }
    int32_t RefCount() const { return fRefCount.load(); }
    // Detaches the object, then destroys it now or at the last release.
    void FreeWheneverPossible();
    static void FreeCall(TqoExposable* obj);

protected:
    TqoExposable() = default;
    // Only FreeCall and the last release destroy an exposable object.
    ~TqoExposable() override = default;
    virtual void CleanForFree() = 0;

private:
    bool fWhenZeroRefCountDestroy = false;
};

// The object behind an interface that a host passed in: nil for nil; the
// platform's cast error for an interface that is not one of ours.
TqoExposable* ResolveToObject(IUnknown* intf);

// Resolves and checks the class; the cast error for an object of another class.
template <class T> T* ResolveToObjectOf(IUnknown* intf) {
    TqoExposable* object = ResolveToObject(intf);
    if (!object) return nullptr;
    T* typed = dynamic_cast<T*>(object);
    if (!typed) throw EInvalidCast();
    return typed;
}

// Keeps objects in memory while host code runs that may free them; an object
// that its owner freed meanwhile goes at the end of the scope.
template <class T> class TqoKeepAlive {
public:
    explicit TqoKeepAlive(std::vector<T*> objects) : fObjects(std::move(objects)) {
        for (T* object : fObjects) object->ObjAddRef();
    }
    TqoKeepAlive(const TqoKeepAlive&) = delete;
    TqoKeepAlive& operator=(const TqoKeepAlive&) = delete;
    ~TqoKeepAlive() {
        for (T* object : fObjects) object->ObjRelease();
    }
    const std::vector<T*>& Objects() const { return fObjects; }

private:
    std::vector<T*> fObjects;
};

// Hands out an interface with a reference for the caller; nil stays nil.
template <class I> I* AddRefed(I* intf) {
    if (intf) intf->AddRef();
    return intf;
}

} // namespace qo
