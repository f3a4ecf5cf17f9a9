#pragma once
// The conversions between automation types and the plain C++ types that the
// generated forwarding bases hand to their owners, in one place: Booleans are
// bool, text is UTF-8 std::string, a VARIANT comes in as const VARIANT& and
// goes out as TqoVariant; interfaces come in borrowed and are returned
// borrowed by the owner (the base adds the caller's reference); numbers,
// dates, colours and enumerations pass unchanged.
#include <new>
#include <string>
#include <type_traits>

#include "platform/com/qoErrorInfo.h"
#include "platform/com/qoVariant.h"

namespace qo {

template <VARTYPE VT, class T> decltype(auto) AutoIn(const T& value) {
    if constexpr (VT == VT_BOOL)
        return FromVariantBool(value);
    else if constexpr (VT == VT_BSTR)
        return BstrToUtf8(value);
    else if constexpr (VT == VT_VARIANT)
        return static_cast<const VARIANT&>(value);
    else
        return T(value);
}

// Stores an owner's answer into a member's out pointer.
template <VARTYPE VT, class T, class U> void AutoOut(T* target, U&& value) {
    if constexpr (VT == VT_BOOL) {
        *target = ToVariantBool(value);
    } else if constexpr (VT == VT_BSTR) {
        const std::string& text = value;
        *target = BstrFromUtf8(text);
        if (!*target && !text.empty()) throw std::bad_alloc();
    } else if constexpr (VT == VT_VARIANT) {
        *target = value.Detach();
    } else if constexpr (VT == VT_DISPATCH || VT == VT_UNKNOWN) {
        *target = value;
        if (*target) (*target)->AddRef();
    } else {
        *target = static_cast<T>(value);
    }
}

} // namespace qo
