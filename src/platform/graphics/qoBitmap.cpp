#include "platform/graphics/qoBitmap.h"

#include "platform/graphics/qoPNG.h"

namespace qo {

TBitmap::TBitmap() : fDC(std::make_unique<TqoDC>(fRaster)), fCanvas(std::make_unique<TCanvas>(fDC.get())) {}

TBitmap::TBitmap(int32_t width, int32_t height) : TBitmap() {
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

void TBitmap::SaveToPNG(const std::string& path) const {
    SavePNG(fRaster, path);
}

void TBitmap::LoadFromPNG(const std::string& path) {
    fRaster = LoadPNG(path);
}

} // namespace qo
