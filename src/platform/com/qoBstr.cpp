#include "platform/com/qoBstr.h"

#include <cstdlib>
#include <cstring>

#include "platform/core/qoUnicode.h"

#ifndef _WIN32
namespace {

// The byte count sits in the four bytes before the characters.
uint32_t* Header(BSTR text) {
    return reinterpret_cast<uint32_t*>(text) - 1;
}

} // namespace

BSTR SysAllocStringByteLen(const char* bytes, UINT length) {
    if (length > qo::cMaxBstrLength * 2) return nullptr;
    auto* block = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) + length + 2 * sizeof(OLECHAR)));
    if (!block) return nullptr;
    *block = length;
    auto* text = reinterpret_cast<char*>(block + 1);
    if (bytes)
        std::memcpy(text, bytes, length);
    else
        std::memset(text, 0, length);
    std::memset(text + length, 0, 2 * sizeof(OLECHAR));
    return reinterpret_cast<BSTR>(text);
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
    if (length > qo::cMaxBstrLength) return nullptr;
    return SysAllocStringByteLen(reinterpret_cast<const char*>(text), length * sizeof(OLECHAR));
}

BSTR SysAllocString(const OLECHAR* text) {
    if (!text) return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(std::char_traits<OLECHAR>::length(text)));
}

INT SysReAllocString(BSTR* target, const OLECHAR* text) {
    if (!target) return 0;
    BSTR copy = SysAllocString(text);
    if (text && !copy) return 0;
    SysFreeString(*target);
    *target = copy;
    return 1;
}

void SysFreeString(BSTR text) {
    if (text) std::free(Header(text));
}

UINT SysStringByteLen(BSTR text) {
    return text ? *Header(text) : 0;
}

UINT SysStringLen(BSTR text) {
    return SysStringByteLen(text) / sizeof(OLECHAR);
}
#endif

namespace qo {

namespace {

std::u16string_view View(BSTR text) {
    if (!text) return {};
    // A BSTR may hold NULs; its length prefix is the truth.
    auto length = SysStringLen(text);
    return {reinterpret_cast<const char16_t*>(text), length};
}

} // namespace

BSTR BstrFromUtf8(std::string_view text) {
    std::u16string wide = Utf8ToUtf16(text);
    if (wide.size() > cMaxBstrLength) return nullptr;
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), static_cast<UINT>(wide.size()));
}

std::u16string BstrToUtf16(BSTR text) {
    return std::u16string(View(text));
}

std::string BstrToUtf8(BSTR text) {
    return Utf16ToUtf8(View(text));
}

std::string OleStrToUtf8(const OLECHAR* text) {
    if (!text) return {};
    return Utf16ToUtf8({reinterpret_cast<const char16_t*>(text), std::char_traits<OLECHAR>::length(text)});
}

#ifdef _WIN32
std::wstring WideFromUtf8(std::string_view text) {
    std::u16string wide = Utf8ToUtf16(text);
    return std::wstring(wide.begin(), wide.end());
}
#endif

bool BstrEqual(BSTR a, BSTR b) {
    return View(a) == View(b);
}

} // namespace qo
