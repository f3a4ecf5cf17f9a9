#pragma once
// Icons read from .ico files. The files come from paths a host names, so every
// read is bounds-checked and anything malformed ends in an EqoError.
#include "platform/graphics/qoRaster.h"

#include <cstdint>
#include <span>
#include <string>

namespace qo {

// Pixels are 0xAARRGGBB with straight alpha: 0 is transparent, 255 opaque.
struct TqoIcon {
    TqoRaster Pixels;
};

// Largest side of an icon image we accept (the format's own limit is 256).
constexpr int32_t MaxIconSize = 256;

// The image whose size is nearest `desiredSize` (the larger on a tie); 0 takes the largest.
TqoIcon LoadIconFromMemory(std::span<const uint8_t> data, int32_t desiredSize = 0);
TqoIcon LoadIconFromFile(const std::string& path, int32_t desiredSize = 0);

} // namespace qo
