#include "platform/widgets/qoCheckBox.h"

#include "platform/core/qoErrors.h"

namespace qo {

namespace {
constexpr int TextLeft = qoWidgetPaint::CheckBoxSize + 4;
constexpr uint32_t TextFlags = DT_LEFT | DT_SINGLELINE | DT_VCENTER;
} // namespace

TCheckBox::TCheckBox(TComponent* owner) : TCustomControl(owner) {
    ControlStyle = (ControlStyle | csOpaque) & ~csDoubleClicks & ~csClickEvents;
    TabStop = true;
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::SetState(TCheckBoxState state) {
    if (state == cbGrayed && !fAllowGrayed)
        throw EqoError("A check box without AllowGrayed cannot be grayed");
    if (state == fState) return;
    fState = state;
    Invalidate();
}

void TCheckBox::SetAllowGrayed(bool allow) {
    fAllowGrayed = allow;
    if (!allow && fState == cbGrayed) SetState(cbUnchecked);
}

void TCheckBox::Toggle() {
    if (fState == cbUnchecked)
        fState = cbChecked;
    else if (fState == cbChecked && fAllowGrayed)
        fState = cbGrayed;
    else
        fState = cbUnchecked;
    Invalidate();
    OnClick.Fire(this);
}

void TCheckBox::SetPushed(bool pushed) {
    if (pushed == fPushed) return;
    fPushed = pushed;
    Invalidate();
}

void TCheckBox::Paint() {
    TCanvas& canvas = Canvas();
    qoWidgetPaint::Fill(canvas, ClientRect(), Color());
    const int boxTop = (Height() - qoWidgetPaint::CheckBoxSize) / 2;
    qoWidgetPaint::CheckBox(canvas, {0, boxTop}, fState, Enabled(), fPushed);
    if (Caption().empty()) return;
    TRect text{TextLeft, 0, Width(), Height()};
    canvas.DrawTextW(Caption(), text, TextFlags | DT_CALCRECT);
    text = TRect(TextLeft, 0, std::min(text.Right, Width()), Height());
    canvas.Brush().Style = TBrushStyle::bsClear;
    if (Enabled())
        canvas.DrawTextW(Caption(), text, TextFlags);
    else
        qoWidgetPaint::DisabledText(canvas, Caption(), text, TextFlags);
    const int textHeight = canvas.TextHeight("Xy");
    const int top = (Height() - textHeight) / 2 - 1;
    if (Focused())
        qoWidgetPaint::FocusRect(canvas, {text.Left - 1, top, text.Right + 1, top + textHeight + 2});
}

void TCheckBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::MouseDown(button, shift, x, y);
    if (!alive || button != mbLeft) return;
    if (CanFocus() && !Focused()) SetFocus();
    if (!alive) return;
    fMousePress = true;
    SetPushed(true);
}

void TCheckBox::MouseMove(TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::MouseMove(shift, x, y);
    if (alive && fMousePress) SetPushed(ClientRect().Contains({x, y}));
}

void TCheckBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (button == mbLeft && fMousePress) {
        fMousePress = false;
        const bool inside = fPushed;
        SetPushed(false);
        if (inside) Toggle();
        if (!alive) return;
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCheckBox::KeyDown(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::KeyDown(key, shift);
    if (alive && key == VK_SPACE) SetPushed(true);
}

void TCheckBox::KeyUp(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::KeyUp(key, shift);
    if (!alive || key != VK_SPACE || !fPushed || fMousePress) return;
    SetPushed(false);
    Toggle();
}

void TCheckBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTCHARS;
        return;
    case WM_KILLFOCUS:
        fPushed = false;
        [[fallthrough]];
    case WM_SETFOCUS:
        Invalidate();
        break;
    case WM_CAPTURECHANGED:
        fMousePress = false;
        SetPushed(false);
        break;
    }
    TCustomControl::WndProc(message);
}

} // namespace qo
