// The range indicator in the top strip: where the visible range lies in its year or month.
#include "platform/core/qoDateFormat.h"
#include "platform/core/qoDateTime.h"
#include "platform/core/qoRounding.h"
#include "platform/window/qoWidgetPaint.h"
#include "scale/qoScaler.h"

#include <algorithm>

namespace qo {

namespace {

// Whole years (or months) around the range, stepped out from its middle.
void Enclose(TDateTime start, TDateTime stop, TDateTime middle, bool years, TDateTime& first,
             TDateTime& last) {
    int y, m, d;
    DecodeDate(middle, y, m, d);
    const auto boundary = [&](int n) {
        return years ? EncodeDate(y + n, 1, 1) : IncMonth(EncodeDate(y, m, 1), n);
    };
    int back = 0, ahead = 0;
    while (boundary(back) > start) --back;
    while (boundary(ahead) < stop) ++ahead;
    first = boundary(back);
    last = boundary(ahead);
}

} // namespace

void TqoDateScaler::PaintIndicator() {
    switch (IndicatorStyle) {
    case isNormal:
        PaintNormalIndicator();
        break;
    case isColorfull:
        if (!IsPrinting()) PaintColorfulIndicator();
        break;
    case isSober:
        PaintSoberIndicator();
        break;
    case isNone:
        break;
    }
}

std::string TqoDateScaler::PrepareInfo(std::string text, bool rotate) {
    TScalerFont font = sTextFont1;
    OnInfoStringEvent.Fire(text, font);
    SelectFont(font, rotate);
    TCanvas& c = OffscreenCanvas();
    c.Font().Color = clBtnShadow;
    c.Brush().Style = TBrushStyle::bsClear;
    return text;
}

TPoint TqoDateScaler::InfoPosition() const {
    return fHorizontal ? TPoint(Round(33 * Scalex()), Round(2 * Scaley()))
                       : TPoint(Round(2 * Scalex()), Round(33 * Scaley()));
}

void TqoDateScaler::PaintNormalIndicator() {
    const double amount = VisibleTimeAmount();
    const bool years = amount > 30;
    TDateTime first, last;
    Enclose(fStart, fStop, fStart + amount / 2, years, first, last);
    const std::string text = years ? FormatDateTime("YYYY", first) + "-" + FormatDateTime("YYYY", last)
                                   : FormatDateTime("YYYY", fStart) + " " + FormatDateTime("mmm", first) +
                                         "-" + FormatDateTime("mmm", last);
    TCanvas& c = OffscreenCanvas();
    // Rotated in a vertical scaler, the text runs up from where the groove would start.
    const bool rotate = !fHorizontal && VerticalText;
    const double f = fHorizontal ? Scalex() : Scaley();
    const std::string shown = PrepareInfo(text, rotate);
    const int textWidth = c.TextWidth(shown);
    const TPoint origin = InfoPosition();
    c.TextOut(origin.X, rotate ? origin.Y + textWidth : origin.Y, shown);
    const bool alongText = fHorizontal || rotate;
    const int begin = alongText ? textWidth + Round(43 * f) : Round(55 * f);
    const int length = alongText ? GetScaleLen() - textWidth - Round(76 * f) : Height() - Round(88 * f);
    if (length <= 0) return;
    const auto groove = [&](int across, int from, int to, TColor color) {
        c.Pen().Color = color;
        AxisLine(from, to, across, across);
    };
    const auto point = [this](int along, int across) {
        return fHorizontal ? TPoint(along, across) : TPoint(across, along);
    };
    qoWidgetPaint::Ridge(c, point(begin, 5), point(begin + length, 5));
    const double span = last - first;
    const auto at = [&](TDateTime d) {
        return begin + Round(length * std::clamp((d - first) / span, 0.0, 1.0));
    };
    groove(5, at(fStart), std::max(at(fStop), at(fStart) + 1), 0x008000);
    c.Pen().Color = clBlack;
}

void TqoDateScaler::PaintColorfulIndicator() {
    TCanvas& c = OffscreenCanvas();
    const double amount = VisibleTimeAmount();
    const int middle = GetScaleLen() / 2;
    const auto bar = [&](int half) {
        return fHorizontal ? TRect(middle - half, 5, middle + half, 10)
                           : TRect(1, middle - half, 6, middle + half);
    };
    const std::pair<double, TColor> spans[] = {{1, 0x008000}, {7, 0x00FFFF}, {30, 0x0000FF}, {365, 0xFF0000}};
    c.Brush().Style = TBrushStyle::bsSolid;
    for (const auto& [span, color] : spans) {
        c.Brush().Color = color;
        c.FillRect(bar(std::min(100, Round(amount * 100 / span))));
    }
    c.Brush().Color = clBlack;
    c.FrameRect(bar(100));
}

void TqoDateScaler::PaintSoberIndicator() {
    const double x = fStop - fStart;
    int y1, m1, d1, y2, m2, d2;
    DecodeDate(fStart, y1, m1, d1);
    DecodeDate(fStop, y2, m2, d2);
    const auto both = [&](const char* format) {
        return FormatDateTime(format, fStart) + " - " + FormatDateTime(format, fStop);
    };
    std::string text;
    if (x > 365)
        text = both("YYYY");
    else if (m1 != m2 || x > 30)
        text = both("mmmm YYYY");
    else if (x > 3)
        text = both("dddddd");
    else
        text = FormatDateTime("dddddd", fStart);
    const bool rotate = !fHorizontal && VerticalText;
    const TPoint at = rotate ? TPoint(Round(2 * Scalex()), Height() - Round(33 * Scaley())) : InfoPosition();
    OffscreenCanvas().TextOut(at.X, at.Y, PrepareInfo(text, rotate));
}

} // namespace qo
