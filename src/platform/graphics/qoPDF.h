#pragma once
// A PDF document of raster pages: each page one Flate-compressed RGB image
// filling a page of the raster's size at the given resolution.
#include "platform/graphics/qoRaster.h"

#include <string>
#include <vector>

namespace qo {

void WritePDF(const std::string& path, const std::vector<const TqoRaster*>& pages, int32_t dpi,
              const std::string& title);

} // namespace qo
