#pragma once
// PNG files of rasters (8-bit RGB; alpha is dropped on reading), and PNG images
// in memory with their alpha. libpng on Linux, the imaging component on Windows.
#include "platform/graphics/qoRaster.h"

#include <cstdint>
#include <span>
#include <string>

namespace qo {

void SavePNG(const TqoRaster& raster, const std::string& path);
// Throws EqoError when the file is missing or not a readable PNG.
TqoRaster LoadPNG(const std::string& path);

// Pixels 0xAARRGGBB with straight alpha. `why` says what is wrong when the
// result is empty: not a readable PNG, or a side of 0 or above maxSide.
TqoRaster DecodePNG(std::span<const uint8_t> data, int32_t maxSide, std::string& why);

} // namespace qo
