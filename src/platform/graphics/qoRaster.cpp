#include "platform/graphics/qoRaster.h"

#include <algorithm>

namespace qo {

void TqoRaster::SetSize(int32_t width, int32_t height, uint32_t pixel) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == fWidth && height == fHeight) return;
    std::vector<uint32_t> pixels(size_t(width) * size_t(height), pixel);
    const int32_t keepW = std::min(width, fWidth), keepH = std::min(height, fHeight);
    for (int32_t y = 0; y < keepH; ++y) std::copy_n(Row(y), keepW, pixels.data() + size_t(y) * size_t(width));
    fPixels.swap(pixels);
    fWidth = width;
    fHeight = height;
}

void TqoRaster::Fill(uint32_t pixel) {
    std::fill(fPixels.begin(), fPixels.end(), pixel);
}

} // namespace qo
