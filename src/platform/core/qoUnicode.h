#pragma once
// The library keeps text as UTF-8; automation and the Windows API speak UTF-16.
// Malformed input never fails: bad sequences become U+FFFD.
#include <string>
#include <string_view>

namespace qo {

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
std::u32string Utf8ToUtf32(std::string_view text);
std::string Utf32ToUtf8(std::u32string_view text);
// Decodes the code point at pos and moves pos past it (text runs decoded in place).
char32_t NextCodePoint(std::string_view text, size_t& pos);
// Length in UTF-16 code units, the unit of automation string lengths.
size_t Utf16Length(std::string_view text);

} // namespace qo
