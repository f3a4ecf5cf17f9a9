#pragma once
// The pixel writers under the canvas: spans and rectangles are written row by
// row, clipped to the device context's visible rectangles.
#include "platform/graphics/qoDeviceContext.h"

#include <vector>

namespace qo {

// How new pixels combine with those already there.
struct TqoInk {
    enum TOp : uint8_t { opCopy, opXor, opNot };
    TOp Op = opCopy;
    uint32_t Pixel = 0;
    // Tiled from the device origin when set; used instead of Pixel.
    const TqoRaster* Pattern = nullptr;

    uint32_t Source(int32_t x, int32_t y) const;
};

// Device coordinates, [x0, x1) on row y; the span must lie inside the raster.
void PaintSpan(TqoRaster& raster, int32_t y, int32_t x0, int32_t x1, const TqoInk& ink);
// Device coordinates, clipped.
void PaintRect(TqoDC& dc, const TRect& device, const TqoInk& ink);
void PaintPixel(TqoDC& dc, int32_t x, int32_t y, const TqoInk& ink);

// Single pixels in a run of them (lines, glyphs): the visible rectangles are
// fetched once and checked inline.
class TqoPixelWriter {
public:
    explicit TqoPixelWriter(TqoDC& dc) : fRaster(dc.Raster()), fAreas(dc.VisibleRects()) {
        for (const TRect& r : fAreas) fBox = UnionRect(fBox, r);
    }
    // The bounds of all visible pixels.
    const TRect& Box() const { return fBox; }
    bool Visible(int32_t x, int32_t y) const {
        for (const TRect& r : fAreas)
            if (r.Contains({x, y})) return true;
        return false;
    }
    void Put(int32_t x, int32_t y, const TqoInk& ink) {
        if (!Visible(x, y)) return;
        if (ink.Pattern) {
            PaintSpan(fRaster, y, x, x + 1, ink);
            return;
        }
        uint32_t& px = fRaster.Row(y)[x];
        px = ink.Op == TqoInk::opCopy ? ink.Pixel : px ^ (ink.Op == TqoInk::opNot ? 0xFFFFFFu : ink.Pixel);
    }

private:
    TqoRaster& fRaster;
    const std::vector<TRect>& fAreas;
    TRect fBox;
};
// A one-pixel outline of `device` in `edge`, its interior in `fill` when given,
// written row by row with every pixel once; clipped.
void PaintFramedRect(TqoDC& dc, const TRect& device, const TqoInk& edge, const TqoInk* fill);
// A horizontal span [x0, x1) on row y, clipped.
void PaintClippedSpan(TqoDC& dc, int32_t y, int32_t x0, int32_t x1, const TqoInk& ink);

} // namespace qo
