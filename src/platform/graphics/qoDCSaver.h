#pragma once
// A scope that gives the canvas back as it found it: pen, brush, font, and the
// device context's viewport origin and clip region are restored when it ends,
// also when drawing fails half way.
#include "platform/graphics/qoCanvas.h"
#include "platform/graphics/qoDeviceContext.h"

#include <optional>

namespace qo {

class TqoDCSaver {
public:
    explicit TqoDCSaver(TCanvas& canvas);
    ~TqoDCSaver();
    TqoDCSaver(const TqoDCSaver&) = delete;
    TqoDCSaver& operator=(const TqoDCSaver&) = delete;

private:
    TCanvas& fCanvas;
    TqoDC* fDC;
    TPen fPen;
    TBrush fBrush;
    TFont fFont;
    TPoint fOrigin;
    std::optional<TqoRegion> fClip;
};

} // namespace qo
