#include "platform/graphics/qoDCSaver.h"

namespace qo {

TqoDCSaver::TqoDCSaver(TCanvas& canvas)
    : fCanvas(canvas), fDC(canvas.Handle()), fPen(canvas.Pen()), fBrush(canvas.Brush()),
      fFont(canvas.Font()) {
    if (!fDC) return;
    fOrigin = fDC->GetViewportOrg();
    fClip = fDC->GetClipRgn();
}

TqoDCSaver::~TqoDCSaver() {
    fCanvas.Pen() = fPen;
    fCanvas.Brush() = fBrush;
    fCanvas.Font() = fFont;
    if (!fDC) return;
    fDC->SetViewportOrg(fOrigin);
    fDC->SelectClipRgn(fClip ? &*fClip : nullptr);
}

} // namespace qo
