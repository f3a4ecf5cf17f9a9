#pragma once
// A list of equal-sized images drawn by index, with a transparent colour.
#include "platform/graphics/qoIcon.h"

#include <vector>

namespace qo {

class TBitmap;
class TCanvas;

class TImageList {
public:
    explicit TImageList(int32_t width = 16, int32_t height = 16);

    int32_t Width() const { return fWidth; }
    int32_t Height() const { return fHeight; }
    // Changing the size clears the list.
    void SetSize(int32_t width, int32_t height);
    int32_t Count() const { return int32_t(fImages.size()); }
    void Clear() { fImages.clear(); }

    // Pixels of this colour in added bitmaps are not drawn (clNone: all are).
    TColor TransparentColor() const { return fTransparentColor; }
    void SetTransparentColor(TColor color) { fTransparentColor = color; }

    // Cuts the bitmap into images of the list's size, left to right, and
    // returns the index of the first; a bitmap smaller than one image is an error.
    int32_t Add(const TBitmap& bitmap);
    // An icon of another size is scaled to the list's size.
    int32_t AddIcon(const TqoIcon& icon);
    // Draws image `index` at (x, y); an index out of range draws nothing.
    void Draw(TCanvas& canvas, int32_t x, int32_t y, int32_t index) const;
    // The image in the bitmap, resized to the image size; transparent pixels take the
    // transparent colour (white when there is none). EListError when out of range.
    void GetBitmap(int32_t index, TBitmap& bitmap) const;

private:
    int32_t fWidth, fHeight;
    TColor fTransparentColor = clNone;
    // 0xAARRGGBB, straight alpha.
    std::vector<TqoRaster> fImages;
};

} // namespace qo
