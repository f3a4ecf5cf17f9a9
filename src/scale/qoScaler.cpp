#include "scale/qoScaler.h"

#include "platform/core/qoDateTime.h"
#include "platform/core/qoFormatSettings.h"
#include "platform/window/qoThreads.h"

namespace qo {

TqoDateScaler::TqoDateScaler(TComponent* owner)
    : TqoOffscreenPaint(owner), fStart(Date()), fStop(Date() + 7), fMaxStop(EncodeDate(4000, 1, 1)) {
    for (TFont& font : fTextFonts) {
        font.Name = "Arial";
        font.Size = 7;
        font.Color = clBlack;
    }
    DateFormat = FormatSettings().ShortDateFormat;
    TimeFormat = FormatSettings().ShortTimeFormat;
    fScrollTimer = new TTimer(this);
    fScrollTimer->SetEnabled(false);
    fScrollTimer->SetInterval(50);
    fScrollTimer->SetOnTimer(TNotifyEvent::Bind(this, &TqoDateScaler::ScrollButtonPressed));
    AnimationPause = [] { Sleep(10); };
    SetColor(clWindow);
    SetBevelOuter(bvNone);
}

TqoDateScaler::~TqoDateScaler() = default;

int TqoDateScaler::GetScaleLen() {
    return fHorizontal ? Width() : Height();
}

void TqoDateScaler::SetHorizontal(bool value) {
    if (fHorizontal == value) return;
    fHorizontal = value;
    // The axis changes length as after a resize.
    fWasResized = true;
    CalcDrawMode();
    Invalidate();
}

void TqoDateScaler::SetPixelsForModeSwitch(int value) {
    fPixelsForModeSwitch = value;
    CalcDrawMode();
    Invalidate();
}

void TqoDateScaler::SetTextFont(TScalerFont which, const TFont& font) {
    fTextFonts[which] = font;
    Invalidate();
}

void TqoDateScaler::SetLookAndFeel(TLookAndFeel value) {
    fLookAndFeel = value;
    Invalidate();
}

void TqoDateScaler::SetScrollButtons(TScrollButtons value) {
    fScrollButtons = value;
    Invalidate();
}

void TqoDateScaler::BeginUpdate() {
    TqoOffscreenPaint::BeginUpdate();
}

void TqoDateScaler::EndUpdate() {
    TqoOffscreenPaint::EndUpdate();
    CalcDrawMode();
    Invalidate();
}

void TqoDateScaler::BoundsChanged(bool resized) {
    TqoOffscreenPaint::BoundsChanged(resized);
    if (resized) fWasResized = true;
}

void TqoDateScaler::WndProc(TMessage& message) {
    if (message.Msg == QO_SCALER_CHANGE) {
        CallChange();
        return;
    }
    TqoOffscreenPaint::WndProc(message);
}

void TqoDateScaler::Print(TqoDC& dc, int x, int y, double scalex, double scaley, bool updateBounds) {
    // The printed marks are built from the screen length times the print scale.
    fPrintScaleLen = GetScaleLen();
    InternalSetPrintScalex(scalex);
    InternalSetPrintScaley(scaley);
    BeginPrint();
    try {
        CalcDrawMode();
        TqoOffscreenPaint::Print(dc, x, y, scalex, scaley, updateBounds);
    } catch (...) {
        EndPrint();
        fPrintScaleLen = 0;
        throw;
    }
    EndPrint();
    fPrintScaleLen = 0;
    CalcDrawMode();
}

} // namespace qo
