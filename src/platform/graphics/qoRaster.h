#pragma once
// The pixel store behind every device context: 32 bits a pixel, rows top down,
// each pixel 0x00RRGGBB as in a Windows DIB section, so that a Win32 backend
// can blit it without conversion.
#include "platform/core/qoColor.h"
#include "platform/core/qoGeometry.h"

#include <cstdint>
#include <vector>

namespace qo {

// TColor is 0x00BBGGRR; a stored pixel is 0x00RRGGBB.
constexpr uint32_t ColorToPixel(TColor rgb) {
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}
constexpr TColor PixelToColor(uint32_t pixel) {
    return ColorToPixel(pixel) & 0xFFFFFF;
}

class TqoRaster {
public:
    TqoRaster() = default;
    TqoRaster(int32_t width, int32_t height, uint32_t pixel = 0xFFFFFF) { SetSize(width, height, pixel); }

    int32_t Width() const { return fWidth; }
    int32_t Height() const { return fHeight; }
    TRect Bounds() const { return {0, 0, fWidth, fHeight}; }
    // Keeps the overlapping pixels; new ones take `pixel`. Negative sizes count as 0.
    void SetSize(int32_t width, int32_t height, uint32_t pixel = 0xFFFFFF);
    void Fill(uint32_t pixel);

    uint32_t* Row(int32_t y) { return fPixels.data() + size_t(y) * size_t(fWidth); }
    const uint32_t* Row(int32_t y) const { return fPixels.data() + size_t(y) * size_t(fWidth); }
    uint32_t* Data() { return fPixels.data(); }
    const uint32_t* Data() const { return fPixels.data(); }

    friend bool operator==(const TqoRaster&, const TqoRaster&) = default;

private:
    int32_t fWidth = 0;
    int32_t fHeight = 0;
    std::vector<uint32_t> fPixels;
};

} // namespace qo
