// Painting: ticks or boxes, the two label rows, the scroll buttons.
#include "platform/core/qoRounding.h"
#include "platform/window/qoWidgetPaint.h"
#include "platform/window/qoWindows.h"
#include "scale/qoScaler.h"

namespace qo {

namespace {
const TColor kGrey = 0x808080;
} // namespace

void TqoDateScaler::OffscreenPaint() {
    if (!IsPrinting()) {
        HandleFixedScaleResizing();
        fOldScale = Scale();
    }
    TCanvas& c = OffscreenCanvas();
    const TRect r(0, 0, Width(), Height());
    c.Brush().Color = clWindow;
    c.Brush().Style = TBrushStyle::bsSolid;
    c.FillRect(r);
    c.Pen() = TPen{};
    PaintTicks();
    OnUserDrawBackground.Fire(this, c, r);
    PaintLabels();
    if (fLookAndFeel == tlfBoxed) PaintBoxes();
    if (!IsPrinting()) PaintScrollButtons();
    if (IndicatorOn) PaintIndicator();
    ReportChangeAfterPaint();
    OnUserDrawForeground.Fire(this, c, r);
    if (Focused() && !IsPrinting()) c.DrawFocusRect(r);
    if (!IsPrinting()) fStopOnLastDraw = fStop;
}

void TqoDateScaler::ReportChangeAfterPaint() {
    // A printed range is shown for a moment only: nobody hears of it.
    if (!fCallOnChangeWhenRefreshed || !OnChange || fReScaling || IsPrinting()) return;
    fCallOnChangeWhenRefreshed = false;
    PostMessage(Handle(), QO_SCALER_CHANGE, 0, 0);
}

int TqoDateScaler::Along(const TScaleMark& mark) const {
    return Round(mark.Pixel);
}

void TqoDateScaler::PaintTicks() {
    fShortLinePos.clear();
    fLongLinePos.clear();
    for (const auto* row : {&fShortScaleMarkDrawList, &fLongScaleMarkDrawList}) {
        const bool longRow = row == &fLongScaleMarkDrawList;
        auto& positions = longRow ? fLongLinePos : fShortLinePos;
        const int length = longRow ? 15 : 5;
        for (const TScaleMark& mark : *row) {
            const int p = Along(mark);
            positions.push_back(p);
            if (mark.Hidden || fLookAndFeel != tlfClassic) continue;
            // From the far edge inwards.
            const int edge = (fHorizontal ? Height() : Width()) - 1;
            AxisLine(p, p, edge, edge - Round(length * (fHorizontal ? Scaley() : Scalex())));
        }
    }
}

void TqoDateScaler::SelectFont(TScalerFont which, bool rotate) {
    TFont& font = OffscreenCanvas().Font();
    font = fTextFonts[which];
    font.Orientation = rotate ? 900 : 0;
    PrintResizeFont();
}

void TqoDateScaler::PaintLabels() {
    OffscreenCanvas().Brush().Style = TBrushStyle::bsClear;
    PaintRow(fLongScaleMarkDrawList, true);
    PaintRow(fShortScaleMarkDrawList, false);
}

void TqoDateScaler::PaintRow(const std::vector<TScaleMark>& row, bool longRow) {
    TCanvas& c = OffscreenCanvas();
    const double step = longRow ? fLongStep : fSmallStep;
    const bool inIntervals = step >= ScaleStep::Day;
    const bool rotate = !fHorizontal && VerticalText;
    const int across =
        fHorizontal ? Round((longRow ? 15 : 30) * Scaley()) : Round((longRow ? 20 : 40) * Scalex());
    const int subAcross = across + Round(10 * (fHorizontal ? Scaley() : Scalex()));
    const double end = GetScaleLen();
    int previous = -1000;
    for (size_t i = 0; i < row.size(); ++i) {
        const TScaleMark& mark = row[i];
        // Hidden intervals show no label, nor do intervals that begin past the end.
        if (mark.Hidden || (inIntervals && mark.Pixel >= end)) continue;
        std::string text = mark.PresString;
        if (!fHorizontal && !rotate && longRow) text += "  ";
        SelectFont(mark.ScalerFont, rotate);
        const TSize size = c.TextExtent(text);
        const double anchor =
            inIntervals ? (mark.Pixel + (i + 1 < row.size() ? row[i + 1].Pixel : end)) / 2 : mark.Pixel;
        TPoint at;
        if (fHorizontal && longRow && LongDatesToLeftEnd && inIntervals) {
            at = {Along(mark) + Round(5 * Scalex()), across};
        } else if (fHorizontal) {
            const int x = Round(anchor - size.cx / 2.0);
            if (x <= 0 || x <= previous + size.cx + 6) continue;
            at = {x, across};
        } else if (rotate) {
            const int y = Round(anchor + size.cx / 2.0);
            if (y - size.cx <= 0 || y <= previous + size.cx + 10) continue;
            at = {across, y};
        } else {
            const int y = Round(anchor - size.cy / 2.0);
            if (y - size.cy <= 0 || y <= previous + size.cy + 10) continue;
            at = {across, y};
        }
        c.TextOut(at.X, at.Y, text);
        previous = fHorizontal ? at.X : at.Y;
        if (longRow || mark.SubShortStr.empty()) continue;
        SelectFont(mark.SubShortScalerFont, rotate);
        if (fHorizontal)
            c.TextOut(at.X, subAcross, mark.SubShortStr);
        else
            c.TextOut(subAcross, at.Y, mark.SubShortStr);
    }
}

void TqoDateScaler::PaintBoxes() {
    TCanvas& c = OffscreenCanvas();
    c.Pen().Color = kGrey;
    const double factor = fHorizontal ? Scaley() : Scalex();
    const int first = Round((fHorizontal ? 15 : 20) * factor),
              second = Round((fHorizontal ? 30 : 40) * factor);
    const int far = fHorizontal ? Height() : Width();
    AxisLine(0, GetScaleLen(), first, first);
    AxisLine(0, GetScaleLen(), second, second);
    for (const auto* row : {&fLongScaleMarkDrawList, &fShortScaleMarkDrawList}) {
        const bool longRow = row == &fLongScaleMarkDrawList;
        const bool atMark = (longRow ? fLongStep : fSmallStep) >= ScaleStep::Day;
        for (size_t i = 0; i + 1 < row->size(); ++i) {
            const TScaleMark& mark = (*row)[i];
            if (mark.Hidden) continue;
            const int p = atMark ? Along(mark) : Round((mark.Pixel + (*row)[i + 1].Pixel) / 2);
            if (longRow)
                AxisLine(p, p, first, second);
            else
                AxisLine(p, p, second, far);
        }
    }
    c.Pen().Color = clBlack;
}

void TqoDateScaler::AxisLine(int along1, int along2, int across1, int across2) {
    TCanvas& c = OffscreenCanvas();
    if (fHorizontal) {
        c.MoveTo(along1, across1);
        c.LineTo(along2, across2);
    } else {
        c.MoveTo(across1, along1);
        c.LineTo(across2, along2);
    }
}

void TqoDateScaler::PaintScrollButtons() {
    if (fScrollButtons == tsbOff) {
        fUpButtonRect = fDownButtonRect = TRect(-1, -1, -1, -1);
        return;
    }
    const int a = fScrollButtons == tsbClassic ? 20 : 12;
    fUpButtonRect = TRect(1, 1, a, a);
    fDownButtonRect =
        fHorizontal ? TRect(Width() - a + 1, 1, Width(), a) : TRect(1, Height() - a, a, Height());
    PaintButton(fUpButtonRect, false, fScrollSUBTIME);
    PaintButton(fDownButtonRect, true, fScrollADDTIME);
}

void TqoDateScaler::PaintButton(const TRect& r, bool forward, bool pressed) {
    TCanvas& c = OffscreenCanvas();
    const int inset = (r.Width() + 2) / 5;
    const int l = r.Left + inset, t = r.Top + inset, rr = r.Right - inset - 1, b = r.Bottom - inset - 1;
    const int midX = (l + rr) / 2, midY = (t + b) / 2;
    // The tip, then the two ends of the base; the base faces backward.
    TPoint tip, base1, base2;
    if (fHorizontal) {
        tip = forward ? TPoint(rr, midY) : TPoint(l, midY);
        base1 = forward ? TPoint(l, t) : TPoint(rr, t);
        base2 = forward ? TPoint(l, b) : TPoint(rr, b);
    } else {
        tip = forward ? TPoint(midX, b) : TPoint(midX, t);
        base1 = forward ? TPoint(l, t) : TPoint(l, b);
        base2 = forward ? TPoint(rr, t) : TPoint(rr, b);
    }
    // On the window colour the light edges would not show: the button gets a face.
    qoWidgetPaint::BevelTriangle(c, r, tip, base1, base2, forward, pressed);
}

} // namespace qo
