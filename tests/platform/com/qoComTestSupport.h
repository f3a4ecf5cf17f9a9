#pragma once
// Calling objects the way hosts do: arguments in natural order, laid out in
// DISPPARAMS last first, a put's value as the named argument.
#include <vector>

#include "platform/com/qoVariant.h"

namespace qo::test {

struct TqoInvokeResult {
    HRESULT fHr = S_OK;
    UINT fArgErr = ~0u;
    TqoVariant fResult;
    EXCEPINFO fExcep{};
    ~TqoInvokeResult() {
        SysFreeString(fExcep.bstrSource);
        SysFreeString(fExcep.bstrDescription);
        SysFreeString(fExcep.bstrHelpFile);
    }
};

inline void CallDispatch(IDispatch* object, DISPID id, WORD flags, std::vector<TqoVariant> args,
                         TqoInvokeResult& out) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), put ? &named : nullptr,
                         static_cast<UINT>(reversed.size()), put ? 1u : 0u};
    out.fHr = object->Invoke(id, IID_NULL, 0, flags, &params, &out.fResult, &out.fExcep, &out.fArgErr);
}

// A by-reference argument pointing at target.
inline TqoVariant ByRef(VARTYPE vt, void* target) {
    TqoVariant v;
    v.vt = static_cast<VARTYPE>(vt | VT_BYREF);
    v.byref = target;
    return v;
}

// A plain IDispatch of someone else's whose value property is 77.
class TqoForeignDispatch : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid != IID_IUnknown && iid != IID_IDispatch) return *object = nullptr, E_NOINTERFACE;
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++fRefCount; }
    ULONG STDMETHODCALLTYPE Release() override { return --fRefCount; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        if (id != DISPID_VALUE || !result) return DISP_E_MEMBERNOTFOUND;
        result->vt = VT_I4;
        result->lVal = 77;
        return S_OK;
    }
    ULONG fRefCount = 1;
};

} // namespace qo::test
