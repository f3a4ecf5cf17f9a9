#pragma once
// TqoAutoObject: the base of every object that a host can hold.
//
// A class implements a dual interface IXxx of the type library by deriving from
// TqoAutoObject (once) and from TqoAutoIntf<Class, IXxx> (once per interface).
// TqoAutoIntf supplies IUnknown and IDispatch for IXxx: reference counting goes
// to ObjAddRef/ObjRelease, QueryInterface to ObjQueryInterface, and GetIDsOfNames,
// Invoke and GetTypeInfo are answered from IXxx's entry in the type library (the
// tables generated from the IDL here, the module's type library on Windows).
// The class then
//   - overrides every member of IXxx under its widl name (methods by name,
//     properties as get_X / put_X / putref_X), running the body under Guard(),
//     which turns any exception into a failure code with error info (source =
//     ProgID(), description = the message; EOleError carries its own code);
//   - answers its interfaces in ObjQueryInterface, then asks its base class;
//   - names its default interface in DefaultDispatch: QueryInterface for
//     IUnknown and IDispatch gives that pointer.
//
//   class TqoThing : public qo::TqoAutoObject, public qo::TqoAutoIntf<TqoThing, IqoDataEntity> {
//   public:
//       HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* value) override {
//           return Guard(IID_IqoDataEntity, [&] { *qo::CheckPointer(value) = qo::ToVariantBool(fVisible); });
//       }
//       // ... every other member of IqoDataEntity ...
//       HRESULT ObjQueryInterface(REFIID iid, void** object) override {
//           IqoDataEntity* entity = this;
//           if (object && iid == IID_IqoDataEntity) return qo::GiveInterface(entity, object);
//           return TqoAutoObject::ObjQueryInterface(iid, object);
//       }
//       IDispatch* DefaultDispatch() override { return static_cast<IqoDataEntity*>(this); }
//       std::string_view ProgID() const override { return "qoChartixControl.qoThing"; }
//   private:
//       bool fVisible = true;
//   };
//
// Rather than overriding the interface's members itself, a class may hold the
// generated forwarding base TqoAutoBase_IXxx<Class> as a member and implement
// plain C++ members Auto_<widl name> (bool, UTF-8 std::string, borrowed
// interfaces; qoAutoConvert.h): the base applies the conversions and Guard.
//
// A class that reaches the same interface twice (IqoDataEntity directly and as
// the base of IqoDataEntity_GantTime2) answers the second copy with the
// generated QO_FORWARD_IqoDataEntity(BaseClass).
//
// Lifetime: a new object has count 0; the default ObjRelease deletes it when the
// count returns to 0. A subclass with its own rule (deferred freeing) overrides
// ObjAddRef and ObjRelease and may use fRefCount. Objects live in the small
// object pool. The base costs one vtable pointer and the counter; ISupportErrorInfo and IProvideClassInfo are small
// objects made on request that keep the owner alive.
#include <atomic>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string_view>

#include "platform/com/qoComObject.h"
#include "platform/com/qoDispatch.h"
#include "platform/core/qoSmallObjectPool.h"

namespace qo {

template <class I> HRESULT GiveInterface(I* intf, void** object) {
    intf->AddRef();
    *object = intf;
    return S_OK;
}

class TqoAutoObject : public TqoPooled {
public:
    // Every live object keeps the server loaded.
    TqoAutoObject();
    TqoAutoObject(const TqoAutoObject&) = delete;
    TqoAutoObject& operator=(const TqoAutoObject&) = delete;
    virtual ~TqoAutoObject();

    // Return the new count.
    virtual int32_t ObjAddRef();
    virtual int32_t ObjRelease();
    virtual HRESULT ObjQueryInterface(REFIID iid, void** object);
    virtual IDispatch* DefaultDispatch() = 0;
    // The source of the error info of this object's failures.
    virtual std::string_view ProgID() const;
    // The coclass's type information for IProvideClassInfo.
    virtual HRESULT GetClassTypeInfo(ITypeInfo** info);

    // Runs body; an exception becomes the failure result (see the top of this file).
    template <class F> HRESULT Guard(REFIID iid, F&& body) noexcept {
        try {
            body();
            return S_OK;
        } catch (...) {
            return HandleAutomationException(iid, ProgID());
        }
    }

protected:
    std::atomic<int32_t> fRefCount{0};
};

template <class Owner, class I> class TqoAutoIntf : public I {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return Self()->ObjQueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(Self()->ObjAddRef()); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(Self()->ObjRelease()); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, ::LCID, ITypeInfo** info) override {
        return DispGetTypeInfo(TqoIntfTraits<I>::Info(), index, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, ::LCID,
                                            DISPID* ids) override {
        if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        return DispGetIDsOfNames(TqoIntfTraits<I>::Info(), names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, ::LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) override {
        if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        return DispInvoke(TqoIntfTraits<I>::Info(), static_cast<I*>(this), id, flags, params, result, excep,
                          argErr);
    }

private:
    Owner* Self() { return static_cast<Owner*>(this); }
};

// An interface implemented by a member of its owner rather than by a base
// class, so that the interface's member names never collide with the owner's
// own operations. Derived supplies the members of I, forwarding to the owner.
// The member keeps no reference to its owner: it sits at the same place in
// every owner, so the owner is found from the member's own address (entities
// are held by the hundred thousand; every byte counts).
template <class Derived, class Owner, class I> class TqoAutoMember : public TqoAutoIntf<Derived, I> {
public:
    explicit TqoAutoMember(Owner& owner) {
        const std::ptrdiff_t offset = Address(this) - Address(std::addressof(owner));
        const std::ptrdiff_t known = sOwnerOffset.load(std::memory_order_relaxed);
        assert((known == kUnknownOffset || known == offset) && "one place for the member in every owner");
        if (known != offset) sOwnerOffset.store(offset, std::memory_order_relaxed);
    }
    TqoAutoMember(const TqoAutoMember&) = delete;
    TqoAutoMember& operator=(const TqoAutoMember&) = delete;
    int32_t ObjAddRef() { return Outer().ObjAddRef(); }
    int32_t ObjRelease() { return Outer().ObjRelease(); }
    HRESULT ObjQueryInterface(REFIID iid, void** object) { return Outer().ObjQueryInterface(iid, object); }

protected:
    // The object this member is part of.
    Owner& Outer() const {
        return *reinterpret_cast<Owner*>(Address(this) - sOwnerOffset.load(std::memory_order_relaxed));
    }

private:
    static constexpr std::ptrdiff_t kUnknownOffset = -1;
    static std::ptrdiff_t Address(const void* p) { return std::ptrdiff_t(reinterpret_cast<std::uintptr_t>(p)); }
    // Set by the first member made, before any call can reach a member.
    static inline std::atomic<std::ptrdiff_t> sOwnerOffset{kUnknownOffset};
};

// An interface that hosts seldom ask for, made on request rather than held as
// a member: the owner pays nothing until a host asks. The object keeps its
// owner alive and answers every other question as the owner does; each
// request makes a new one, which COM allows for any interface but IUnknown.
template <class Derived, class Owner, class I>
class TqoAutoTearOffIntf : public TqoAutoIntf<Derived, I>, public TqoRefCounted<Derived> {
public:
    explicit TqoAutoTearOffIntf(Owner& owner) : fOwner(owner) { fOwner.ObjAddRef(); }
    TqoAutoTearOffIntf(const TqoAutoTearOffIntf&) = delete;
    TqoAutoTearOffIntf& operator=(const TqoAutoTearOffIntf&) = delete;
    // Virtual, as its slot follows the interface's own, which callers alone
    // see; the owner's last reference may go with this one.
    virtual ~TqoAutoTearOffIntf() { fOwner.ObjRelease(); }
    int32_t ObjAddRef() { return int32_t(this->CountUp()); }
    int32_t ObjRelease() { return int32_t(this->CountDown()); }
    HRESULT ObjQueryInterface(REFIID iid, void** object) { return fOwner.ObjQueryInterface(iid, object); }
    // Hands the new object to the caller with its first reference.
    static HRESULT Give(Owner& owner, void** object) {
        auto* made = new (std::nothrow) Derived(owner);
        if (!made) return E_OUTOFMEMORY;
        return GiveInterface(static_cast<I*>(made), object);
    }

protected:
    Owner& Outer() const { return fOwner; }

private:
    Owner& fOwner;
};

} // namespace qo
