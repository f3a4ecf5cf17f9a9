#include "platform/widgets/qoEdit.h"

#include "platform/widgets/qoTextLine.h"
#include "platform/window/qoInputRouter.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>

namespace qo {

TEdit::TEdit(TComponent* owner) : TCustomControl(owner) {
    ControlStyle |= csOpaque;
    TabStop = true;
    SetColor(clWindow);
    SetCursor(crIBeam);
    SetBounds(0, 0, 121, 21);
}

void TEdit::SetText(const std::string& text) {
    fScrollX = 0;
    Apply(fBuffer.SetText(text) ? teChanged : teMoved);
}

void TEdit::SetBorderStyle(TBorderStyle style) {
    fBorderStyle = style;
    Invalidate();
}

void TEdit::SetHideSelection(bool hide) {
    fHideSelection = hide;
    Invalidate();
}

void TEdit::SetSel(int start, int length) {
    fBuffer.Select(start, length);
    Apply(teMoved);
}

void TEdit::SetSelText(const std::string& text) { Apply(fBuffer.Replace(text) ? teChanged : teNone); }

void TEdit::Undo() { Apply(fBuffer.Undo() ? teChanged : teNone); }

void TEdit::CutToClipboard() { Apply(fBuffer.CutToClipboard() ? teChanged : teNone); }

void TEdit::PasteFromClipboard() { Apply(fBuffer.PasteFromClipboard() ? teChanged : teNone); }

TRect TEdit::TextRect() const {
    TRect rect = ClientRect();
    if (fBorderStyle == bsSingle) rect = rect.Inflate(-2, -2);
    return rect.Inflate(-1, -1);
}

TCanvas& TEdit::MeasuringCanvas() {
    TCanvas& canvas = Canvas();
    canvas.Font() = Font();
    return canvas;
}

int TEdit::CharAtX(int x) {
    return qoTextLine::CharAt(MeasuringCanvas(), fBuffer.Chars(), x - TextRect().Left + fScrollX);
}

void TEdit::Apply(TTextEffect effect) {
    if (effect == teNone) return;
    const int width = std::max(1, TextRect().Width());
    const int caretX = qoTextLine::CharX(MeasuringCanvas(), fBuffer.Chars(), fBuffer.Caret());
    if (caretX < fScrollX)
        fScrollX = std::max(0, caretX - width / 4);
    else if (caretX >= fScrollX + width)
        fScrollX = caretX - width * 3 / 4;
    Invalidate();
    if (effect == teChanged) OnChange.Fire(this);
}

void TEdit::Paint() {
    TCanvas& canvas = Canvas();
    TRect rect = ClientRect();
    if (fBorderStyle == bsSingle) qoWidgetPaint::Edge(canvas, rect, qoWidgetPaint::edSunken);
    qoWidgetPaint::Fill(canvas, rect, Enabled() ? Color() : clBtnFace);
    const TRect text = TextRect();
    qoTextLine::TLineLook look;
    look.Enabled = Enabled();
    if (Focused() || !fHideSelection) {
        look.SelFrom = fBuffer.SelStart();
        look.SelTo = fBuffer.SelStart() + fBuffer.SelLength();
    }
    if (Focused()) look.Caret = fBuffer.Caret();
    qoTextLine::Draw(canvas, fBuffer.Chars(), {text.Left - fScrollX, text.Top}, text, look);
}

void TEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (button == mbLeft && CanFocus() && !Focused()) SetFocus();
    if (!alive) return;
    if (button == mbLeft && !(shift & ssDouble)) {
        fBuffer.MoveCaret(CharAtX(x), shift & ssShift);
        fSelecting = true;
        Apply(teMoved);
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TEdit::MouseMove(TShiftState shift, int x, int y) {
    if (fSelecting) {
        fBuffer.MoveCaret(CharAtX(x), true);
        Apply(teMoved);
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) fSelecting = false;
    TCustomControl::MouseUp(button, shift, x, y);
}

void TEdit::DblClick() {
    const std::u32string& chars = fBuffer.Chars();
    int start = fBuffer.Caret(), end = start;
    while (start > 0 && chars[size_t(start - 1)] != U' ') --start;
    while (end < fBuffer.Length() && chars[size_t(end)] != U' ') ++end;
    fBuffer.Select(start, end - start);
    Apply(teMoved);
    TCustomControl::DblClick();
}

void TEdit::KeyDown(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::KeyDown(key, shift);
    if (!alive || !key) return;
    Apply(fBuffer.Key(key, shift, fReadOnly, 0, fBuffer.Length()));
}

void TEdit::KeyPress(char16_t& key) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::KeyPress(key);
    if (!alive || !key) return;
    Apply(fBuffer.Char(key, fReadOnly));
}

void TEdit::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (WantTabs ? LRESULT(DLGC_WANTTAB) : 0);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        fBuffer.EndTyping();
        Invalidate();
        break;
    case WM_CAPTURECHANGED: fSelecting = false; break;
    }
    TCustomControl::WndProc(message);
}

void TEdit::EnabledChanged() {
    TCustomControl::EnabledChanged();
    Invalidate();
}

} // namespace qo
