#pragma once
// Numbers inside variant conversions. Integers, currency and decimals stay
// exact (an integer scaled by a power of ten), so that a 64-bit integer or a
// 28-digit decimal loses nothing on its way to text or to another exact type;
// floating types and dates are doubles. Stores round halves to even and
// refuse what does not fit.
#ifndef _WIN32
#include <string>
#include <string_view>

#include "platform/com/qoComTypes.h"

namespace qo {

struct TqoNumber {
    bool fExact = true;
    __int128 fValue = 0; // exact: the number times 10^fScale
    int fScale = 0;
    double fDouble = 0;

    double ToDouble() const;
    bool IsZero() const { return fExact ? fValue == 0 : fDouble == 0; }
};

// The number a numeric variant holds by value (EMPTY is 0): S_OK,
// DISP_E_TYPEMISMATCH for a type that is no number, E_INVALIDARG for a
// decimal with a scale beyond 28.
HRESULT NumberOfVariant(const VARIANT& v, TqoNumber& out);
// A decimal literal ("-12.50", blanks around it) stays exact; anything else
// that strtod reads completely and finitely becomes a double.
bool ParseNumberText(std::string_view text, TqoNumber& out);
// Stores n as vt (a number type or BOOL): DISP_E_OVERFLOW when it does not
// fit, DISP_E_TYPEMISMATCH when vt is no number type.
HRESULT StoreNumberAs(VARIANT& target, const TqoNumber& n, VARTYPE vt);
// Exact numbers as plain decimal text without trailing zeros.
std::string ExactText(const TqoNumber& n);

} // namespace qo
#endif
