#include "platform/graphics/qoIcon.h"

#include "platform/core/qoErrors.h"
#include "platform/graphics/qoPNG.h"

#include <cstdlib>
#include <fstream>
#include <vector>

namespace qo {

namespace {

[[noreturn]] void Invalid(const std::string& why) {
    throw EqoError("Invalid icon file: " + why);
}

// Little-endian reads that never leave the data.
class TReader {
public:
    explicit TReader(std::span<const uint8_t> data) : fData(data) {}
    std::span<const uint8_t> Range(size_t offset, size_t length, const char* what) const {
        if (offset > fData.size() || length > fData.size() - offset)
            Invalid(std::string(what) + " lies outside the file");
        return fData.subspan(offset, length);
    }
    uint32_t U16(size_t offset) const {
        const auto b = Range(offset, 2, "a field");
        return uint32_t(b[0]) | uint32_t(b[1]) << 8;
    }
    uint32_t U32(size_t offset) const {
        const auto b = Range(offset, 4, "a field");
        return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    }

private:
    std::span<const uint8_t> fData;
};

struct TEntry {
    int32_t Size = 0; // the larger side, from the directory
    uint32_t Offset = 0, Length = 0;
};

TqoIcon DecodePNG(std::span<const uint8_t> data) {
    std::string why;
    TqoIcon icon{qo::DecodePNG(data, MaxIconSize, why)};
    if (icon.Pixels.Width() == 0) Invalid(why);
    return icon;
}

uint32_t PaletteColor(const TReader& r, size_t palette, uint32_t colours, uint32_t index) {
    if (index >= colours) Invalid("palette index out of range");
    return r.U32(palette + size_t(index) * 4) & 0xFFFFFF;
}

uint32_t PaletteIndex(const uint8_t* row, int32_t x, uint32_t bpp) {
    switch (bpp) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
    default:
        return row[x];
    }
}

uint32_t Direct(const uint8_t* row, int32_t x, uint32_t bpp) {
    const uint8_t* p = row + size_t(x) * (bpp / 8);
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
           (bpp == 32 ? uint32_t(p[3]) << 24 : 0);
}

TqoIcon DecodeDIB(std::span<const uint8_t> data) {
    const TReader r(data);
    const uint32_t headerSize = r.U32(0);
    const int32_t width = int32_t(r.U32(4)), doubled = int32_t(r.U32(8));
    const uint32_t bpp = r.U16(14), compression = r.U32(16);
    uint32_t colours = r.U32(32);
    if (headerSize < 40 || headerSize > data.size()) Invalid("bad image header");
    if (width <= 0 || width > MaxIconSize || doubled <= 0 || doubled / 2 > MaxIconSize || doubled / 2 == 0)
        Invalid("image size out of range");
    if (compression != 0) Invalid("compressed images are not supported");
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) Invalid("unsupported colour depth");
    const int32_t height = doubled / 2;
    if (bpp <= 8 && (colours == 0 || colours > (1u << bpp))) colours = 1u << bpp;
    if (bpp > 8) colours = 0;
    const size_t palette = headerSize, pixels = palette + size_t(colours) * 4;
    const size_t stride = ((size_t(width) * bpp + 31) / 32) * 4, maskStride = ((size_t(width) + 31) / 32) * 4;
    const auto bits = r.Range(pixels, stride * height, "the image");
    // Some files omit the mask of a 32-bit image; alpha alone decides then.
    const size_t maskAt = pixels + stride * height;
    const bool hasMask = maskAt <= data.size() && maskStride * height <= data.size() - maskAt;
    TqoIcon icon{TqoRaster(width, height, 0)};
    bool anyAlpha = false;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = bits.data() + stride * size_t(height - 1 - y);
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t p =
                bpp <= 8 ? PaletteColor(r, palette, colours, PaletteIndex(row, x, bpp)) : Direct(row, x, bpp);
            anyAlpha |= (p >> 24) != 0;
            icon.Pixels.Row(y)[x] = bpp == 32 ? p : p | 0xFF000000u;
        }
    }
    if (anyAlpha && bpp == 32) return icon;
    if (bpp == 32)
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) icon.Pixels.Row(y)[x] |= 0xFF000000u;
    if (!hasMask) return icon;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* mask = data.data() + maskAt + maskStride * size_t(height - 1 - y);
        for (int32_t x = 0; x < width; ++x)
            if ((mask[x / 8] >> (7 - x % 8)) & 1) icon.Pixels.Row(y)[x] &= 0xFFFFFF;
    }
    return icon;
}

} // namespace

TqoIcon LoadIconFromMemory(std::span<const uint8_t> data, int32_t desiredSize) {
    const TReader r(data);
    if (data.size() < 6 || r.U16(0) != 0 || (r.U16(2) != 1 && r.U16(2) != 2)) Invalid("not an icon");
    const uint32_t count = r.U16(4);
    if (count == 0) Invalid("no images");
    const TEntry* best = nullptr;
    std::vector<TEntry> entries;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t at = 6 + size_t(i) * 16;
        const auto e = r.Range(at, 16, "the directory");
        const int32_t w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
        entries.push_back({std::max(w, h), r.U32(at + 12), r.U32(at + 8)});
    }
    for (const TEntry& e : entries) {
        auto distance = [&](const TEntry& x) {
            return desiredSize ? std::abs(x.Size - desiredSize) : -x.Size;
        };
        if (!best || distance(e) < distance(*best) || (distance(e) == distance(*best) && e.Size > best->Size))
            best = &e;
    }
    const auto image = r.Range(best->Offset, best->Length, "an image");
    static const uint8_t pngSignature[] = {0x89, 'P', 'N', 'G'};
    if (image.size() >= 4 && std::equal(pngSignature, pngSignature + 4, image.begin()))
        return DecodePNG(image);
    return DecodeDIB(image);
}

TqoIcon LoadIconFromFile(const std::string& path, int32_t desiredSize) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EqoError("Cannot open icon file \"" + path + "\"");
    constexpr std::streamoff limit = 4 << 20;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || size > limit) Invalid("\"" + path + "\" is too large");
    in.seekg(0);
    std::vector<uint8_t> data(size_t(size), 0);
    if (!in.read(reinterpret_cast<char*>(data.data()), size))
        throw EqoError("Cannot read icon file \"" + path + "\"");
    return LoadIconFromMemory(data, desiredSize);
}

} // namespace qo
