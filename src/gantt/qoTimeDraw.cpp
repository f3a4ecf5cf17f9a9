#include "gantt/qoTimeDraw.h"

#include "gantt/qoGraphStuff.h"
#include "platform/core/qoRounding.h"
#include "platform/graphics/qoDCSaver.h"
#include "platform/graphics/qoImageList.h"

#include <array>
#include <cmath>
#include <numbers>

namespace qo {

namespace {

constexpr int kSafeLeft = -500, kSafeRight = 2000;
constexpr int kThickPen = 3;
constexpr int kWavePoints = 20;

void SetPen(TCanvas& canvas, TColor color, int width) {
    canvas.Pen() = TPen{};
    canvas.Pen().Color = color;
    canvas.Pen().Width = width;
}

void BlackFrame(TCanvas& canvas, const TRect& rect) {
    canvas.Brush() = TBrush{};
    canvas.Brush().Color = clBlack;
    canvas.FrameRect(rect);
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// A triangle pointing down, centred at e, from the line below the small
// rectangle (one pixel) up to the line above it, with black slanted edges.
void SpanTriangle(TCanvas& canvas, int e, int top, int bottom, TColor color) {
    canvas.Pen().Color = color;
    int g = 0;
    for (int y = bottom + 1; y >= top - 1; --y, ++g) Line(canvas, e - g, y, e + g, y);
    --g;
    canvas.Pen().Color = clBlack;
    Line(canvas, e - g, top, e, bottom + 2);
    Line(canvas, e + g - 1, top, e - 1, bottom + 2);
}

} // namespace

TRect TqoTimeDraw::W95Safe(const TRect& rect) {
    TRect r = rect;
    if (r.Left < kSafeLeft && r.Right > kSafeRight) {
        r.Left = kSafeLeft;
        r.Right = kSafeRight;
    }
    return r;
}

void TqoTimeDraw::DrawTime(TCanvas& canvas, const TRect& rect, TColor color) {
    const TRect r = W95Safe(rect);
    TqoDCSaver saver(canvas);
    canvas.Brush() = TBrush{};
    canvas.Brush().Color = color;
    canvas.FillRect(r);
    BlackFrame(canvas, r);
}

void TqoTimeDraw::DrawPipe(TCanvas& canvas, const TRect& rect, TColor color) {
    GStuff::FillRadiated(canvas, W95Safe(rect), color);
}

void TqoTimeDraw::CoolOutline(TCanvas& canvas, const TRect& rect, TColor color, double ys) {
    const TRect r = W95Safe(rect);
    const int a = Round(4 * ys), h = Round(3 * ys), w = Round(5 * ys), d = Round(3 * ys);
    DrawTime(canvas, r, color);
    TqoDCSaver saver(canvas);
    SetPen(canvas, color, 1);
    const int top = r.Top + a, bottom = r.Top + a + h;
    SpanTriangle(canvas, r.Left + w / 2 + d, top, bottom, color);
    SpanTriangle(canvas, r.Right - w + w / 2 - d, top, bottom, color);
}

void TqoTimeDraw::DrawTimeHollow(TCanvas& canvas, const TRect& rect, TColor color) {
    const TRect r = W95Safe(rect);
    TqoDCSaver saver(canvas);
    canvas.Brush() = TBrush{};
    canvas.Brush().Color = color;
    canvas.FrameRect(r);
    canvas.FrameRect(r.Inflate(-1, -1));
    BlackFrame(canvas, r);
}

void TqoTimeDraw::LineOutline(TCanvas& canvas, const TRect& rect, TColor color, bool ends, double ys) {
    const TRect r = W95Safe(rect);
    TqoDCSaver saver(canvas);
    const int m = r.Top + (r.Bottom - r.Top) / 2;
    SetPen(canvas, color, Round(kThickPen * ys));
    Line(canvas, r.Left, m, r.Right - 1, m);
    canvas.Pen().Width = 1;
    const int half = Round(2 * ys);
    BlackFrame(canvas, {r.Left, m - half, r.Right, m + half});
    if (!ends) return;
    canvas.FrameRect({r.Left, r.Top, r.Left + 2, r.Bottom});
    canvas.FrameRect({r.Right - 2, r.Top, r.Right, r.Bottom});
}

void TqoTimeDraw::WaveOutline(TCanvas& canvas, const TRect& rect, TColor color) {
    TqoDCSaver saver(canvas);
    SetPen(canvas, color, kThickPen);
    const double width = rect.Width(), height = rect.Height();
    const int m = rect.Top + rect.Height() / 2;
    const auto point = [&](int i) {
        return TPoint{rect.Left + Round(i * width / kWavePoints),
                      m + Round(std::sin(2 * std::numbers::pi * i / kWavePoints) * height / 2.0)};
    };
    for (int i = 2; i <= kWavePoints; ++i) {
        const TPoint from = point(i - 1), to = point(i);
        if (to.X > from.X) Line(canvas, from.X, from.Y, to.X, to.Y);
    }
}

void TqoTimeDraw::RombOutline(TCanvas& canvas, const TRect& rect, TColor color) {
    TqoDCSaver saver(canvas);
    SetPen(canvas, color, kThickPen);
    const int mx = rect.Left + rect.Width() / 2, my = rect.Top + rect.Height() / 2;
    const std::array<TPoint, 5> diamond{
        {{rect.Left, my}, {mx, rect.Top}, {rect.Right, my}, {mx, rect.Bottom}, {rect.Left, my}}};
    canvas.Polyline(diamond);
}

void TqoTimeDraw::DoSelectContent(TCanvas& canvas, const TRect& rect, TColor color) {
    GStuff::DoSelectContent(canvas, rect, color);
}

void TqoTimeDraw::DrawImage(TCanvas& canvas, const TRect& rect, const TImageList* images, int32_t index,
                            bool stretched) {
    if (!images || index < 0 || index >= images->Count()) return;
    if (stretched) {
        PrintBitmap_ImageList(canvas, {rect.Left, rect.Top, rect.Left + rect.Height(), rect.Bottom}, *images, index);
        return;
    }
    images->Draw(canvas, rect.Left, rect.Top, index);
}

} // namespace qo
