#include "platform/widgets/qoDropDownWindow.h"

#include "platform/window/qoWidgetPaint.h"

namespace qo {

TqoDropDownWindow::TqoDropDownWindow(TWinControl& box) : TqoPopupWindow(&box), fBox(box) {
    OnClosePopup = [this](TComponent*) {
        if (!fQuiet) OnCloseUp.Fire(this, fTaking);
    };
}

void TqoDropDownWindow::DropBelow(TSize content) {
    const TPoint at = fBox.ClientToScreen({0, fBox.Height()});
    fTaking = false;
    Popup(TRect::Bounds(at.X, at.Y, content.cx + 2, content.cy + 2));
}

void TqoDropDownWindow::CloseUp(bool take) {
    fTaking = take;
    ClosePopup();
}

void TqoDropDownWindow::CloseOnFocusLoss() {
    fQuiet = fBox.IsDestroying() || fBox.TopLevel()->IsDestroying();
    const TqoAlive::TWatch alive = fAlive.Watch();
    CloseUp(false);
    if (alive) fQuiet = false;
}

void TqoDropDownWindow::Paint() {
    TRect frame = ClientRect();
    qoWidgetPaint::Frame3D(Canvas(), frame, SystemColor(COLOR_WINDOWFRAME), SystemColor(COLOR_WINDOWFRAME), 1);
    TqoPopupWindow::Paint();
}

} // namespace qo
