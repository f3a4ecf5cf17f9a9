#pragma once
// An off-screen 32-bit raster with its own device context and canvas.
#include "platform/graphics/qoCanvas.h"

#include <memory>
#include <string>

namespace qo {

class TBitmap {
public:
    TBitmap();
    TBitmap(int32_t width, int32_t height);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int32_t Width() const { return fRaster.Width(); }
    int32_t Height() const { return fRaster.Height(); }
    bool Empty() const { return Width() == 0 || Height() == 0; }
    // Resizing keeps the overlapping pixels; new ones are white.
    void SetSize(int32_t width, int32_t height) { fRaster.SetSize(width, height); }
    void SetWidth(int32_t width) { SetSize(width, Height()); }
    void SetHeight(int32_t height) { SetSize(Width(), height); }
    // Copies size and pixels (not the canvas state).
    void Assign(const TBitmap& source) { fRaster = source.fRaster; }

    TCanvas& Canvas() { return *fCanvas; }
    const TCanvas& Canvas() const { return *fCanvas; }
    TqoDC& Handle() { return *fDC; }
    TqoRaster& Raster() { return fRaster; }
    const TqoRaster& Raster() const { return fRaster; }

    // The pixel as a TColor; x and y must lie inside.
    TColor Pixel(int32_t x, int32_t y) const { return PixelToColor(fRaster.Row(y)[x]); }

    void SaveToPNG(const std::string& path) const;
    // Replaces size and pixels; throws EqoError on a missing or malformed file.
    void LoadFromPNG(const std::string& path);

private:
    TqoRaster fRaster;
    std::unique_ptr<TqoDC> fDC;
    std::unique_ptr<TCanvas> fCanvas;
};

} // namespace qo
