#pragma once
// Small helpers for the code that talks to Windows itself: wide strings for
// the W functions, and an owning reference to a system COM object.
#ifdef _WIN32
#include "platform/core/qoUnicode.h"

#include <windows.h>
// The library's own members carry these names.
#undef MessageBox
#undef TextOut
#undef DrawText
#undef PostMessage
#undef SendMessage
#undef GetMessage
#undef CreateWindow
#undef GetObject
#undef LoadIcon
#undef LoadBitmap
#undef SetPort
#undef GetClassName

#include <string>
#include <string_view>

namespace qo {

inline std::wstring Wide(std::string_view utf8) {
    const std::u16string text = Utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

inline std::string Narrow(std::wstring_view wide) {
    return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

// The module (executable or DLL) whose code calls this: window classes are
// registered under it, so that they go when the module does.
inline HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

// Releases what it holds; `&ref` hands the slot to a function that fills it.
template <class T>
class TComRef {
public:
    TComRef() = default;
    TComRef(const TComRef&) = delete;
    TComRef& operator=(const TComRef&) = delete;
    ~TComRef() {
        if (fPtr) fPtr->Release();
    }
    T* operator->() const { return fPtr; }
    T* Get() const { return fPtr; }
    T** operator&() { return &fPtr; }
    explicit operator bool() const { return fPtr != nullptr; }

private:
    T* fPtr = nullptr;
};

} // namespace qo
#endif
