#include "platform/graphics/qoCanvas.h"

#include "platform/core/qoErrors.h"
#include "platform/graphics/qoCoverage.h"
#include "platform/graphics/qoFontFace.h"

#include <algorithm>
#include <array>
#include <climits>
#include <utility>

namespace qo {

namespace {

TqoInk::TOp OpOf(TPenMode mode) {
    switch (mode) {
    case TPenMode::pmNot:
        return TqoInk::opNot;
    case TPenMode::pmXor:
        return TqoInk::opXor;
    default:
        return TqoInk::opCopy;
    }
}

} // namespace

TCanvas::TCanvas(TqoDC* dc) : fDC(dc) {}
TCanvas::~TCanvas() = default;

TqoDC& TCanvas::DC() const {
    if (!fDC) throw EqoError("Canvas does not allow drawing");
    return *fDC;
}

TqoInk TCanvas::PenInk() const {
    return {OpOf(fPen.Mode), ColorToPixel(ColorToRGB(fPen.Color)), nullptr};
}

TqoInk TCanvas::BrushInk(TqoInk::TOp op) const {
    return {op, ColorToPixel(ColorToRGB(fBrush.Color)), fBrush.Pattern.get()};
}

bool TCanvas::HasBrush() const {
    return fBrush.Style != TBrushStyle::bsClear || fBrush.Pattern;
}

TRect TCanvas::DeviceBounds(std::span<const TPoint> points, int32_t margin) const {
    // In 64 bits: far-away points and wide pens must not overflow before the cut.
    int64_t l = INT64_MAX, t = INT64_MAX, r = INT64_MIN, b = INT64_MIN;
    for (const TPoint& p : points)
        l = std::min<int64_t>(l, p.X), t = std::min<int64_t>(t, p.Y), r = std::max<int64_t>(r, p.X),
        b = std::max<int64_t>(b, p.Y);
    const TPoint o = DC().GetViewportOrg();
    const TRect raster = DC().Raster().Bounds();
    auto clamp = [](int64_t v, int32_t lo, int32_t hi) { return int32_t(std::clamp<int64_t>(v, lo, hi)); };
    return IntersectRect({clamp(l - margin + o.X, 0, raster.Right), clamp(t - margin + o.Y, 0, raster.Bottom),
                          clamp(r + margin + 1 + o.X, 0, raster.Right),
                          clamp(b + margin + 1 + o.Y, 0, raster.Bottom)},
                         raster);
}

void TCanvas::PlotDashed(TPoint a, TPoint b, uint32_t dash, const TqoInk& ink, const TqoInk* gap) {
    const TPoint o = DC().GetViewportOrg();
    TqoPixelWriter out(*fDC);
    const uint32_t phase = fDotPhase;
    ForEachLinePixel(a + o, b + o, out.Box(), [&](int32_t x, int32_t y, int64_t step) {
        if (((phase + uint64_t(step)) / dash) % 2 == 0)
            out.Put(x, y, ink);
        else if (gap)
            out.Put(x, y, *gap);
    });
    // The pattern runs on into the next segment.
    fDotPhase =
        uint32_t((phase + uint64_t(std::max(std::abs(int64_t(b.X) - a.X), std::abs(int64_t(b.Y) - a.Y)))) %
                 (2 * dash));
}

void TCanvas::PlotDotted(TPoint a, TPoint b) {
    // Three pixels on, three off; the gaps take the brush colour unless the brush is clear.
    const TqoInk gap = BrushInk(OpOf(fPen.Mode));
    const TqoInk solidGap{gap.Op, gap.Pixel, nullptr};
    PlotDashed(a, b, 3, PenInk(), fBrush.Style != TBrushStyle::bsClear ? &solidGap : nullptr);
}

void TCanvas::PlotSolid(TPoint a, TPoint b) {
    const TqoInk ink = PenInk();
    const TPoint o = DC().GetViewportOrg();
    if (a.Y == b.Y && a.X != b.X) {
        // Rows are written whole.
        const int32_t x0 = a.X < b.X ? a.X : b.X + 1, x1 = a.X < b.X ? b.X : a.X + 1;
        PaintClippedSpan(*fDC, a.Y + o.Y, x0 + o.X, x1 + o.X, ink);
        return;
    }
    TqoPixelWriter out(*fDC);
    ForEachLinePixel(a + o, b + o, out.Box(), [&](int32_t x, int32_t y, int64_t) { out.Put(x, y, ink); });
}

void TCanvas::LineTo(int32_t x, int32_t y) {
    const TPoint from = fPenPos, to{x, y};
    fPenPos = to;
    if (fPen.Style == TPenStyle::psClear) return;
    if (fPen.Width > 1) {
        const TPoint pair[] = {from, to};
        Stroke(pair, false);
    } else if (fPen.Style == TPenStyle::psDot) {
        fDotPhase = 0;
        PlotDotted(from, to);
    } else {
        PlotSolid(from, to);
    }
}

// The canvas's one coverage, emptied for a new shape.
TqoCoverage& TCanvas::Coverage(const TRect& bounds) {
    if (!fCoverage) fCoverage = std::make_unique<TqoCoverage>();
    fCoverage->Reset(bounds);
    return *fCoverage;
}

// The pixels of a wide pen along the path.
TqoCoverage& TCanvas::Outline(std::span<const TPoint> points, bool closed) {
    const int32_t w = fPen.Width;
    TqoCoverage& outline = Coverage(DeviceBounds(points, w));
    const TPoint o = DC().GetViewportOrg();
    const size_t n = points.size(), segments = closed ? n : n - 1;
    for (size_t i = 0; i < segments; ++i) outline.AddWideSegment(points[i] + o, points[(i + 1) % n] + o, w);
    return outline;
}

void TCanvas::Stroke(std::span<const TPoint> points, bool closed) {
    if (points.size() < 2 || fPen.Style == TPenStyle::psClear) return;
    if (fPen.Width > 1) {
        Outline(points, closed).Paint(*fDC, PenInk());
        return;
    }
    // A one-pixel pen draws segment after segment as LineTo does: where the
    // path runs back over itself an inverting pen inverts twice, as in GDI.
    fDotPhase = 0;
    const size_t n = points.size(), segments = closed ? n : n - 1;
    for (size_t i = 0; i < segments; ++i) {
        if (fPen.Style == TPenStyle::psDot)
            PlotDotted(points[i], points[(i + 1) % n]);
        else
            PlotSolid(points[i], points[(i + 1) % n]);
    }
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    Stroke(points, false);
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    if (points.size() < 2) return;
    if (HasBrush()) {
        TqoCoverage& interior = Coverage(DeviceBounds(points, 1));
        interior.AddPolygon(points, DC().GetViewportOrg());
        // The outline is painted over the interior; in the xor modes their shared pixels take both.
        interior.Paint(*fDC, BrushInk(OpOf(fPen.Mode)));
    }
    Stroke(points, true);
}

void TCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const TRect r = TRect(left, top, right, bottom).Normalized();
    // GDI draws neither outline nor interior of a rectangle without area.
    if (r.IsEmpty()) return;
    const TPoint o = DC().GetViewportOrg();
    const TqoInk fill = BrushInk(OpOf(fPen.Mode));
    if (fPen.Style == TPenStyle::psClear) {
        if (HasBrush())
            PaintRect(*fDC, TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1).Offset(o.X, o.Y), fill);
        return;
    }
    const int32_t w = std::max(fPen.Width, 1);
    if (w == 1 && fPen.Style == TPenStyle::psSolid && r.Width() > 1 && r.Height() > 1) {
        PaintFramedRect(*fDC, r.Offset(o.X, o.Y), PenInk(), HasBrush() ? &fill : nullptr);
        return;
    }
    // The interior lies inside the pen's outline, which is centred on the edges.
    if (HasBrush())
        PaintRect(*fDC,
                  TRect(r.Left + (w - 1) / 2 + 1, r.Top + (w - 1) / 2 + 1, r.Right - 1 - w / 2,
                        r.Bottom - 1 - w / 2)
                      .Offset(o.X, o.Y),
                  fill);
    Stroke(RectanglePath(r), true);
}

void TCanvas::FillRect(const TRect& r) {
    // A pattern copy of the rectangle's extents: swapped corners fill too, as in GDI.
    if (HasBrush()) PatBlt(r.Left, r.Top, r.Width(), r.Height(), PATCOPY);
}

void TCanvas::FrameRect(const TRect& r) {
    if (!HasBrush()) return;
    const TPoint o = DC().GetViewportOrg();
    if (!r.IsEmpty()) PaintFramedRect(*fDC, r.Offset(o.X, o.Y), BrushInk(TqoInk::opCopy), nullptr);
}

// The outline of a rectangle as GDI walks it: from the top right corner, anticlockwise.
std::array<TPoint, 4> TCanvas::RectanglePath(const TRect& r) {
    return {TPoint{r.Right - 1, r.Top}, {r.Left, r.Top}, {r.Left, r.Bottom - 1}, {r.Right - 1, r.Bottom - 1}};
}

void TCanvas::DrawFocusRect(const TRect& r) {
    // Every other pixel of the outline inverted, starting with the first, so
    // that drawing it again restores the pixels.
    const TRect n = r.Normalized();
    if (n.IsEmpty()) return;
    const auto path = RectanglePath(n);
    fDotPhase = 0;
    for (size_t i = 0; i < path.size(); ++i)
        PlotDashed(path[i], path[(i + 1) % path.size()], 1, {TqoInk::opNot, 0, nullptr}, nullptr);
}

void TCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
    const TPoint d = DC().ToDevice({x, y});
    PaintPixel(*fDC, d.X, d.Y, {TqoInk::opCopy, ColorToPixel(ColorToRGB(color)), nullptr});
}

TColor TCanvas::Pixels(int32_t x, int32_t y) const {
    const TPoint d = DC().ToDevice({x, y});
    for (const TRect& visible : fDC->VisibleRects())
        if (visible.Contains(d)) return PixelToColor(fDC->Raster().Row(d.Y)[d.X]);
    return clNone;
}

void TCanvas::PatBlt(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t rop) {
    // A negative extent runs back from the given edge, which stays inside:
    // x + width + 1 up to x + 1, as GDI mirrors block transfers.
    auto span = [](int32_t at, int32_t extent) {
        return extent < 0 ? std::pair{at + extent + 1, at + 1} : std::pair{at, at + extent};
    };
    const auto [l, r] = span(x, width);
    const auto [t, b] = span(y, height);
    const TPoint o = DC().GetViewportOrg();
    const TRect device = TRect(l, t, r, b).Offset(o.X, o.Y);
    switch (rop) {
    case PATCOPY:
        PaintRect(*fDC, device, BrushInk(TqoInk::opCopy));
        break;
    case PATINVERT:
        PaintRect(*fDC, device, BrushInk(TqoInk::opXor));
        break;
    case DSTINVERT:
        PaintRect(*fDC, device, {TqoInk::opNot, 0, nullptr});
        break;
    case BLACKNESS:
        PaintRect(*fDC, device, {TqoInk::opCopy, 0, nullptr});
        break;
    case WHITENESS:
        PaintRect(*fDC, device, {TqoInk::opCopy, 0xFFFFFF, nullptr});
        break;
    default:
        throw EqoError(Format("Raster operation %08X is not supported", rop));
    }
}

} // namespace qo
