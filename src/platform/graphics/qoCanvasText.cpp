// Text on the canvas: glyphs from the cached font face, blended in the font
// colour, with GDI's layout rules for the formatted-text flags.
#include "platform/core/qoUnicode.h"
#include "platform/graphics/qoCanvas.h"
#include "platform/graphics/qoFontFace.h"

#include <optional>

namespace qo {

namespace {

// v / 255 rounded, for v up to 255 * 255, without a division.
uint32_t Div255(uint32_t v) {
    return (v + 128 + ((v + 128) >> 8)) >> 8;
}

// Each channel moves from dst towards src by alpha / 255, rounded to the
// nearest (no tie can occur: 255 is odd). Red and blue share one multiply.
uint32_t Blend(uint32_t dst, uint32_t src, uint32_t alpha) {
    const uint32_t rest = 255 - alpha;
    uint32_t rb = (dst & 0xFF00FF) * rest + (src & 0xFF00FF) * alpha + 0x800080;
    rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    const uint32_t g = Div255(((dst >> 8) & 0xFF) * rest + ((src >> 8) & 0xFF) * alpha);
    return rb | g << 8;
}

// Where the text frame (u along the text, v down from the cell top) lands on
// the device: a rotated font runs upwards from the origin.
struct TRunPlacement {
    TPoint Origin;
    bool Up = false;

    TRect ToDevice(const TRect& frame) const {
        if (!Up) return frame.Offset(Origin.X, Origin.Y);
        return {Origin.X + frame.Top, Origin.Y - frame.Right + 1, Origin.X + frame.Bottom,
                Origin.Y - frame.Left + 1};
    }
};

void BlendGlyph(TqoRaster& raster, const std::vector<TRect>& areas, const TqoGlyph& g,
                const TRunPlacement& at, TPoint frameAt, uint32_t color) {
    const TRect box = at.ToDevice(TRect::Bounds(frameAt.X, frameAt.Y, g.Width, g.Height));
    // The device pixel of the coverage's first byte, and the steps through the
    // coverage as x and y grow: along its rows, or down its columns when rotated.
    const TRect first = at.ToDevice(TRect::Bounds(frameAt.X, frameAt.Y, 1, 1));
    const ptrdiff_t stepX = at.Up ? g.Width : 1, stepY = at.Up ? -1 : g.Width;
    const ptrdiff_t base = -ptrdiff_t(first.Left) * stepX - ptrdiff_t(first.Top) * stepY;
    for (const TRect& area : areas) {
        const TRect r = IntersectRect(area, box);
        for (int32_t y = r.Top; y < r.Bottom; ++y) {
            uint32_t* px = raster.Row(y);
            const uint8_t* cover =
                g.Coverage.data() + base + ptrdiff_t(r.Left) * stepX + ptrdiff_t(y) * stepY;
            for (int32_t x = r.Left; x < r.Right; ++x, cover += stepX) {
                const uint32_t alpha = *cover;
                if (alpha >= 255)
                    px[x] = color;
                else if (alpha)
                    px[x] = Blend(px[x], color, alpha);
            }
        }
    }
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

// Decodes the run and looks its glyphs up once, for measuring and drawing; returns its width.
int32_t TCanvas::LoadRun(std::string_view text) {
    TqoFontFace& face = Face();
    fRunGlyphs.clear();
    int32_t width = 0;
    for (size_t pos = 0; pos < text.size();) {
        const TqoGlyph& g = face.Glyph(NextCodePoint(text, pos));
        fRunGlyphs.push_back(&g);
        width += g.Advance;
    }
    return width;
}

// The loaded run, blended row by row into the visible rectangles cut to the clip.
void TCanvas::DrawRun(TPoint origin, const TRect* clip, int32_t width) {
    TqoFontFace& face = Face();
    fRunAreas.clear();
    for (const TRect& visible : DC().VisibleRects()) {
        const TRect r = clip ? IntersectRect(visible, *clip) : visible;
        if (!r.IsEmpty()) fRunAreas.push_back(r);
    }
    if (fRunAreas.empty()) return;
    const TRunPlacement at{DC().ToDevice(origin), fFont.Orientation == 900};
    const uint32_t color = ColorToPixel(ColorToRGB(fFont.Color));
    TqoRaster& raster = fDC->Raster();
    int32_t pen = 0;
    for (const TqoGlyph* g : fRunGlyphs) {
        if (!g->Coverage.empty())
            BlendGlyph(raster, fRunAreas, *g, at, {pen + g->Left, face.Ascent() - g->Top}, color);
        pen += g->Advance;
    }
    for (uint32_t style : {uint32_t(fsUnderline), uint32_t(fsStrikeOut)}) {
        if (!(fFont.Style & style)) continue;
        const TqoFontFace::TLine line = style == fsUnderline ? face.Underline() : face.StrikeOut();
        const TRect bar =
            at.ToDevice({0, face.Ascent() + line.Top, width, face.Ascent() + line.Top + line.Thickness});
        for (const TRect& area : fRunAreas) {
            const TRect r = IntersectRect(area, bar);
            for (int32_t y = r.Top; y < r.Bottom; ++y)
                PaintSpan(raster, y, r.Left, r.Right, {TqoInk::opCopy, color, nullptr});
        }
    }
}

int32_t TCanvas::TextRun(int32_t x, int32_t y, uint32_t options, const TRect* rect, std::string_view text) {
    const TPoint o = DC().GetViewportOrg();
    std::optional<TRect> clip;
    if (rect && (options & ETO_CLIPPED)) clip = rect->Offset(o.X, o.Y);
    const int32_t width = LoadRun(text);
    const TqoInk background{TqoInk::opCopy, BrushInk(TqoInk::opCopy).Pixel, nullptr};
    if (rect && (options & ETO_OPAQUE)) {
        PaintRect(*fDC, rect->Offset(o.X, o.Y), background);
    } else if (fBrush.Style != TBrushStyle::bsClear) {
        // An opaque background mode fills the text cell.
        const int32_t height = Face().Height();
        const TRect cell = fFont.Orientation == 900 ? TRect(x, y - width, x + height, y)
                                                    : TRect::Bounds(x, y, width, height);
        const TRect device = cell.Offset(o.X, o.Y);
        PaintRect(*fDC, clip ? IntersectRect(device, *clip) : device, background);
    }
    DrawRun({x, y}, clip ? &*clip : nullptr, width);
    return width;
}

void TCanvas::ExtTextOutW(int32_t x, int32_t y, uint32_t options, const TRect* rect, std::string_view text) {
    TextRun(x, y, options, rect, text);
}

void TCanvas::TextOut(int32_t x, int32_t y, std::string_view text) {
    fPenPos = {x + TextRun(x, y, 0, nullptr, text), y};
}

void TCanvas::TextRect(const TRect& rect, int32_t x, int32_t y, std::string_view text) {
    ExtTextOutW(x, y, ETO_CLIPPED | (fBrush.Style != TBrushStyle::bsClear ? ETO_OPAQUE : 0), &rect, text);
}

} // namespace qo
