#include "platform/com/qoVariant.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/core/qoDateFormat.h"
#include "platform/core/qoRounding.h"

#ifndef _WIN32
namespace {

bool IsObject(VARTYPE vt) {
    return vt == VT_DISPATCH || vt == VT_UNKNOWN;
}

bool IsNumeric(VARTYPE vt) {
    switch (vt) {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_DATE:
    case VT_BOOL:
    case VT_UI1:
    case VT_UI4:
        return true;
    default:
        return false;
    }
}

bool IsKnown(VARTYPE vt) {
    return vt == VT_EMPTY || vt == VT_NULL || vt == VT_BSTR || vt == VT_ERROR || IsObject(vt) ||
           IsNumeric(vt);
}

double NumberOf(const VARIANT& v) {
    switch (v.vt) {
    case VT_I2:
        return v.iVal;
    case VT_I4:
        return v.lVal;
    case VT_R4:
        return v.fltVal;
    case VT_R8:
        return v.dblVal;
    case VT_DATE:
        return v.date;
    case VT_BOOL:
        return v.boolVal ? -1 : 0;
    case VT_UI1:
        return v.bVal;
    case VT_UI4:
        return v.ulVal;
    default:
        return 0;
    }
}

bool ParseNumber(BSTR text, double& out) {
    std::string s = qo::BstrToUtf8(text);
    const char* begin = s.c_str();
    while (*begin == ' ' || *begin == '\t') ++begin;
    if (!*begin) return false;
    char* end = nullptr;
    out = std::strtod(begin, &end);
    while (*end == ' ' || *end == '\t') ++end;
    return *end == 0 && std::isfinite(out);
}

HRESULT NumberFromText(BSTR text, VARTYPE vt, double& out) {
    std::string s = qo::BstrToUtf8(text);
    if (vt == VT_BOOL && (s == "True" || s == "true" || s == "TRUE")) return out = -1, S_OK;
    if (vt == VT_BOOL && (s == "False" || s == "false" || s == "FALSE")) return out = 0, S_OK;
    if (ParseNumber(text, out)) return S_OK;
    if (vt == VT_DATE && qo::TryStrToDateTime(s, out, qo::FormatSettings())) return S_OK;
    return DISP_E_TYPEMISMATCH;
}

// Stores a number as vt, rounding halves to even and refusing what does not fit.
HRESULT StoreNumber(VARIANT& target, double d, VARTYPE vt) {
    auto fits = [&](double lo, double hi) { return d >= lo && d <= hi; };
    switch (vt) {
    case VT_I2:
        if (!fits(-32768.5, 32767.5)) return DISP_E_OVERFLOW;
        target.iVal = static_cast<SHORT>(qo::Round(d));
        break;
    case VT_I4:
        if (!fits(-2147483648.5, 2147483647.5)) return DISP_E_OVERFLOW;
        target.lVal = static_cast<LONG>(qo::RoundInt64(d));
        break;
    case VT_UI1:
        if (!fits(-0.5, 255.5)) return DISP_E_OVERFLOW;
        target.bVal = static_cast<BYTE>(qo::Round(d));
        break;
    case VT_UI4:
        if (!fits(-0.5, 4294967295.5)) return DISP_E_OVERFLOW;
        target.ulVal = static_cast<ULONG>(qo::RoundInt64(d));
        break;
    case VT_R4:
        if (!fits(-FLT_MAX, FLT_MAX)) return DISP_E_OVERFLOW;
        target.fltVal = static_cast<float>(d);
        break;
    case VT_R8:
        target.dblVal = d;
        break;
    case VT_DATE:
        if (!fits(-657434.0, 2958466.0)) return DISP_E_OVERFLOW;
        target.date = d;
        break;
    case VT_BOOL:
        target.boolVal = d != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    default:
        return DISP_E_TYPEMISMATCH;
    }
    target.vt = vt;
    return S_OK;
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
    default:
        std::snprintf(buffer, sizeof buffer, "%.0f", NumberOf(v));
        return buffer;
    }
}

HRESULT ValueOfObject(IDispatch* object, VARIANT& value) {
    if (!object) return DISP_E_TYPEMISMATCH;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    HRESULT hr = object->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                &value, nullptr, nullptr);
    return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
}

HRESULT Coerce(VARIANT& target, const VARIANT& source, VARTYPE vt);

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

// Objects answer with their value property, which is then converted.
HRESULT CoerceFromObject(VARIANT& target, const VARIANT& source, VARTYPE vt) {
    VARIANT value;
    VariantInit(&value);
    IDispatch* object = nullptr;
    if (source.vt == VT_DISPATCH)
        object = source.pdispVal;
    else if (source.punkVal)
        source.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object));
    HRESULT hr = ValueOfObject(object, value);
    if (source.vt == VT_UNKNOWN && object) object->Release();
    if (SUCCEEDED(hr)) hr = IsObject(value.vt) ? DISP_E_TYPEMISMATCH : Coerce(target, value, vt);
    VariantClear(&value);
    return hr;
}

HRESULT Coerce(VARIANT& target, const VARIANT& source, VARTYPE vt) {
    if (!IsKnown(vt)) return DISP_E_BADVARTYPE;
    if (!IsKnown(source.vt)) return DISP_E_BADVARTYPE;
    if (source.vt == vt) return VariantCopy(&target, const_cast<VARIANT*>(&source));
    if (vt == VT_EMPTY) return S_OK;
    if (IsObject(vt)) return CoerceObject(target, source, vt);
    if (IsObject(source.vt)) return CoerceFromObject(target, source, vt);
    if (vt == VT_NULL && source.vt == VT_EMPTY) return target.vt = VT_NULL, S_OK;
    if (vt == VT_NULL || vt == VT_ERROR || source.vt == VT_NULL || source.vt == VT_ERROR)
        return DISP_E_TYPEMISMATCH;
    if (vt == VT_BSTR) {
        target.bstrVal = qo::BstrFromUtf8(TextOf(source));
        if (!target.bstrVal) return E_OUTOFMEMORY;
        target.vt = VT_BSTR;
        return S_OK;
    }
    double number = NumberOf(source);
    if (source.vt == VT_BSTR) {
        HRESULT hr = NumberFromText(source.bstrVal, vt, number);
        if (FAILED(hr)) return hr;
    }
    return StoreNumber(target, number, vt);
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
    if (!(source->vt & VT_BYREF)) return VariantCopy(target, source);
    VARTYPE vt = source->vt & ~VT_BYREF;
    if (!source->byref) return E_INVALIDARG;
    if (vt == VT_VARIANT) return VariantCopyInd(target, source->pvarVal);
    if (!IsKnown(vt) || vt == VT_EMPTY || vt == VT_NULL) return DISP_E_BADVARTYPE;
    VARIANT value;
    VariantInit(&value);
    value.vt = vt;
    switch (vt) {
    case VT_I2:
        value.iVal = *source->piVal;
        break;
    case VT_I4:
        value.lVal = *source->plVal;
        break;
    case VT_R4:
        value.fltVal = *source->pfltVal;
        break;
    case VT_R8:
        value.dblVal = *source->pdblVal;
        break;
    case VT_DATE:
        value.date = *source->pdate;
        break;
    case VT_BOOL:
        value.boolVal = *source->pboolVal;
        break;
    case VT_UI1:
        value.bVal = *source->pbVal;
        break;
    case VT_UI4:
        value.ulVal = *reinterpret_cast<ULONG*>(source->byref);
        break;
    case VT_ERROR:
        value.scode = *source->pscode;
        break;
    case VT_BSTR:
        value.bstrVal = *source->pbstrVal;
        break;
    default:
        value.punkVal = *source->ppunkVal;
        break;
    }
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

HRESULT VariantChangeType(VARIANT* target, VARIANT* source, USHORT, VARTYPE vt) {
    if (!target || !source) return E_INVALIDARG;
    VARIANT plain;
    VariantInit(&plain);
    HRESULT hr = VariantCopyInd(&plain, source);
    VARIANT result;
    VariantInit(&result);
    if (SUCCEEDED(hr)) hr = Coerce(result, plain, vt);
    VariantClear(&plain);
    if (SUCCEEDED(hr)) {
        VariantClear(target);
        *target = result;
    }
    return hr;
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
