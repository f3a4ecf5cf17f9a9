#include "platform/com/qoDispatch.h"

#include <algorithm>
#include <bitset>
#include <cassert>
#include <new>

#ifndef _WIN32
namespace qo {

namespace {

char16_t Fold(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool SameName(const OLECHAR* a, const char16_t* b) {
    for (; *a && *b; ++a, ++b)
        if (Fold(*a) != Fold(*b)) return false;
    return *a == *b;
}

bool Accepts(const TqoDispMember& m, WORD flags) {
    switch (m.fKind) {
    case INVOKE_FUNC:
        return flags & DISPATCH_METHOD;
    case INVOKE_PROPERTYGET:
        return flags & DISPATCH_PROPERTYGET;
    case INVOKE_PROPERTYPUT:
        return flags & DISPATCH_PROPERTYPUT;
    case INVOKE_PROPERTYPUTREF:
        return flags & DISPATCH_PROPERTYPUTREF;
    }
    return false;
}

// An object property declared with put only is also set by a put-ref ("Set x.P = obj").
// Events have no implementation of ours: they are not found, as in a table
// without them.
const TqoDispMember* FindMember(const TqoDispInterface& table, DISPID id, WORD flags) {
    const TqoDispMember* fallback = nullptr;
    bool known = false;
    for (WORD i = 0; i < table.fMemberCount; ++i) {
        const TqoDispMember& m = table.fMembers[i];
        if (m.fId != id || !m.fThunk) continue;
        known = true;
        if (Accepts(m, flags)) return &m;
        if (m.fKind == INVOKE_PROPERTYPUT && (flags & DISPATCH_PROPERTYPUTREF)) fallback = &m;
    }
    return known ? fallback : nullptr;
}

bool IsPut(const TqoDispMember& m) {
    return m.fKind >= INVOKE_PROPERTYPUT;
}

// The parameter that named argument `id` fills, or -1 for none.
int NamedTarget(const TqoDispMember& m, DISPID id) {
    const bool put = IsPut(m);
    if (id == DISPID_PROPERTYPUT) return put ? m.fArgCount - 1 : -1;
    return id >= 0 && UINT(id) + put < UINT(m.fArgCount) ? id : -1;
}

// Positional arguments fill the first parameters, named ones theirs (names
// are the parameter DISPIDs that GetIDsOfNames hands out); a put's value is
// named DISPID_PROPERTYPUT. Every parameter needs exactly one argument.
HRESULT CheckArguments(const TqoDispMember& m, const DISPPARAMS& params, UINT* argErr) {
    if (params.cArgs && !params.rgvarg) return E_INVALIDARG;
    if (params.cNamedArgs > params.cArgs || (params.cNamedArgs && !params.rgdispidNamedArgs))
        return E_INVALIDARG;
    const DISPID* named = params.rgdispidNamedArgs;
    if (IsPut(m) && std::find(named, named + params.cNamedArgs, DISPID_PROPERTYPUT) == named + params.cNamedArgs)
        return DISP_E_PARAMNOTOPTIONAL;
    if (params.cArgs > m.fArgCount) return DISP_E_BADPARAMCOUNT;
    const UINT positional = params.cArgs - params.cNamedArgs;
    std::bitset<256> filled;
    assert(m.fArgCount <= filled.size() && "members have a few parameters");
    for (UINT p = 0; p < positional; ++p) filled.set(p);
    bool names = false;
    for (UINT j = 0; j < params.cNamedArgs; ++j) {
        const int target = NamedTarget(m, named[j]);
        if (target < 0 || filled.test(size_t(target))) {
            if (argErr) *argErr = j;
            return DISP_E_PARAMNOTFOUND;
        }
        filled.set(size_t(target));
        names = names || named[j] != DISPID_PROPERTYPUT;
    }
    if (params.cArgs == m.fArgCount) return S_OK;
    return names ? DISP_E_PARAMNOTOPTIONAL : DISP_E_BADPARAMCOUNT;
}

void FillException(EXCEPINFO* excep, HRESULT code) {
    *excep = EXCEPINFO{};
    excep->scode = code;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info) return;
    info->GetSource(&excep->bstrSource);
    info->GetDescription(&excep->bstrDescription);
    info->GetHelpFile(&excep->bstrHelpFile);
    info->GetHelpContext(&excep->dwHelpContext);
    info->Release();
}

HRESULT CallMember(const TqoDispMember& m, void* intf, DISPPARAMS& params, VARIANT* result, UINT* argErr) {
    TqoDispCall call(params, result, m);
    try {
        return m.fThunk(intf, call);
    } catch (const TqoArgError& e) {
        if (argErr) *argErr = call.Position(e.fIndex);
        return e.fCode;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

bool IsArgumentFailure(HRESULT hr) {
    return hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW || hr == DISP_E_BADVARTYPE;
}

} // namespace

UINT TqoDispCall::NamedPosition(UINT index) const {
    for (UINT j = 0; j < fParams.cNamedArgs; ++j)
        if (NamedTarget(fMember, fParams.rgdispidNamedArgs[j]) == int(index)) return j;
    assert(false && "DispInvoke checked that every parameter has an argument");
    return 0;
}

void LoadArg(TqoDispCall& call, UINT index, VARTYPE vt, VARIANT& temp) {
    VARIANT& arg = call.Arg(index);
    // The common case: a number of the declared type, which owns nothing.
    if (arg.vt == vt && vt != VT_BSTR && vt != VT_DISPATCH && vt != VT_UNKNOWN && vt != VT_VARIANT &&
        vt != VT_DECIMAL) {
        temp = arg;
        return;
    }
    HRESULT hr = vt == VT_VARIANT ? VariantCopyInd(&temp, &arg) : VariantChangeType(&temp, &arg, 0, vt);
    if (FAILED(hr)) call.Fail(index, hr == E_INVALIDARG ? DISP_E_TYPEMISMATCH : hr);
}

HRESULT DispGetIDsOfNames(const TqoDispInterface& table, LPOLESTR* names, UINT count, DISPID* ids) {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (!names[0]) return E_INVALIDARG;
    const TqoDispMember* member = nullptr;
    for (WORD i = 0; i < table.fMemberCount && !member; ++i)
        if (SameName(names[0], table.fMembers[i].fName)) member = &table.fMembers[i];
    if (!member) return DISP_E_UNKNOWNNAME;
    ids[0] = member->fId;
    HRESULT hr = S_OK;
    for (UINT n = 1; n < count; ++n) {
        for (WORD p = 0; names[n] && p < member->fArgCount; ++p)
            if (SameName(names[n], member->fParams[p].fName)) ids[n] = p;
        if (ids[n] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT DispInvoke(const TqoDispInterface& table, void* intf, DISPID id, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    if (!params) return E_INVALIDARG;
    const TqoDispMember* member = FindMember(table, id, flags);
    if (!member) return DISP_E_MEMBERNOTFOUND;
    HRESULT hr = CheckArguments(*member, *params, argErr);
    if (FAILED(hr)) return hr;
    if (result) VariantInit(result);
    SetErrorInfo(0, nullptr);
    hr = CallMember(*member, intf, *params, result, argErr);
    if (SUCCEEDED(hr) || IsArgumentFailure(hr) || !excep) return hr;
    FillException(excep, hr);
    return DISP_E_EXCEPTION;
}

} // namespace qo
#endif
