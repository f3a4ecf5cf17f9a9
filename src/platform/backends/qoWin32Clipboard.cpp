#ifdef _WIN32
#include "platform/core/qoWin32.h"

#include "platform/backends/qoWin32Clipboard.h"

#include <cstring>
#include <cwchar>

namespace qo {

namespace {

std::wstring WithCrLf(std::string_view text) {
    std::wstring out;
    for (wchar_t ch : Wide(text)) {
        if (ch == L'\n' && (out.empty() || out.back() != L'\r')) out += L'\r';
        out += ch;
    }
    return out;
}

std::string WithoutCrLf(std::wstring_view text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')) out += text[i];
    return Narrow(out);
}

} // namespace

// Another program may hold the clipboard open for a moment.
bool TWin32Clipboard::Open() {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(static_cast<::HWND>(fOwner))) return true;
        ::Sleep(10);
    }
    return false;
}

void TWin32Clipboard::SetClipboardText(std::string_view text) {
    const std::wstring wide = WithCrLf(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return;
    std::memcpy(GlobalLock(memory), wide.c_str(), bytes);
    GlobalUnlock(memory);
    if (!Open()) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    // The clipboard owns the memory once it takes it.
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    CloseClipboard();
}

std::string TWin32Clipboard::GetClipboardText() {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !Open()) return {};
    std::string text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(memory))) {
            // Another program's text: never read past its block, terminated or not.
            const size_t capacity = GlobalSize(memory) / sizeof(wchar_t);
            text = WithoutCrLf(std::wstring_view(chars, wcsnlen(chars, capacity)));
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace qo
#endif
