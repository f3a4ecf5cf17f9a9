// Pixel copies between canvases and from bitmaps, stretched when the sizes differ.
#include "platform/core/qoErrors.h"
#include "platform/graphics/qoBitmap.h"

#include <algorithm>

namespace qo {

// Nearest source pixel for every destination pixel (the colour-on-colour stretch
// mode); rectangles may be mirrored by swapping their edges.
void TCanvas::Blit(const TRect& dest, const TqoRaster& source, const TRect& src) {
    const TPoint o = DC().GetViewportOrg();
    const TRect d = dest.Offset(o.X, o.Y);
    const int32_t dw = d.Width(), dh = d.Height(), sw = src.Width(), sh = src.Height();
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
    const TRect target = d.Normalized();
    TqoRaster& raster = fDC->Raster();
    const bool samePixels = &raster == &source;
    const TqoRaster copy = samePixels ? source : TqoRaster();
    const TqoRaster& from = samePixels ? copy : source;
    for (const TRect& visible : fDC->VisibleRects()) {
        const TRect r = IntersectRect(visible, target);
        for (int32_t y = r.Top; y < r.Bottom; ++y) {
            const int32_t sy =
                src.Top + int32_t((int64_t(2 * (y - d.Top) + (dh > 0 ? 1 : -1)) * sh) / (2 * dh));
            if (sy < 0 || sy >= from.Height()) continue;
            const uint32_t* in = from.Row(sy);
            uint32_t* out = raster.Row(y);
            for (int32_t x = r.Left; x < r.Right; ++x) {
                const int32_t sx =
                    src.Left + int32_t((int64_t(2 * (x - d.Left) + (dw > 0 ? 1 : -1)) * sw) / (2 * dw));
                if (sx >= 0 && sx < from.Width()) out[x] = in[sx];
            }
        }
    }
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
    const TPoint so = source.DC().GetViewportOrg();
    Blit(dest, source.DC().Raster(), sourceRect.Offset(so.X, so.Y));
}

void TCanvas::BitBlt(int32_t x, int32_t y, int32_t width, int32_t height, const TCanvas& source, int32_t sx,
                     int32_t sy, uint32_t rop) {
    if (rop != SRCCOPY) throw EqoError(Format("Raster operation %08X is not supported", rop));
    CopyRect(TRect::Bounds(x, y, width, height), source, TRect::Bounds(sx, sy, width, height));
}

void TCanvas::Draw(int32_t x, int32_t y, const TBitmap& bitmap) {
    Blit(TRect::Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap.Raster(), bitmap.Raster().Bounds());
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
    Blit(dest, bitmap.Raster(), bitmap.Raster().Bounds());
}

} // namespace qo
