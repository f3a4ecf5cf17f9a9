#pragma once
// PNG files of rasters (8-bit RGB; alpha is dropped on reading).
#include "platform/graphics/qoRaster.h"

#include <string>

namespace qo {

void SavePNG(const TqoRaster& raster, const std::string& path);
// Throws EqoError when the file is missing or not a readable PNG.
TqoRaster LoadPNG(const std::string& path);

} // namespace qo
