#include "platform/graphics/qoPaint.h"

#include <algorithm>
#include <cwchar>

namespace qo {

namespace {

int32_t Wrap(int32_t v, int32_t n) {
    const int32_t m = v % n;
    return m < 0 ? m + n : m;
}

// At the speed of memset: the C library's wide fill is vectorised for the
// machine it runs on, where wchar_t has the pixel's size.
void FillPixels(uint32_t* to, size_t count, uint32_t pixel) {
    if constexpr (sizeof(wchar_t) == sizeof(uint32_t))
        std::wmemset(reinterpret_cast<wchar_t*>(to), wchar_t(pixel), count);
    else
        std::fill_n(to, count, pixel);
}

} // namespace

uint32_t TqoInk::Source(int32_t x, int32_t y) const {
    if (!Pattern) return Pixel;
    return Pattern->Row(Wrap(y, Pattern->Height()))[Wrap(x, Pattern->Width())];
}

void PaintSpan(TqoRaster& raster, int32_t y, int32_t x0, int32_t x1, const TqoInk& ink) {
    uint32_t* row = raster.Row(y);
    // A local copy: the ink could alias the pixels as far as the compiler knows,
    // which would keep these loops from being vectorised.
    const uint32_t pixel = ink.Op == TqoInk::opNot ? 0xFFFFFF : ink.Pixel;
    if (ink.Op == TqoInk::opCopy && !ink.Pattern) {
        FillPixels(row + x0, size_t(x1 - x0), pixel);
        return;
    }
    if (ink.Op == TqoInk::opNot || !ink.Pattern) {
        for (int32_t x = x0; x < x1; ++x) row[x] ^= pixel;
        return;
    }
    const uint32_t* tile = ink.Pattern->Row(Wrap(y, ink.Pattern->Height()));
    const int32_t w = ink.Pattern->Width();
    int32_t t = Wrap(x0, w);
    for (int32_t x = x0; x < x1; ++x) {
        row[x] = ink.Op == TqoInk::opCopy ? tile[t] : row[x] ^ tile[t];
        if (++t == w) t = 0;
    }
}

void PaintRect(TqoDC& dc, const TRect& device, const TqoInk& ink) {
    for (const TRect& visible : dc.VisibleRects()) {
        const TRect r = IntersectRect(visible, device);
        if (r.IsEmpty()) continue;
        // Whole rows in one colour lie one after another: one fill for all of them.
        if (ink.Op == TqoInk::opCopy && !ink.Pattern && r.Width() == dc.Raster().Width()) {
            FillPixels(dc.Raster().Row(r.Top), size_t(r.Width()) * size_t(r.Height()), ink.Pixel);
            continue;
        }
        for (int32_t y = r.Top; y < r.Bottom; ++y) PaintSpan(dc.Raster(), y, r.Left, r.Right, ink);
    }
}

void PaintFramedRect(TqoDC& dc, const TRect& d, const TqoInk& edge, const TqoInk* fill) {
    TqoRaster& raster = dc.Raster();
    for (const TRect& visible : dc.VisibleRects()) {
        const TRect r = IntersectRect(visible, d);
        if (r.IsEmpty()) continue;
        const bool left = r.Left == d.Left, right = r.Right == d.Right && d.Right - 1 > d.Left;
        const int32_t inner0 = std::max(d.Left + 1, r.Left), inner1 = std::min(d.Right - 1, r.Right);
        for (int32_t y = r.Top; y < r.Bottom; ++y) {
            if (y == d.Top || y == d.Bottom - 1) {
                PaintSpan(raster, y, r.Left, r.Right, edge);
                continue;
            }
            if (left) PaintSpan(raster, y, d.Left, d.Left + 1, edge);
            if (fill && inner0 < inner1) PaintSpan(raster, y, inner0, inner1, *fill);
            if (right) PaintSpan(raster, y, d.Right - 1, d.Right, edge);
        }
    }
}

void PaintClippedSpan(TqoDC& dc, int32_t y, int32_t x0, int32_t x1, const TqoInk& ink) {
    PaintRect(dc, {x0, y, x1, y + 1}, ink);
}

void PaintPixel(TqoDC& dc, int32_t x, int32_t y, const TqoInk& ink) {
    TqoPixelWriter(dc).Put(x, y, ink);
}

} // namespace qo
