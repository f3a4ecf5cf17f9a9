#include "platform/graphics/qoImageList.h"

#include "platform/core/qoErrors.h"
#include "platform/graphics/qoBitmap.h"

#include <algorithm>

namespace qo {

namespace {

uint32_t Over(uint32_t dst, uint32_t src) {
    const uint32_t a = src >> 24;
    if (a == 255) return src & 0xFFFFFF;
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t d = (dst >> shift) & 0xFF, s = (src >> shift) & 0xFF;
        out |= ((s * a + d * (255 - a) + 127) / 255) << shift;
    }
    return out;
}

} // namespace

TImageList::TImageList(int32_t width, int32_t height)
    : fWidth(std::max(width, 1)), fHeight(std::max(height, 1)) {}

void TImageList::SetSize(int32_t width, int32_t height) {
    fWidth = std::max(width, 1);
    fHeight = std::max(height, 1);
    Clear();
}

int32_t TImageList::Add(const TBitmap& bitmap) {
    if (bitmap.Width() < fWidth || bitmap.Height() < fHeight)
        throw EqoError(Format("Image of %dx%d is smaller than the list's %dx%d", bitmap.Width(),
                              bitmap.Height(), fWidth, fHeight));
    const int32_t first = Count();
    const uint32_t transparent =
        fTransparentColor == clNone ? 0xFFFFFFFFu : ColorToPixel(ColorToRGB(fTransparentColor));
    for (int32_t left = 0; left + fWidth <= bitmap.Width(); left += fWidth) {
        TqoRaster image(fWidth, fHeight, 0);
        for (int32_t y = 0; y < fHeight; ++y)
            for (int32_t x = 0; x < fWidth; ++x) {
                const uint32_t p = bitmap.Raster().Row(y)[left + x];
                image.Row(y)[x] = p == transparent ? p : p | 0xFF000000u;
            }
        fImages.push_back(std::move(image));
    }
    return first;
}

int32_t TImageList::AddIcon(const TqoIcon& icon) {
    const TqoRaster& source = icon.Pixels;
    if (source.Width() == 0 || source.Height() == 0) throw EqoError("Empty icon");
    TqoRaster image(fWidth, fHeight, 0);
    for (int32_t y = 0; y < fHeight; ++y)
        for (int32_t x = 0; x < fWidth; ++x)
            image.Row(y)[x] = source.Row(y * source.Height() / fHeight)[x * source.Width() / fWidth];
    fImages.push_back(std::move(image));
    return Count() - 1;
}

void TImageList::Draw(TCanvas& canvas, int32_t x, int32_t y, int32_t index) const {
    if (index < 0 || index >= Count() || !canvas.Handle()) return;
    TqoDC& dc = *canvas.Handle();
    const TPoint o = dc.ToDevice({x, y});
    const TqoRaster& image = fImages[size_t(index)];
    for (const TRect& visible : dc.VisibleRects()) {
        const TRect r = IntersectRect(visible, TRect::Bounds(o.X, o.Y, fWidth, fHeight));
        for (int32_t dy = r.Top; dy < r.Bottom; ++dy) {
            uint32_t* out = dc.Raster().Row(dy);
            const uint32_t* in = image.Row(dy - o.Y);
            for (int32_t dx = r.Left; dx < r.Right; ++dx)
                if (in[dx - o.X] >> 24) out[dx] = Over(out[dx], in[dx - o.X]);
        }
    }
}

void TImageList::GetBitmap(int32_t index, TBitmap& bitmap) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    const TColor background = fTransparentColor == clNone ? clWhite : ColorToRGB(fTransparentColor);
    bitmap.SetSize(fWidth, fHeight);
    bitmap.Raster().Fill(ColorToPixel(background));
    const TqoRaster& image = fImages[size_t(index)];
    for (int32_t y = 0; y < fHeight; ++y)
        for (int32_t x = 0; x < fWidth; ++x) {
            uint32_t& out = bitmap.Raster().Row(y)[x];
            out = Over(out, image.Row(y)[x]);
        }
}

} // namespace qo
