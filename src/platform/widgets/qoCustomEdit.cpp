#include "platform/widgets/qoCustomEdit.h"

#include "platform/widgets/qoTextLine.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>

namespace qo {

TqoCustomEdit::TqoCustomEdit(TComponent* owner) : TqoScrollingControl(owner) {
    ControlStyle |= csOpaque;
    TabStop = true;
    SetColor(clWindow);
    SetCursor(crIBeam);
}

void TqoCustomEdit::SetText(const std::string& text) {
    const bool changed = fBuffer.SetText(text);
    ScrollTo(sbHorizontal, 0);
    Apply(changed ? teChanged : teMoved);
}

void TqoCustomEdit::SetBorderStyle(TBorderStyle style) {
    fBorderStyle = style;
    LayoutChanged();
}

void TqoCustomEdit::LayoutChanged() {
    fRowsWidth = -1;
    UpdateScrollBars();
    Invalidate();
}

void TqoCustomEdit::SetHideSelection(bool hide) {
    fHideSelection = hide;
    Invalidate();
}

void TqoCustomEdit::SetSel(int start, int length) {
    fBuffer.Select(start, length);
    Apply(teMoved);
}

void TqoCustomEdit::SetSelText(const std::string& text) { Apply(fBuffer.Replace(text) ? teChanged : teNone); }

void TqoCustomEdit::Undo() { Apply(fBuffer.Undo() ? teChanged : teNone); }

void TqoCustomEdit::CutToClipboard() { Apply(fBuffer.CutToClipboard() ? teChanged : teNone); }

void TqoCustomEdit::PasteFromClipboard() { Apply(fBuffer.PasteFromClipboard() ? teChanged : teNone); }

TCanvas& TqoCustomEdit::MeasuringCanvas() const {
    // Measuring needs the window's canvas, which painting shares: only the font is set.
    TCanvas& canvas = const_cast<TqoCustomEdit*>(this)->Canvas();
    canvas.Font() = Font();
    return canvas;
}

int TqoCustomEdit::RowHeight() const { return std::max(1, MeasuringCanvas().TextHeight("Xy")); }

TRect TqoCustomEdit::TextArea(const TRect& visible) const {
    const int inset = fBorderStyle == bsSingle ? 3 : 1;
    TRect area = visible.Inflate(-inset, -inset);
    area.Right = std::max(area.Left, area.Right);
    area.Bottom = std::max(area.Top, area.Bottom);
    return area;
}

void TqoCustomEdit::LayOut(int, std::vector<TRow>& rows) const {
    const std::u32string& chars = fBuffer.Chars();
    int start = 0;
    for (;;) {
        const size_t end = chars.find(U'\n', size_t(start));
        if (end == std::u32string::npos) break;
        rows.push_back({start, int(end)});
        start = int(end) + 1;
    }
    rows.push_back({start, fBuffer.Length()});
}

const std::vector<TqoCustomEdit::TRow>& TqoCustomEdit::RowsFor(int width) const {
    if (width != fRowsWidth) {
        fRows.clear();
        LayOut(width, fRows);
        fRowsWidth = width;
    }
    return fRows;
}

const std::vector<TqoCustomEdit::TRow>& TqoCustomEdit::Rows() const {
    return RowsFor(TextArea(VisibleRect()).Width());
}

int TqoCustomEdit::RowOf(int pos) const {
    const std::vector<TRow>& rows = Rows();
    const auto after = std::upper_bound(rows.begin(), rows.end(), pos,
                                        [](int p, const TRow& row) { return p < row.Start; });
    return std::max(0, int(after - rows.begin()) - 1);
}

std::u32string_view TqoCustomEdit::RowChars(int row) const {
    const TRow r = Rows()[size_t(row)];
    return std::u32string_view(fBuffer.Chars()).substr(size_t(r.Start), size_t(r.End - r.Start));
}

int TqoCustomEdit::CharAt(int row, int x) const {
    return Rows()[size_t(row)].Start + qoTextLine::CharAt(MeasuringCanvas(), RowChars(row), x);
}

int TqoCustomEdit::PosAt(TPoint p) const {
    const TRect area = TextArea(VisibleRect());
    const int offset = p.Y < area.Top ? -1 : (p.Y - area.Top) / RowHeight();
    const int row = std::clamp(ScrollPos(sbVertical) + offset, 0, int(Rows().size()) - 1);
    return CharAt(row, p.X - area.Left + ScrollPos(sbHorizontal));
}

TqoScrollExtent TqoCustomEdit::ScrollExtent(TScrollBarKind axis, const TRect& visible) const {
    const TRect area = TextArea(visible);
    const std::vector<TRow>& rows = RowsFor(area.Width());
    if (axis == sbVertical) return {int(rows.size()), std::max(1, area.Height() / RowHeight())};
    int widest = 0;
    for (int row = 0; row < int(rows.size()); ++row)
        widest = std::max(widest, qoTextLine::CharX(MeasuringCanvas(), RowChars(row), rows[size_t(row)].End));
    return {widest + 1, std::max(1, area.Width())}; // + 1: the caret after the last character
}

void TqoCustomEdit::Apply(TTextEffect effect) {
    if (effect == teNone) return;
    if (effect == teChanged) LayoutChanged();
    const int row = RowOf(fBuffer.Caret());
    ScrollIntoView(sbVertical, row);
    const int width = std::max(1, TextArea(VisibleRect()).Width());
    const int x = qoTextLine::CharX(MeasuringCanvas(), RowChars(row), fBuffer.Caret() - Rows()[size_t(row)].Start);
    const int left = ScrollPos(sbHorizontal);
    if (x < left)
        ScrollTo(sbHorizontal, x - width / 4);
    else if (x >= left + width)
        ScrollTo(sbHorizontal, x - width * 3 / 4);
    Invalidate();
    if (effect == teChanged) OnChange.Fire(this);
}

void TqoCustomEdit::Paint() {
    TCanvas& canvas = Canvas();
    qoWidgetPaint::Fill(canvas, ClientRect(), clBtnFace);
    TRect rect = VisibleRect();
    if (fBorderStyle == bsSingle) qoWidgetPaint::Edge(canvas, rect, qoWidgetPaint::edSunken);
    qoWidgetPaint::Fill(canvas, rect, Enabled() ? Color() : clBtnFace);
    const TRect area = TextArea(VisibleRect());
    const std::vector<TRow>& rows = Rows();
    const int height = RowHeight(), caretRow = RowOf(fBuffer.Caret());
    const bool showSelection = Focused() || !fHideSelection;
    for (int row = ScrollPos(sbVertical), y = area.Top; row < int(rows.size()) && y < area.Bottom; ++row, y += height) {
        const TRow r = rows[size_t(row)];
        qoTextLine::TLineLook look;
        look.Enabled = Enabled();
        if (showSelection) {
            look.SelFrom = std::clamp(fBuffer.SelStart() - r.Start, 0, r.End - r.Start);
            look.SelTo = std::clamp(fBuffer.SelStart() + fBuffer.SelLength() - r.Start, 0, r.End - r.Start);
        }
        if (Focused() && row == caretRow) look.Caret = fBuffer.Caret() - r.Start;
        qoTextLine::Draw(canvas, RowChars(row), {area.Left - ScrollPos(sbHorizontal), y}, area, look);
    }
}

void TqoCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (button == mbLeft && CanFocus() && !Focused()) SetFocus();
    if (!alive) return;
    if (button == mbLeft && !(shift & ssDouble)) {
        fBuffer.MoveCaret(PosAt({x, y}), shift & ssShift);
        fSelecting = true;
        Apply(teMoved);
    }
    TqoScrollingControl::MouseDown(button, shift, x, y);
}

void TqoCustomEdit::MouseMove(TShiftState shift, int x, int y) {
    if (fSelecting) {
        fBuffer.MoveCaret(PosAt({x, y}), true);
        Apply(teMoved);
    }
    TqoScrollingControl::MouseMove(shift, x, y);
}

void TqoCustomEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) fSelecting = false;
    TqoScrollingControl::MouseUp(button, shift, x, y);
}

void TqoCustomEdit::DblClick() {
    const TRow row = Rows()[size_t(RowOf(fBuffer.Caret()))];
    const std::u32string& chars = fBuffer.Chars();
    int start = fBuffer.Caret(), end = start;
    while (start > row.Start && chars[size_t(start - 1)] != U' ') --start;
    while (end < row.End && chars[size_t(end)] != U' ') ++end;
    fBuffer.Select(start, end - start);
    Apply(teMoved);
    TqoScrollingControl::DblClick();
}

TTextEffect TqoCustomEdit::RowKey(uint16_t, TShiftState) { return teNone; }

void TqoCustomEdit::KeyDown(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoScrollingControl::KeyDown(key, shift);
    if (!alive || !key) return;
    TTextEffect effect = RowKey(key, shift);
    if (effect == teNone) {
        const TRow row = Rows()[size_t(RowOf(fBuffer.Caret()))];
        // The end of a wrapped row is the next row's start: End stops before it.
        const bool wrapped = row.End < fBuffer.Length() && fBuffer.Chars()[size_t(row.End)] != U'\n';
        effect = fBuffer.Key(key, shift, fReadOnly, row.Start, wrapped ? row.End - 1 : row.End);
    }
    Apply(effect);
}

void TqoCustomEdit::KeyPress(char16_t& key) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoScrollingControl::KeyPress(key);
    if (!alive || !key) return;
    if (key == u'\t' && WantTabs && !fReadOnly)
        Apply(fBuffer.Replace("\t", true) ? teChanged : teNone);
    else
        Apply(fBuffer.Char(key, fReadOnly));
}

void TqoCustomEdit::WndProc(TMessage& message) {
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
    TqoScrollingControl::WndProc(message);
}

void TqoCustomEdit::EnabledChanged() {
    TqoScrollingControl::EnabledChanged();
    Invalidate();
}

void TqoCustomEdit::FontChanged() {
    LayoutChanged();
    TqoScrollingControl::FontChanged();
}

} // namespace qo
