// Text on the canvas: glyphs from the cached font face, blended in the font
// colour, with GDI's layout rules for the formatted-text flags.
#include "platform/core/qoUnicode.h"
#include "platform/graphics/qoCanvas.h"
#include "platform/graphics/qoFontFace.h"

#include <algorithm>
#include <optional>

namespace qo {

namespace {

uint32_t Blend(uint32_t dst, uint32_t src, uint32_t alpha) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int32_t d = (dst >> shift) & 0xFF, s = (src >> shift) & 0xFF;
        out |= uint32_t(d + ((s - d) * int32_t(alpha) + (s > d ? 127 : -127)) / 255) << shift;
    }
    return out;
}

// Drops the mnemonic markers: "&&" stays as one "&".
std::string WithoutPrefixes(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

} // namespace

TqoFontFace& TCanvas::Face() {
    const int32_t dpi = DC().GetDeviceCaps(LOGPIXELSY);
    if (!fFace || dpi != fFaceDpi || fFaceFont.Name != fFont.Name || fFaceFont.Size != fFont.Size ||
        fFaceFont.Style != fFont.Style) {
        fFace = TqoFontFace::Get(fFont, dpi);
        fFaceFont = fFont;
        fFaceDpi = dpi;
    }
    return *fFace;
}

TSize TCanvas::TextExtent(std::string_view text) {
    TqoFontFace& face = Face();
    return {face.Width(Utf8ToUtf32(text)), face.Height()};
}

// Text frame (u along the text, v down from the cell top) to device pixels;
// a rotated font runs upwards from the origin.
void TCanvas::DrawGlyphs(TPoint origin, std::string_view text, const TRect* clip) {
    TqoFontFace& face = Face();
    const TPoint o = DC().ToDevice(origin);
    const bool up = fFont.Orientation == 900;
    const uint32_t color = ColorToPixel(ColorToRGB(fFont.Color));
    TqoRaster& raster = fDC->Raster();
    const TqoPixelWriter out(*fDC);
    auto plot = [&](int32_t u, int32_t v, uint32_t alpha) {
        const int32_t x = up ? o.X + v : o.X + u, y = up ? o.Y - u : o.Y + v;
        if (alpha && out.Visible(x, y) && (!clip || clip->Contains({x, y}))) {
            uint32_t& px = raster.Row(y)[x];
            px = alpha >= 255 ? color : Blend(px, color, alpha);
        }
    };
    int32_t pen = 0;
    for (char32_t c : Utf8ToUtf32(text)) {
        const TqoGlyph& g = face.Glyph(c);
        for (int32_t gy = 0; gy < g.Height; ++gy)
            for (int32_t gx = 0; gx < g.Width; ++gx)
                plot(pen + g.Left + gx, face.Ascent() - g.Top + gy, g.Coverage[size_t(gy) * g.Width + gx]);
        pen += g.Advance;
    }
    for (uint32_t style : {uint32_t(fsUnderline), uint32_t(fsStrikeOut)}) {
        if (!(fFont.Style & style)) continue;
        const TqoFontFace::TLine line = style == fsUnderline ? face.Underline() : face.StrikeOut();
        for (int32_t v = face.Ascent() + line.Top; v < face.Ascent() + line.Top + line.Thickness; ++v)
            for (int32_t u = 0; u < pen; ++u) plot(u, v, 255);
    }
}

void TCanvas::ExtTextOutW(int32_t x, int32_t y, uint32_t options, const TRect* rect, std::string_view text) {
    const TPoint o = DC().GetViewportOrg();
    std::optional<TRect> clip;
    if (rect && (options & ETO_CLIPPED)) clip = rect->Offset(o.X, o.Y);
    const TqoInk background = BrushInk(TqoInk::opCopy);
    if (rect && (options & ETO_OPAQUE)) {
        PaintRect(*fDC, rect->Offset(o.X, o.Y), {TqoInk::opCopy, background.Pixel, nullptr});
    } else if (fBrush.Style != TBrushStyle::bsClear) {
        // An opaque background mode fills the text cell.
        const TSize size = TextExtent(text);
        const TRect cell = fFont.Orientation == 900 ? TRect(x, y - size.cx, x + size.cy, y)
                                                    : TRect::Bounds(x, y, size.cx, size.cy);
        const TRect device = cell.Offset(o.X, o.Y);
        PaintRect(*fDC, clip ? IntersectRect(device, *clip) : device,
                  {TqoInk::opCopy, background.Pixel, nullptr});
    }
    DrawGlyphs({x, y}, text, clip ? &*clip : nullptr);
}

void TCanvas::TextOut(int32_t x, int32_t y, std::string_view text) {
    ExtTextOutW(x, y, 0, nullptr, text);
    fPenPos = {x + TextWidth(text), y};
}

void TCanvas::TextRect(const TRect& rect, int32_t x, int32_t y, std::string_view text) {
    ExtTextOutW(x, y, ETO_CLIPPED | (fBrush.Style != TBrushStyle::bsClear ? ETO_OPAQUE : 0), &rect, text);
}

// Fills each line with whole words; a word wider than the rectangle stands alone.
void TCanvas::WrapWords(const std::string& paragraph, int32_t width, std::vector<std::string>& lines) {
    std::string line;
    size_t at = 0;
    while (at < paragraph.size()) {
        const size_t space = paragraph.find(' ', at);
        const std::string word =
            paragraph.substr(at, space == std::string::npos ? std::string::npos : space - at);
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(candidate) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
        at = space == std::string::npos ? paragraph.size() : space + 1;
    }
    lines.push_back(line);
}

std::vector<std::string> TCanvas::LayoutLines(std::string_view text, int32_t width, uint32_t flags) {
    std::vector<std::string> lines;
    std::string source = flags & DT_NOPREFIX ? std::string(text) : WithoutPrefixes(text);
    std::vector<std::string> paragraphs;
    if (flags & DT_SINGLELINE) {
        std::replace(source.begin(), source.end(), '\n', ' ');
        source.erase(std::remove(source.begin(), source.end(), '\r'), source.end());
        paragraphs.push_back(source);
    } else {
        size_t start = 0;
        for (size_t nl; (nl = source.find('\n', start)) != std::string::npos; start = nl + 1)
            paragraphs.push_back(source.substr(start, nl - start - (nl > start && source[nl - 1] == '\r')));
        paragraphs.push_back(source.substr(start));
    }
    for (const std::string& p : paragraphs) {
        if (!(flags & DT_WORDBREAK) || (flags & DT_SINGLELINE) || TextWidth(p) <= width) {
            lines.push_back(p);
            continue;
        }
        WrapWords(p, width, lines);
    }
    if (flags & DT_END_ELLIPSIS)
        for (std::string& line : lines) line = Ellipsized(line, width);
    return lines;
}

// The line cut to fit the width with "..." appended, when it does not fit whole.
std::string TCanvas::Ellipsized(std::string line, int32_t width) {
    if (TextWidth(line) <= width) return line;
    const int32_t dots = TextWidth("...");
    while (!line.empty() && TextWidth(line) + dots > width) {
        while (line.size() > 1 && (uint8_t(line.back()) & 0xC0) == 0x80) line.pop_back();
        line.pop_back();
    }
    return line + "...";
}

int32_t TCanvas::DrawTextW(std::string_view text, TRect& rect, uint32_t flags) {
    if (text.empty()) {
        // Nothing to lay out: an empty rectangle at the origin, as GDI reports it.
        if (flags & DT_CALCRECT) rect = {rect.Left, rect.Top, rect.Left, rect.Top};
        return 0;
    }
    const std::vector<std::string> lines = LayoutLines(text, rect.Width(), flags);
    const int32_t lineHeight = Face().Height();
    const int32_t height = lineHeight * int32_t(lines.size());
    if (flags & DT_CALCRECT) {
        int32_t widest = 0;
        for (const std::string& line : lines) widest = std::max(widest, TextWidth(line));
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + height;
        return height;
    }
    int32_t y = rect.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            y = rect.Top + (rect.Height() - lineHeight) / 2;
        else if (flags & DT_BOTTOM)
            y = rect.Bottom - lineHeight;
    }
    const uint32_t options = flags & DT_NOCLIP ? 0 : ETO_CLIPPED;
    for (const std::string& line : lines) {
        const int32_t w = TextWidth(line);
        const int32_t x = flags & DT_CENTER  ? rect.Left + (rect.Width() - w) / 2
                          : flags & DT_RIGHT ? rect.Right - w
                                             : rect.Left;
        ExtTextOutW(x, y, options, &rect, line);
        y += lineHeight;
    }
    return height;
}

} // namespace qo
