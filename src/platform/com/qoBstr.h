#pragma once
// BSTR: a UTF-16 string preceded by its byte length and followed by a NUL. A
// null BSTR is a valid empty string everywhere in the runtime.
#include <string>
#include <string_view>

#include "platform/com/qoComIntf.h"

#ifndef _WIN32
BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
BSTR SysAllocStringByteLen(const char* bytes, UINT length);
INT SysReAllocString(BSTR* target, const OLECHAR* text);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
UINT SysStringByteLen(BSTR text);
#endif

namespace qo {

// The longest string a host may pass or receive, in UTF-16 units; longer
// requests fail instead of exhausting memory.
constexpr UINT cMaxBstrLength = 0x3FFFFFF0;

// New BSTR from library text; null only when memory runs out.
BSTR BstrFromUtf8(std::string_view text);
std::string BstrToUtf8(BSTR text);
std::u16string BstrToUtf16(BSTR text);
// A NUL-terminated wide string that is no BSTR; null reads as empty.
std::string OleStrToUtf8(const OLECHAR* text);
#ifdef _WIN32
// Text for the wide-character Windows API.
std::wstring WideFromUtf8(std::string_view text);
#endif
// Equality where null and empty agree.
bool BstrEqual(BSTR a, BSTR b);

// Owns one BSTR.
class TqoBstr {
public:
    TqoBstr() = default;
    explicit TqoBstr(std::string_view text) : fText(BstrFromUtf8(text)) {}
    TqoBstr(const TqoBstr&) = delete;
    TqoBstr& operator=(const TqoBstr&) = delete;
    ~TqoBstr() { SysFreeString(fText); }
    BSTR Get() const { return fText; }
    BSTR* Out() {
        SysFreeString(fText);
        fText = nullptr;
        return &fText;
    }
    BSTR Detach() {
        BSTR text = fText;
        fText = nullptr;
        return text;
    }
    std::string Utf8() const { return BstrToUtf8(fText); }

private:
    BSTR fText = nullptr;
};

} // namespace qo
