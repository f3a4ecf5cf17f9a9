#pragma once
// VARIANT handling: the system's functions on Windows, ours elsewhere with the
// same rules for the types that automation hosts send (EMPTY, NULL, I2, I4,
// R4, R8, CY, DATE, BSTR, BOOL, DECIMAL, DISPATCH, UNKNOWN, ERROR, UI1, UI4,
// I8, UI8 and their by-reference forms).
#include <string_view>

#include "platform/com/qoBstr.h"

#ifndef _WIN32
void VariantInit(VARIANT* value);
HRESULT VariantClear(VARIANT* value);
HRESULT VariantCopy(VARIANT* target, VARIANT* source);
// Copies what a by-reference variant points to rather than the reference. A
// reference to a variant that is again a reference is followed a few levels
// deep; a longer chain (or one that loops) is E_INVALIDARG.
HRESULT VariantCopyInd(VARIANT* target, VARIANT* source);
// Sources are not changed (the system declares them without const). Target
// and source may be the same variant. Failures: DISP_E_TYPEMISMATCH
// (no conversion), DISP_E_OVERFLOW (out of range), DISP_E_BADVARTYPE.
// Whole numbers, currency and decimals convert exactly among themselves and
// to text; conversions to whole types round halves to even. An object
// converts through its value property (DISPID_VALUE), a few levels deep.
HRESULT VariantChangeType(VARIANT* target, VARIANT* source, USHORT flags, VARTYPE vt);
HRESULT VariantChangeTypeEx(VARIANT* target, VARIANT* source, LCID lcid, USHORT flags, VARTYPE vt);
#endif

namespace qo {

// The equality by which entities are found from their variant references:
// numbers (and booleans and dates) by value, strings exactly, objects by
// identity; a number and a string compare as numbers when the string reads as
// one; NULL equals nothing, EMPTY only EMPTY.
bool VariantEquals(const VARIANT& a, const VARIANT& b);

// A VARIANT that clears itself; the constructors make the automation types.
class TqoVariant : public VARIANT {
public:
    TqoVariant() { VariantInit(this); }
    explicit TqoVariant(LONG value) : TqoVariant() {
        vt = VT_I4;
        lVal = value;
    }
    explicit TqoVariant(double value, VARTYPE type = VT_R8) : TqoVariant() {
        vt = type;
        dblVal = value;
    }
    explicit TqoVariant(bool value) : TqoVariant() {
        vt = VT_BOOL;
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    explicit TqoVariant(std::string_view text) : TqoVariant() {
        vt = VT_BSTR;
        bstrVal = BstrFromUtf8(text);
    }
    // Not the bool constructor, which a literal would otherwise pick.
    explicit TqoVariant(const char* text) : TqoVariant(std::string_view(text)) {}
    explicit TqoVariant(IUnknown* object, VARTYPE type);
    TqoVariant(const TqoVariant& other) : TqoVariant() { VariantCopy(this, const_cast<TqoVariant*>(&other)); }
    TqoVariant& operator=(const TqoVariant& other) {
        if (this != &other) VariantCopy(this, const_cast<TqoVariant*>(&other));
        return *this;
    }
    ~TqoVariant() { VariantClear(this); }
    // Hands the content over and leaves this variant empty.
    VARIANT Detach() {
        VARIANT content = *this;
        vt = VT_EMPTY;
        return content;
    }
};

} // namespace qo

namespace qo {

// Automation booleans: true is -1; any non-zero value counts as true.
inline VARIANT_BOOL ToVariantBool(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}
inline bool FromVariantBool(VARIANT_BOOL value) {
    return value != 0;
}

} // namespace qo
