#pragma once
// A device context in the shape of GDI's: a pixel target with a viewport
// origin (logical + origin = device) and a clip region in device coordinates.
// A window's, a bitmap's and a printer page's context are all this class.
#include "platform/graphics/qoRaster.h"
#include "platform/graphics/qoRegion.h"

#include <optional>
#include <vector>

namespace qo {

// GetDeviceCaps indexes and clip results (the Windows values; windows.h, where
// included first, has them).
#ifndef LOGPIXELSX
constexpr int32_t HORZRES = 8, VERTRES = 10, BITSPIXEL = 12, LOGPIXELSX = 88, LOGPIXELSY = 90;
constexpr int32_t RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3;
#endif

class TqoDC {
public:
    // The raster must outlive the context (a bitmap owns both).
    explicit TqoDC(TqoRaster& raster, int32_t dpiX = 96, int32_t dpiY = 96);
    TqoDC(const TqoDC&) = delete;
    TqoDC& operator=(const TqoDC&) = delete;

    TqoRaster& Raster() { return *fRaster; }
    const TqoRaster& Raster() const { return *fRaster; }

    // Viewport origin: each returns the previous origin.
    TPoint GetViewportOrg() const { return fOrigin; }
    TPoint SetViewportOrg(TPoint origin);
    TPoint OffsetViewportOrg(int32_t dx, int32_t dy);

    // Clip region, device coordinates. nullptr clears it.
    int32_t SelectClipRgn(const TqoRegion* region);
    // The region selected, if any (GetClipRgn returns 0 when there is none).
    std::optional<TqoRegion> GetClipRgn() const { return fClip; }
    // These two take logical coordinates, as in GDI.
    int32_t IntersectClipRect(const TRect& logical);
    int32_t ExcludeClipRect(const TRect& logical);
    // The bounds of what can be drawn, in logical coordinates.
    TRect GetClipBox() const;

    int32_t GetDeviceCaps(int32_t index) const;
    void SetResolution(int32_t dpiX, int32_t dpiY);

    // Where drawing lands: the clip region cut to the raster, device coordinates.
    const std::vector<TRect>& VisibleRects() const;
    TPoint ToDevice(TPoint logical) const { return logical + fOrigin; }

private:
    int32_t Complexity() const;

    TqoRaster* fRaster;
    int32_t fDpiX, fDpiY;
    TPoint fOrigin;
    std::optional<TqoRegion> fClip;
    mutable std::vector<TRect> fVisible;
    mutable TSize fVisibleFor{-1, -1};
    mutable bool fVisibleValid = false;
};

} // namespace qo
