#include "platform/com/qoVariant.h"

#include <cstdio>
#include <string>

#include "platform/com/qoVariantNumber.h"
#include "platform/core/qoDateFormat.h"

#ifndef _WIN32
namespace {

using qo::TqoNumber;

// How far a conversion follows references to variants and objects' value
// properties that lead to further ones, so that a variant referring to itself
// or an object whose value is itself ends in an error, not in a loop.
constexpr int kMaxIndirections = 16;

bool IsObject(VARTYPE vt) {
    return vt == VT_DISPATCH || vt == VT_UNKNOWN;
}

bool IsNumeric(VARTYPE vt) {
    switch (vt) {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BOOL:
    case VT_DECIMAL:
    case VT_UI1:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
        return true;
    default:
        return false;
    }
}

bool IsKnown(VARTYPE vt) {
    return vt == VT_EMPTY || vt == VT_NULL || vt == VT_BSTR || vt == VT_ERROR || IsObject(vt) ||
           IsNumeric(vt);
}

HRESULT NumberFromText(BSTR text, VARTYPE vt, TqoNumber& out) {
    std::string s = qo::BstrToUtf8(text);
    if (vt == VT_BOOL && (s == "True" || s == "true" || s == "TRUE")) return out = TqoNumber{true, -1}, S_OK;
    if (vt == VT_BOOL && (s == "False" || s == "false" || s == "FALSE")) return out = TqoNumber{}, S_OK;
    if (qo::ParseNumberText(s, out)) return S_OK;
    double date = 0;
    if (vt == VT_DATE && qo::TryStrToDateTime(s, date, qo::FormatSettings()))
        return out = TqoNumber{false, 0, 0, date}, S_OK;
    return DISP_E_TYPEMISMATCH;
}

std::string TextOf(const VARIANT& v) {
    char buffer[64];
    switch (v.vt) {
    case VT_EMPTY:
        return {};
    case VT_R4:
        std::snprintf(buffer, sizeof buffer, "%.7G", v.fltVal);
        return buffer;
    case VT_R8:
        std::snprintf(buffer, sizeof buffer, "%.15G", v.dblVal);
        return buffer;
    case VT_DATE:
        return qo::FormatDateTime("c", v.date);
    default: {
        TqoNumber n;
        qo::NumberOfVariant(v, n);
        return qo::ExactText(n);
    }
    }
}

HRESULT ChangeType(VARIANT& target, VARIANT& source, VARTYPE vt, int depth);

// Objects answer with their value property, which is then converted.
HRESULT ValueOfObject(const VARIANT& source, VARIANT& value) {
    IDispatch* object = nullptr;
    if (source.vt == VT_DISPATCH)
        object = source.pdispVal;
    else if (source.punkVal)
        source.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object));
    if (!object) return DISP_E_TYPEMISMATCH;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    HRESULT hr = object->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                &value, nullptr, nullptr);
    if (source.vt == VT_UNKNOWN) object->Release();
    return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
}

HRESULT CoerceFromObject(VARIANT& target, const VARIANT& source, VARTYPE vt, int depth) {
    if (depth >= kMaxIndirections) return DISP_E_TYPEMISMATCH;
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = ValueOfObject(source, value);
    if (SUCCEEDED(hr)) hr = ChangeType(target, value, vt, depth + 1);
    VariantClear(&value);
    return hr == E_INVALIDARG ? DISP_E_TYPEMISMATCH : hr;
}

HRESULT CoerceObject(VARIANT& target, const VARIANT& source, VARTYPE vt) {
    if (source.vt == VT_EMPTY) {
        target.vt = vt;
        target.punkVal = nullptr;
        return S_OK;
    }
    if (!IsObject(source.vt)) return DISP_E_TYPEMISMATCH;
    if (!source.punkVal) {
        target.vt = vt;
        target.punkVal = nullptr;
        return S_OK;
    }
    void* object = nullptr;
    if (FAILED(source.punkVal->QueryInterface(vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, &object)))
        return DISP_E_TYPEMISMATCH;
    target.vt = vt;
    target.punkVal = static_cast<IUnknown*>(object);
    return S_OK;
}

// source holds a value, no reference.
HRESULT Coerce(VARIANT& target, const VARIANT& source, VARTYPE vt, int depth) {
    if (!IsKnown(vt)) return DISP_E_BADVARTYPE;
    if (!IsKnown(source.vt)) return DISP_E_BADVARTYPE;
    if (source.vt == vt) return VariantCopy(&target, const_cast<VARIANT*>(&source));
    if (vt == VT_EMPTY) return S_OK;
    if (IsObject(vt)) return CoerceObject(target, source, vt);
    if (IsObject(source.vt)) return CoerceFromObject(target, source, vt, depth);
    if (vt == VT_NULL && source.vt == VT_EMPTY) return target.vt = VT_NULL, S_OK;
    if (vt == VT_NULL || vt == VT_ERROR || source.vt == VT_NULL || source.vt == VT_ERROR)
        return DISP_E_TYPEMISMATCH;
    if (vt == VT_BSTR) {
        if (source.vt == VT_DECIMAL && source.decVal.scale > 28) return E_INVALIDARG;
        target.bstrVal = qo::BstrFromUtf8(TextOf(source));
        if (!target.bstrVal) return E_OUTOFMEMORY;
        target.vt = VT_BSTR;
        return S_OK;
    }
    TqoNumber number;
    HRESULT hr = source.vt == VT_BSTR ? NumberFromText(source.bstrVal, vt, number) : qo::NumberOfVariant(source, number);
    return FAILED(hr) ? hr : qo::StoreNumberAs(target, number, vt);
}

// What a reference of type vt points to, borrowed (not copied).
bool Pointee(const VARIANT& source, VARTYPE vt, VARIANT& value) {
    switch (vt) {
    case VT_I2:
        value.iVal = *source.piVal;
        break;
    case VT_I4:
        value.lVal = *source.plVal;
        break;
    case VT_R4:
        value.fltVal = *source.pfltVal;
        break;
    case VT_R8:
        value.dblVal = *source.pdblVal;
        break;
    case VT_CY:
        value.cyVal = *source.pcyVal;
        break;
    case VT_DATE:
        value.date = *source.pdate;
        break;
    case VT_BOOL:
        value.boolVal = *source.pboolVal;
        break;
    case VT_UI1:
        value.bVal = *source.pbVal;
        break;
    case VT_UI4:
        value.ulVal = *source.pulVal;
        break;
    case VT_I8:
        value.llVal = *source.pllVal;
        break;
    case VT_UI8:
        value.ullVal = *source.pullVal;
        break;
    case VT_ERROR:
        value.scode = *source.pscode;
        break;
    case VT_BSTR:
        value.bstrVal = *source.pbstrVal;
        break;
    case VT_DECIMAL:
        value.decVal = *source.pdecVal;
        break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        value.punkVal = *source.ppunkVal;
        break;
    default:
        return false;
    }
    value.vt = vt; // after decVal, whose first field it shares
    return true;
}

// A reference to a variant may lead to another reference; the chain is
// followed up to kMaxIndirections and refused beyond that.
HRESULT CopyInd(VARIANT* target, VARIANT* source) {
    for (int depth = 0; source->vt == (VT_BYREF | VT_VARIANT); ++depth) {
        if (!source->pvarVal || depth == kMaxIndirections) return E_INVALIDARG;
        source = source->pvarVal;
    }
    if (!(source->vt & VT_BYREF)) return VariantCopy(target, source);
    if (!source->byref) return E_INVALIDARG;
    VARIANT value;
    VariantInit(&value);
    if (!Pointee(*source, source->vt & ~VT_BYREF, value)) return DISP_E_BADVARTYPE;
    // value borrows the pointee; VariantCopy makes the owned copy.
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = VariantCopy(&result, &value);
    if (SUCCEEDED(hr)) {
        VariantClear(target);
        *target = result;
    }
    return hr;
}

HRESULT ChangeType(VARIANT& target, VARIANT& source, VARTYPE vt, int depth) {
    // Objects are held by a copy of our own while their value property runs host code.
    const bool direct = !(source.vt & VT_BYREF) && !IsObject(source.vt);
    VARIANT plain;
    VariantInit(&plain);
    HRESULT hr = direct ? S_OK : CopyInd(&plain, &source);
    VARIANT result;
    VariantInit(&result);
    if (SUCCEEDED(hr)) hr = Coerce(result, direct ? source : plain, vt, depth);
    VariantClear(&plain);
    if (SUCCEEDED(hr)) {
        VariantClear(&target);
        target = result;
    }
    return hr;
}

} // namespace

void VariantInit(VARIANT* value) {
    if (!value) return;
    value->vt = VT_EMPTY;
    value->wReserved1 = value->wReserved2 = value->wReserved3 = 0;
    value->llVal = 0;
    value->brecVal.pRecInfo = nullptr;
}

HRESULT VariantClear(VARIANT* value) {
    if (!value) return E_INVALIDARG;
    if (!(value->vt & VT_BYREF)) {
        if (value->vt == VT_BSTR)
            SysFreeString(value->bstrVal);
        else if (IsObject(value->vt) && value->punkVal)
            value->punkVal->Release();
        else if (!IsKnown(value->vt))
            return DISP_E_BADVARTYPE;
    }
    VariantInit(value);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* target, VARIANT* source) {
    if (!target || !source) return E_INVALIDARG;
    if (target == source) return S_OK;
    if (!(source->vt & VT_BYREF) && !IsKnown(source->vt)) return DISP_E_BADVARTYPE;
    VARIANT copy = *source;
    if (source->vt == VT_BSTR && source->bstrVal) {
        copy.bstrVal = SysAllocStringByteLen(reinterpret_cast<const char*>(source->bstrVal),
                                             SysStringByteLen(source->bstrVal));
        if (!copy.bstrVal) return E_OUTOFMEMORY;
    } else if (IsObject(source->vt) && source->punkVal) {
        source->punkVal->AddRef();
    }
    VariantClear(target);
    *target = copy;
    return S_OK;
}

HRESULT VariantCopyInd(VARIANT* target, VARIANT* source) {
    if (!target || !source) return E_INVALIDARG;
    return CopyInd(target, source);
}

HRESULT VariantChangeType(VARIANT* target, VARIANT* source, USHORT, VARTYPE vt) {
    if (!target || !source) return E_INVALIDARG;
    return ChangeType(*target, *source, vt, 0);
}

HRESULT VariantChangeTypeEx(VARIANT* target, VARIANT* source, LCID, USHORT flags, VARTYPE vt) {
    return VariantChangeType(target, source, flags, vt);
}
#endif

namespace qo {

namespace {

bool SameObject(IUnknown* a, IUnknown* b) {
    if (!a || !b) return a == b;
    IUnknown* ia = nullptr;
    IUnknown* ib = nullptr;
    a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ia));
    b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ib));
    bool same = ia == ib;
    if (ia) ia->Release();
    if (ib) ib->Release();
    return same;
}

bool IsObjectType(VARTYPE vt) {
    return vt == VT_DISPATCH || vt == VT_UNKNOWN;
}

bool EqualPlain(const VARIANT& a, const VARIANT& b) {
    if (a.vt == VT_NULL || b.vt == VT_NULL) return false;
    if (a.vt == VT_EMPTY || b.vt == VT_EMPTY) return a.vt == b.vt;
    if (IsObjectType(a.vt) || IsObjectType(b.vt))
        return IsObjectType(a.vt) && IsObjectType(b.vt) && SameObject(a.punkVal, b.punkVal);
    if (a.vt == VT_BSTR && b.vt == VT_BSTR) return BstrEqual(a.bstrVal, b.bstrVal);
    TqoVariant x, y;
    if (FAILED(VariantChangeType(&x, const_cast<VARIANT*>(&a), 0, VT_R8)) ||
        FAILED(VariantChangeType(&y, const_cast<VARIANT*>(&b), 0, VT_R8)))
        return false;
    return x.dblVal == y.dblVal;
}

} // namespace

bool VariantEquals(const VARIANT& a, const VARIANT& b) {
    TqoVariant x, y;
    if (FAILED(VariantCopyInd(&x, const_cast<VARIANT*>(&a))) ||
        FAILED(VariantCopyInd(&y, const_cast<VARIANT*>(&b))))
        return false;
    return EqualPlain(x, y);
}

TqoVariant::TqoVariant(IUnknown* object, VARTYPE type) : TqoVariant() {
    vt = type;
    punkVal = object;
    if (object) object->AddRef();
}

} // namespace qo
