#include "platform/window/qoCustomControl.h"

namespace qo {

namespace {
// The canvas starts every paint with the control's font and colour and lets go
// of the device context afterwards, also when painting fails.
class TPaintScope {
public:
    TPaintScope(TCanvas& canvas, TqoDC& dc, const TControl& control) : fCanvas(canvas) {
        fCanvas.SetHandle(&dc);
        fCanvas.Font() = control.Font();
        fCanvas.Brush() = TBrush{};
        fCanvas.Brush().Color = control.Color();
        fCanvas.Pen() = TPen{};
    }
    ~TPaintScope() { fCanvas.SetHandle(nullptr); }

private:
    TCanvas& fCanvas;
};
} // namespace

TCanvas& TCustomControl::Canvas() {
    if (!fPainting) fCanvas.SetHandle(&WindowDC());
    return fCanvas;
}

void TCustomControl::PaintWindow(TqoDC& dc) {
    TPaintScope scope(fCanvas, dc, *this);
    struct TPaintingFlag {
        bool& Flag;
        explicit TPaintingFlag(bool& flag) : Flag(flag) { Flag = true; }
        ~TPaintingFlag() { Flag = false; }
    } painting(fPainting);
    Paint();
}

void TGraphicControl::PaintControl(TqoDC& dc) {
    TPaintScope scope(fCanvas, dc, *this);
    Paint();
}

} // namespace qo
