#include "platform/graphics/qoDeviceContext.h"

namespace qo {

TqoDC::TqoDC(TqoRaster& raster, int32_t dpiX, int32_t dpiY) : fRaster(&raster), fDpiX(dpiX), fDpiY(dpiY) {}

TPoint TqoDC::SetViewportOrg(TPoint origin) {
    const TPoint old = fOrigin;
    fOrigin = origin;
    return old;
}

TPoint TqoDC::OffsetViewportOrg(int32_t dx, int32_t dy) {
    return SetViewportOrg(fOrigin + TPoint(dx, dy));
}

int32_t TqoDC::Complexity() const {
    if (!fClip) return SIMPLEREGION;
    if (fClip->IsEmpty()) return NULLREGION;
    return fClip->Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int32_t TqoDC::SelectClipRgn(const TqoRegion* region) {
    if (region)
        fClip = *region;
    else
        fClip.reset();
    fVisibleValid = false;
    return Complexity();
}

int32_t TqoDC::IntersectClipRect(const TRect& logical) {
    const TRect device = logical.Normalized().Offset(fOrigin.X, fOrigin.Y);
    if (!fClip) fClip = TqoRegion(fRaster->Bounds());
    fClip->Intersect(device);
    fVisibleValid = false;
    return Complexity();
}

int32_t TqoDC::ExcludeClipRect(const TRect& logical) {
    if (!fClip) fClip = TqoRegion(fRaster->Bounds());
    fClip->Subtract(logical.Normalized().Offset(fOrigin.X, fOrigin.Y));
    fVisibleValid = false;
    return Complexity();
}

TRect TqoDC::GetClipBox() const {
    TRect box;
    for (const TRect& r : VisibleRects()) box = UnionRect(box, r);
    return box.IsEmpty() ? box : box.Offset(-fOrigin.X, -fOrigin.Y);
}

int32_t TqoDC::GetDeviceCaps(int32_t index) const {
    switch (index) {
    case HORZRES:
        return fRaster->Width();
    case VERTRES:
        return fRaster->Height();
    case BITSPIXEL:
        return 32;
    case LOGPIXELSX:
        return fDpiX;
    case LOGPIXELSY:
        return fDpiY;
    default:
        return 0;
    }
}

void TqoDC::SetResolution(int32_t dpiX, int32_t dpiY) {
    fDpiX = dpiX;
    fDpiY = dpiY;
}

const std::vector<TRect>& TqoDC::VisibleRects() const {
    const TSize size = fRaster->Bounds().Size();
    if (fVisibleValid && size == fVisibleFor) return fVisible;
    TqoRegion visible(fRaster->Bounds());
    if (fClip) visible.Intersect(*fClip);
    fVisible = visible.Rects();
    fVisibleFor = size;
    fVisibleValid = true;
    return fVisible;
}

} // namespace qo
