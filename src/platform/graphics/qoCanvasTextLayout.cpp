// Formatted text (DrawTextW): GDI's line breaking, alignment and ellipsis, so
// that texts wrap, measure and clip at the same characters on every build.
#include "platform/core/qoUnicode.h"
#include "platform/graphics/qoCanvas.h"
#include "platform/graphics/qoFontFace.h"

#include <algorithm>

namespace qo {

namespace {

// Drops the mnemonic markers: "&&" stays as one "&", a last "&" stays.
std::string WithoutPrefixes(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

bool IsNewline(char32_t c) {
    return c == U'\n' || c == U'\r';
}

// A line may break before `at`: after blanks, or after a hyphen or dash that
// ends a word.
bool MayBreakBefore(std::u32string_view s, size_t at) {
    if (at == 0 || at >= s.size() || s[at] == U' ') return false;
    const char32_t before = s[at - 1];
    return before == U' ' || ((before == U'-' || before == U'\u2013') && !(s[at] >= U'0' && s[at] <= U'9'));
}

// The characters of a line break: CR, LF, or a pair of them that differ.
size_t NewlineLength(std::u32string_view s) {
    if (s.empty() || !IsNewline(s[0])) return 0;
    return s.size() > 1 && IsNewline(s[1]) && s[1] != s[0] ? 2 : 1;
}

} // namespace

struct TCanvas::TTextLine {
    std::u32string Text;
    size_t Used = 0; // characters of the source taken, with a swallowed blank or line break
};

size_t TCanvas::CharsFitting(std::u32string_view text, int32_t width) {
    TqoFontFace& face = Face();
    size_t fit = 0;
    for (int32_t used = 0; fit < text.size(); ++fit) {
        used += face.Glyph(text[fit]).Advance;
        if (used > width) break;
    }
    return fit;
}

// GDI's word break of a segment of which only `fit` characters fit: the line
// ends after the last word that fits (keeping one trailing blank on left-aligned
// lines), or, when even the first word does not fit, after that word.
size_t TCanvas::WordBreak(std::u32string_view s, size_t fit, uint32_t flags, size_t& used) {
    size_t p = fit, i = fit;
    bool wordFits = fit > 0;
    if (wordFits && MayBreakBefore(s, i)) {
        --p;
    } else if (wordFits) {
        while (i > 0 && !MayBreakBefore(s, --i + 1)) --p;
        --p;
        wordFits = i != 0 || MayBreakBefore(s, i + 1);
    }
    if (wordFits) {
        if (!(flags & (DT_RIGHT | DT_CENTER)) || s[p] != U' ') ++p;
        used = p + (p < s.size() && s[p] == U' ' ? 1 : 0);
        return p;
    }
    p = fit;
    while (p < s.size() && s[p] != U' ') ++p;
    used = p + (p < s.size() ? 1 : 0);
    return p;
}

// As many leading characters as fit with "..." after them; the dots always come.
std::u32string TCanvas::Ellipsized(std::u32string_view line, int32_t width) {
    TqoFontFace& face = Face();
    const int32_t dots = face.Width(U"...");
    size_t keep = line.size();
    while (keep > 0 && face.Width(line.substr(0, keep)) + dots > width) --keep;
    return std::u32string(line.substr(0, keep)) + U"...";
}

TCanvas::TTextLine TCanvas::NextLine(std::u32string_view rest, int32_t width, uint32_t flags, bool lastLine) {
    size_t end = 0;
    while (end < rest.size() && ((flags & DT_SINGLELINE) || !IsNewline(rest[end]))) ++end;
    const std::u32string_view segment = rest.substr(0, end);
    TTextLine line{std::u32string(segment), end + NewlineLength(rest.substr(end))};
    const size_t fit = CharsFitting(segment, width);
    bool fits = fit >= segment.size();
    size_t taken = end;
    if (!fits && (flags & DT_WORDBREAK)) {
        line.Text = segment.substr(0, WordBreak(segment, fit, flags, line.Used));
        taken = line.Used;
        fits = Face().Width(line.Text) <= width;
    }
    // The last line that shows gets the dots when more text follows; any line
    // that is too wide and ends its paragraph gets them.
    const std::u32string_view after = rest.substr(taken);
    const bool endsParagraph = NewlineLength(after) == after.size();
    if ((flags & DT_END_ELLIPSIS) && ((lastLine && !after.empty()) || (endsParagraph && !fits)))
        line.Text = Ellipsized(line.Text, width);
    return line;
}

int32_t TCanvas::DrawTextW(std::string_view text, TRect& rect, uint32_t flags) {
    if (flags & DT_SINGLELINE) flags &= ~DT_WORDBREAK;
    if (flags & DT_CALCRECT) flags |= DT_NOCLIP;
    std::u32string source = Utf8ToUtf32(flags & DT_NOPREFIX ? std::string(text) : WithoutPrefixes(text));
    if (flags & DT_SINGLELINE)
        std::replace_if(source.begin(), source.end(), IsNewline, U' ');
    const int32_t lineHeight = Face().Height();
    int32_t x = rect.Left, y = rect.Top, widest = 0;
    std::u32string_view rest = source;
    bool lastLine = false;
    do {
        lastLine = !(flags & DT_NOCLIP) && y + lineHeight > rect.Bottom;
        const TTextLine line = NextLine(rest, rect.Width(), flags, lastLine);
        rest.remove_prefix(std::min(line.Used, rest.size()));
        const int32_t w = Face().Width(line.Text);
        if (flags & DT_CENTER)
            x = (rect.Left + rect.Right - w) / 2;
        else if (flags & DT_RIGHT)
            x = rect.Right - w;
        if ((flags & DT_SINGLELINE) && (flags & DT_VCENTER))
            y = rect.Top + rect.Height() / 2 - lineHeight / 2;
        else if ((flags & DT_SINGLELINE) && (flags & DT_BOTTOM))
            y = rect.Bottom - lineHeight;
        if (flags & DT_CALCRECT)
            widest = std::max(widest, w);
        else if (!line.Text.empty())
            ExtTextOutW(x, y, flags & DT_NOCLIP ? 0 : ETO_CLIPPED, &rect, Utf32ToUtf8(line.Text));
        y += lineHeight;
    } while (!rest.empty() && !lastLine);
    if (flags & DT_CALCRECT) {
        rect.Right = rect.Left + widest;
        rect.Bottom = y;
    }
    return std::max(1, y - rect.Top);
}

} // namespace qo
