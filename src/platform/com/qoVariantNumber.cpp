#include "platform/com/qoVariantNumber.h"

#ifndef _WIN32
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace qo {

namespace {

using Int = __int128;
constexpr int kMaxScale = 28;
constexpr Int kDecimalBound = Int(1) << 96; // a decimal's magnitude stays below
constexpr int kMaxLiteralDigits = 29;       // every such literal is below 2^97

Int Pow10(int n) {
    Int r = 1;
    while (n-- > 0) r *= 10;
    return r;
}

Int Magnitude(Int v) {
    return v < 0 ? -v : v;
}

// value / 10^n, halves to even.
Int DivRound(Int value, int n) {
    if (n <= 0) return value * Pow10(-n);
    const Int d = Pow10(n);
    Int q = value / d;
    const Int twice = 2 * Magnitude(value % d);
    if (twice > d || (twice == d && (q & 1))) q += value < 0 ? -1 : 1;
    return q;
}

// n times 10^scale as a whole number, halves to even; false when far beyond
// any 64-bit range.
bool Scaled(const TqoNumber& n, int scale, Int& out) {
    if (n.fExact) {
        out = DivRound(n.fValue, n.fScale - scale);
        return true;
    }
    const double x = scale == 0 ? n.fDouble : n.fDouble * std::pow(10.0, scale);
    if (!(std::fabs(x) < 1e30)) return false;
    out = static_cast<Int>(std::nearbyint(x)); // the default mode rounds halves to even
    return true;
}

template <class T> HRESULT Whole(const TqoNumber& n, int scale, T& out) {
    Int v = 0;
    if (!Scaled(n, scale, v) || v < Int(std::numeric_limits<T>::min()) || v > Int(std::numeric_limits<T>::max()))
        return DISP_E_OVERFLOW;
    out = static_cast<T>(v);
    return S_OK;
}

bool ParseLiteral(std::string_view s, TqoNumber& out);

// A double as the fifteen significant digits it carries.
bool DecimalOfDouble(double d, TqoNumber& out) {
    if (!std::isfinite(d)) return false;
    char text[64];
    std::snprintf(text, sizeof text, "%.14E", d);
    char* exponent = std::strchr(text, 'E');
    const int power = std::atoi(exponent + 1);
    if (!ParseLiteral(std::string_view(text, size_t(exponent - text)), out) || power > kMaxScale) return false;
    out.fScale -= power;
    if (out.fScale < 0) {
        out.fValue *= Pow10(-out.fScale);
        out.fScale = 0;
    }
    while (out.fScale > 0 && out.fValue % 10 == 0) {
        out.fValue /= 10;
        --out.fScale;
    }
    return true;
}

HRESULT StoreDecimal(VARIANT& target, const TqoNumber& n) {
    TqoNumber exact = n;
    if (!n.fExact && !DecimalOfDouble(n.fDouble, exact)) return DISP_E_OVERFLOW;
    while (exact.fScale > kMaxScale || (Magnitude(exact.fValue) >= kDecimalBound && exact.fScale > 0)) {
        exact.fValue = DivRound(exact.fValue, 1);
        --exact.fScale;
    }
    if (Magnitude(exact.fValue) >= kDecimalBound) return DISP_E_OVERFLOW;
    const auto m = static_cast<unsigned __int128>(Magnitude(exact.fValue));
    target.decVal.scale = static_cast<BYTE>(exact.fScale);
    target.decVal.sign = exact.fValue < 0 ? DECIMAL_NEG : 0;
    target.decVal.Hi32 = static_cast<ULONG>(m >> 64);
    target.decVal.Lo64 = static_cast<ULONGLONG>(m);
    target.vt = VT_DECIMAL; // after decVal, whose first field it shares
    return S_OK;
}

HRESULT StoreFloating(VARIANT& target, double d, VARTYPE vt) {
    switch (vt) {
    case VT_R4:
        if (std::isfinite(d) && std::fabs(d) > FLT_MAX) return DISP_E_OVERFLOW;
        target.fltVal = static_cast<float>(d);
        break;
    case VT_R8:
        target.dblVal = d;
        break;
    default: // VT_DATE: years 100 to 9999
        if (!(d >= -657434.0 && d <= 2958466.0)) return DISP_E_OVERFLOW;
        target.date = d;
        break;
    }
    target.vt = vt;
    return S_OK;
}

// Reads [-+]digits[.digits] exactly; false for anything else or too many digits.
bool ParseLiteral(std::string_view s, TqoNumber& out) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    Int value = 0;
    int digits = 0, scale = 0;
    bool point = false, anyDigit = false;
    for (; i < s.size(); ++i) {
        if (s[i] == '.' && !point) {
            point = true;
            continue;
        }
        if (s[i] < '0' || s[i] > '9') return false;
        anyDigit = true;
        if (value == 0 && s[i] == '0' && !point) continue; // leading zeros
        if (++digits > kMaxLiteralDigits || (point && scale == kMaxScale)) return false;
        value = value * 10 + (s[i] - '0');
        scale += point;
    }
    if (!anyDigit) return false;
    out = TqoNumber{true, negative ? -value : value, scale, 0};
    return true;
}

} // namespace

double TqoNumber::ToDouble() const {
    if (!fExact) return fDouble;
    if (fScale == 0) return static_cast<double>(fValue);
    return static_cast<double>(static_cast<long double>(fValue) / std::pow(10.0L, fScale));
}

HRESULT NumberOfVariant(const VARIANT& v, TqoNumber& out) {
    out = TqoNumber{};
    switch (v.vt) {
    case VT_EMPTY:
        return S_OK;
    case VT_I2:
        return out.fValue = v.iVal, S_OK;
    case VT_I4:
        return out.fValue = v.lVal, S_OK;
    case VT_UI1:
        return out.fValue = v.bVal, S_OK;
    case VT_UI4:
        return out.fValue = v.ulVal, S_OK;
    case VT_I8:
        return out.fValue = v.llVal, S_OK;
    case VT_UI8:
        return out.fValue = v.ullVal, S_OK;
    case VT_BOOL:
        return out.fValue = v.boolVal ? -1 : 0, S_OK;
    case VT_CY:
        out.fScale = 4;
        return out.fValue = v.cyVal.int64, S_OK;
    case VT_DECIMAL: {
        if (v.decVal.scale > kMaxScale) return E_INVALIDARG;
        const Int m = (Int(v.decVal.Hi32) << 64) | Int(v.decVal.Lo64);
        out.fValue = (v.decVal.sign & DECIMAL_NEG) ? -m : m;
        out.fScale = v.decVal.scale;
        return S_OK;
    }
    case VT_R4:
        return out = TqoNumber{false, 0, 0, v.fltVal}, S_OK;
    case VT_R8:
        return out = TqoNumber{false, 0, 0, v.dblVal}, S_OK;
    case VT_DATE:
        return out = TqoNumber{false, 0, 0, v.date}, S_OK;
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

bool ParseNumberText(std::string_view text, TqoNumber& out) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return false;
    text = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    if (ParseLiteral(text, out)) return true;
    const std::string s(text);
    char* end = nullptr;
    const double d = std::strtod(s.c_str(), &end);
    if (*end != 0 || !std::isfinite(d)) return false;
    out = TqoNumber{false, 0, 0, d};
    return true;
}

HRESULT StoreNumberAs(VARIANT& target, const TqoNumber& n, VARTYPE vt) {
    HRESULT hr = S_OK;
    switch (vt) {
    case VT_I2:
        hr = Whole(n, 0, target.iVal);
        break;
    case VT_I4:
        hr = Whole(n, 0, target.lVal);
        break;
    case VT_UI1:
        hr = Whole(n, 0, target.bVal);
        break;
    case VT_UI4:
        hr = Whole(n, 0, target.ulVal);
        break;
    case VT_I8:
        hr = Whole(n, 0, target.llVal);
        break;
    case VT_UI8:
        hr = Whole(n, 0, target.ullVal);
        break;
    case VT_CY:
        hr = Whole(n, 4, target.cyVal.int64);
        break;
    case VT_BOOL:
        target.boolVal = n.IsZero() ? VARIANT_FALSE : VARIANT_TRUE;
        break;
    case VT_DECIMAL:
        return StoreDecimal(target, n);
    case VT_R4:
    case VT_R8:
    case VT_DATE:
        return StoreFloating(target, n.ToDouble(), vt);
    default:
        return DISP_E_TYPEMISMATCH;
    }
    if (SUCCEEDED(hr)) target.vt = vt;
    return hr;
}

std::string ExactText(const TqoNumber& n) {
    auto m = static_cast<unsigned __int128>(Magnitude(n.fValue));
    std::string digits;
    do {
        digits.insert(digits.begin(), char('0' + int(m % 10)));
        m /= 10;
    } while (m);
    if (n.fScale > 0) {
        if (digits.size() <= size_t(n.fScale)) digits.insert(0, size_t(n.fScale) + 1 - digits.size(), '0');
        digits.insert(digits.size() - size_t(n.fScale), 1, '.');
        digits.erase(digits.find_last_not_of('0') + 1);
        if (digits.back() == '.') digits.pop_back();
    }
    return n.fValue < 0 ? "-" + digits : digits;
}

} // namespace qo
#endif
