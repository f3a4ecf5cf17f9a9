#pragma once
// Dispatch by DISPID. The tables come from the IDL (tools/idl generates one per
// interface, with a small function per member that converts the arguments and
// calls the member through its vtable slot). On Windows the same entry points
// go to the type library carried by the module.
#include <cstddef>
#include <type_traits>

#include "platform/com/qoErrorInfo.h"
#include "platform/com/qoVariant.h"

namespace qo {

// Specialised by the generated header for every interface of the type library.
template <class I> struct TqoIntfTraits;

template <> struct TqoIntfTraits<IFontDisp> {
    static const IID& Iid() { return IID_IFontDisp; }
};

struct TqoTypeLibAttr {
    const GUID* fLibId;
    WORD fMajor;
    WORD fMinor;
    ::LCID fLcid;
    const char* fName;
    const char* fHelpString;
    DWORD fHelpContext;
};

#ifdef _WIN32
struct TqoDispInterface {
    const IID* fIid;
    const char16_t* fName;
};
#else
class TqoDispCall;
using TqoDispThunk = HRESULT (*)(void* intf, TqoDispCall& call);

struct TqoDispParam {
    const char16_t* fName;
    VARTYPE fVt;
    USHORT fFlags;
};

// One member in vtable order; its slot is 7 (after IDispatch) plus its index.
struct TqoDispMember {
    const char16_t* fName;
    DISPID fId;
    INVOKEKIND fKind;
    WORD fArgCount; // without the result
    WORD fParamCount;
    const TqoDispParam* fParams;
    TqoDispThunk fThunk; // null for an event: only a host's sink implements it
    const char* fHelpString;
};

struct TqoDispInterface {
    const IID* fIid;
    const char16_t* fName;
    const TqoDispMember* fMembers; // inherited ones first
    WORD fMemberCount;
    WORD fTypeFlags;
    WORD fMajor;
    WORD fMinor;
};
#endif

// The entry points of IDispatch for an interface pointer `intf` of `table`.
HRESULT DispGetTypeInfo(const TqoDispInterface& table, UINT index, ITypeInfo** info);
HRESULT DispGetIDsOfNames(const TqoDispInterface& table, LPOLESTR* names, UINT count, DISPID* ids);
HRESULT DispInvoke(const TqoDispInterface& table, void* intf, DISPID id, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excep, UINT* argErr);

// The field of a VARIANT that holds a value of type VT.
template <VARTYPE VT> auto& Field(VARIANT& v) {
    if constexpr (VT == VT_I2)
        return v.iVal;
    else if constexpr (VT == VT_I4)
        return v.lVal;
    else if constexpr (VT == VT_R4)
        return v.fltVal;
    else if constexpr (VT == VT_R8)
        return v.dblVal;
    else if constexpr (VT == VT_DATE)
        return v.date;
    else if constexpr (VT == VT_BOOL)
        return v.boolVal;
    else if constexpr (VT == VT_UI1)
        return v.bVal;
    else if constexpr (VT == VT_UI4)
        return v.ulVal;
    else if constexpr (VT == VT_ERROR)
        return v.scode;
    else if constexpr (VT == VT_BSTR)
        return v.bstrVal;
    else if constexpr (VT == VT_DISPATCH)
        return v.pdispVal;
    else if constexpr (VT == VT_UNKNOWN)
        return v.punkVal;
    else
        return v;
}

#ifndef _WIN32
// A bad argument: which one (as the parameter's position) and why.
struct TqoArgError {
    UINT fIndex;
    HRESULT fCode;
};

// The arguments of one call as the member's parameters see them. DispInvoke
// has checked that every parameter has exactly one argument.
class TqoDispCall {
public:
    TqoDispCall(DISPPARAMS& params, VARIANT* result, const TqoDispMember& member)
        : fParams(params), fResult(result), fMember(member) {}
    // Where parameter `index` stands in rgvarg: positional arguments last
    // first at the end, named ones (a put's value as DISPID_PROPERTYPUT) in front.
    UINT Position(UINT index) const {
        if (index < fParams.cArgs - fParams.cNamedArgs) return fParams.cArgs - 1 - index;
        return NamedPosition(index);
    }
    VARIANT& Arg(UINT index) { return fParams.rgvarg[Position(index)]; }
    VARIANT* Result() const { return fResult; }
    [[noreturn]] void Fail(UINT index, HRESULT code) { throw TqoArgError{index, code}; }

private:
    UINT NamedPosition(UINT index) const;

    DISPPARAMS& fParams;
    VARIANT* fResult;
    const TqoDispMember& fMember;
};

// Converts argument `index` to vt (VT_VARIANT: dereferenced copy) into temp;
// failures are reported against that argument.
void LoadArg(TqoDispCall& call, UINT index, VARTYPE vt, VARIANT& temp);

template <class T, VARTYPE VT> class TqoArgIn {
public:
    TqoArgIn(TqoDispCall& call, UINT index) {
        VariantInit(&fTemp);
        LoadArg(call, index, VT, fTemp);
    }
    TqoArgIn(const TqoArgIn&) = delete;
    TqoArgIn& operator=(const TqoArgIn&) = delete;
    ~TqoArgIn() { VariantClear(&fTemp); }
    T Get() { return static_cast<T>(Field<VT>(fTemp)); }

private:
    VARIANT fTemp;
};

using TqoArgVariant = TqoArgIn<VARIANT, VT_VARIANT>;

// An interface argument, asked for the declared interface; anything else is a
// type mismatch.
template <class I> class TqoArgIntf {
public:
    TqoArgIntf(TqoDispCall& call, UINT index) {
        TqoArgIn<IUnknown*, VT_UNKNOWN> object(call, index);
        if (object.Get() &&
            FAILED(object.Get()->QueryInterface(TqoIntfTraits<I>::Iid(), reinterpret_cast<void**>(&fIntf))))
            call.Fail(index, DISP_E_TYPEMISMATCH);
    }
    TqoArgIntf(const TqoArgIntf&) = delete;
    TqoArgIntf& operator=(const TqoArgIntf&) = delete;
    ~TqoArgIntf() {
        if (fIntf) fIntf->Release();
    }
    I* Get() { return fIntf; }

private:
    I* fIntf = nullptr;
};

// A value owned during the call and handed into a VARIANT afterwards.
template <class T, VARTYPE VT> class TqoArgSlot {
public:
    TqoArgSlot() = default;
    TqoArgSlot(const TqoArgSlot&) = delete;
    TqoArgSlot& operator=(const TqoArgSlot&) = delete;
    ~TqoArgSlot() {
        VARIANT temp;
        VariantInit(&temp);
        Store(temp);
        VariantClear(&temp);
    }

protected:
    void Store(VARIANT& target) {
        if constexpr (VT == VT_VARIANT) {
            target = fValue;
            VariantInit(&fValue);
        } else {
            target.vt = VT;
            Field<VT>(target) = static_cast<std::remove_reference_t<decltype(Field<VT>(target))>>(fValue);
            fValue = T{};
        }
    }
    void Take(VARIANT& source) {
        if constexpr (VT == VT_VARIANT)
            fValue = source;
        else
            fValue = static_cast<T>(Field<VT>(source));
        VariantInit(&source);
    }

    T fValue{};
};

template <class T, VARTYPE VT> class TqoArgRet : public TqoArgSlot<T, VT> {
public:
    explicit TqoArgRet(TqoDispCall& call) : fCall(call) {}
    T* Ptr() { return &this->fValue; }
    HRESULT Done(HRESULT hr) {
        if (SUCCEEDED(hr) && fCall.Result()) {
            VariantClear(fCall.Result());
            this->Store(*fCall.Result());
        }
        return hr;
    }

private:
    TqoDispCall& fCall;
};

// In and out: a reference of exactly the declared type is passed through;
// a reference to a VARIANT gets the new value written back; a plain value is
// read only.
template <class T, VARTYPE VT> class TqoArgRef : public TqoArgSlot<T, VT> {
public:
    TqoArgRef(TqoDispCall& call, UINT index) : fArg(call.Arg(index)) {
        if (fArg.vt == (VT | VT_BYREF) && fArg.byref) {
            fDirect = static_cast<T*>(fArg.byref);
            return;
        }
        VARIANT temp;
        VariantInit(&temp);
        LoadArg(call, index, VT, temp);
        this->Take(temp);
    }
    T* Ptr() { return fDirect ? fDirect : &this->fValue; }
    void Done(HRESULT hr) {
        if (!fDirect && SUCCEEDED(hr) && fArg.vt == (VT_BYREF | VT_VARIANT) && fArg.pvarVal) {
            VariantClear(fArg.pvarVal);
            this->Store(*fArg.pvarVal);
        }
    }

private:
    VARIANT& fArg;
    T* fDirect = nullptr;
};
#endif

} // namespace qo
