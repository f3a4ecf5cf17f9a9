// PNG through libpng.
#ifndef _WIN32
#include "platform/graphics/qoPNG.h"

#include "platform/core/qoErrors.h"

#include <png.h>

#include <vector>

namespace qo {

void SavePNG(const TqoRaster& raster, const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(raster.Width());
    image.height = png_uint_32(raster.Height());
    image.format = PNG_FORMAT_BGRA;
    // Our pixels are 0x00RRGGBB: in memory B, G, R, 0. Write them opaque.
    std::vector<uint32_t> opaque(raster.Data(), raster.Data() + size_t(raster.Width()) * raster.Height());
    for (uint32_t& p : opaque) p |= 0xFF000000u;
    if (!png_image_write_to_file(&image, path.c_str(), 0, opaque.data(), 0, nullptr))
        throw EqoError("Cannot write \"" + path + "\": " + image.message);
}

TqoRaster LoadPNG(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        throw EqoError("Cannot read \"" + path + "\": " + image.message);
    image.format = PNG_FORMAT_BGRA;
    TqoRaster raster(int32_t(image.width), int32_t(image.height));
    png_color white{255, 255, 255};
    if (!png_image_finish_read(&image, &white, raster.Data(), 0, nullptr)) {
        png_image_free(&image);
        throw EqoError("Cannot read \"" + path + "\": " + image.message);
    }
    for (int32_t y = 0; y < raster.Height(); ++y)
        for (int32_t x = 0; x < raster.Width(); ++x) raster.Row(y)[x] &= 0xFFFFFF;
    return raster;
}

TqoRaster DecodePNG(std::span<const uint8_t> data, int32_t maxSide, std::string& why) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    why = "bad PNG image";
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) return {};
    if (image.width == 0 || image.height == 0 || image.width > uint32_t(maxSide) || image.height > uint32_t(maxSide)) {
        png_image_free(&image);
        why = "image size out of range";
        return {};
    }
    image.format = PNG_FORMAT_BGRA;
    TqoRaster raster(int32_t(image.width), int32_t(image.height), 0);
    if (!png_image_finish_read(&image, nullptr, raster.Data(), 0, nullptr)) return {};
    return raster;
}

} // namespace qo
#endif
