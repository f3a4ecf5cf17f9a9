// Text on the canvas: glyphs from the cached font face, blended in the font
// colour, with GDI's layout rules for the formatted-text flags.
#include "platform/core/qoUnicode.h"
#include "platform/graphics/qoCanvas.h"
#include "platform/graphics/qoFontFace.h"

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

TTextMetric TCanvas::TextMetrics() {
    return Face().Metric();
}

std::string TCanvas::FontFamily() {
    return Face().Family();
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

} // namespace qo
