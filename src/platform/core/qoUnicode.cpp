#include "platform/core/qoUnicode.h"

namespace qo {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

} // namespace

// Strict about overlongs and surrogates.
char32_t NextCodePoint(std::string_view s, size_t& pos) {
    const unsigned char lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80) return lead;
    int extra;
    char32_t cp;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) extra = 1, cp = lead & 0x1F, minimum = 0x80;
    else if ((lead & 0xF0) == 0xE0) extra = 2, cp = lead & 0x0F, minimum = 0x800;
    else if ((lead & 0xF8) == 0xF0) extra = 3, cp = lead & 0x07, minimum = 0x10000;
    else return kReplacement;
    for (int i = 0; i < extra; ++i) {
        if (pos >= s.size() || (static_cast<unsigned char>(s[pos]) & 0xC0) != 0x80) return kReplacement;
        cp = (cp << 6) | (static_cast<unsigned char>(s[pos++]) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
    return cp;
}

std::u32string Utf8ToUtf32(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) out += NextCodePoint(text, pos);
    return out;
}

std::string Utf32ToUtf8(std::u32string_view text) {
    std::u16string units;
    for (char32_t cp : text) {
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) cp = 0xFFFD;
        if (cp >= 0x10000) {
            units += char16_t(0xD800 + ((cp - 0x10000) >> 10));
            units += char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            units += char16_t(cp);
        }
    }
    return Utf16ToUtf8(units);
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const char32_t cp = NextCodePoint(text, pos);
        if (cp >= 0x10000) {
            out += char16_t(0xD800 + ((cp - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement; // a lone surrogate
        }
        AppendUtf8(out, cp);
    }
    return out;
}

size_t Utf16Length(std::string_view text) {
    size_t n = 0;
    for (size_t pos = 0; pos < text.size();) n += NextCodePoint(text, pos) >= 0x10000 ? 2 : 1;
    return n;
}

} // namespace qo
