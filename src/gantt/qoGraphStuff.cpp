#include "gantt/qoGraphStuff.h"

#include "platform/core/qoRounding.h"
#include "platform/graphics/qoBitmap.h"
#include "platform/graphics/qoDCSaver.h"
#include "platform/graphics/qoImageList.h"

#include <algorithm>
#include <array>

namespace qo {

namespace {

// A channel times the factor; a product above 255 stays 255 instead of
// carrying into the next channel.
uint32_t TintChannel(uint32_t channel, double factor) {
    const double v = channel * factor;
    if (!(v > 0)) return 0; // also a factor that is not a number
    if (v >= 255) return 255;
    return uint32_t(Round(v));
}

// A pipe fill is solid below this height and width.
constexpr int SolidBelow = 15;
constexpr double Darken = 0.97, Lighten = 1.031, DarkShare = 0.66;
constexpr int MarkSize = 5;

void SolidPen(TCanvas& canvas, TColor color) {
    canvas.Pen() = TPen{};
    canvas.Pen().Color = color;
}

} // namespace

TColor GStuff::TintColor(TColor color, double factor) {
    const TColor rgb = ColorToRGB(color);
    const TColor tinted = TintChannel(GetRValue(rgb), factor) | TintChannel(GetGValue(rgb), factor) << 8 |
                          TintChannel(GetBValue(rgb), factor) << 16;
    return tinted == 0 ? color : tinted;
}

void GStuff::FillRadiated(TCanvas& canvas, const TRect& rect, TColor color) {
    if (rect.IsEmpty()) return;
    TqoDCSaver saver(canvas);
    const int height = rect.Height();
    if (height < SolidBelow && rect.Width() < SolidBelow) {
        canvas.Brush() = TBrush{};
        canvas.Brush().Color = color;
        canvas.FillRect(rect);
        return;
    }
    const int step = height / 50 + 1;
    // The dark part ends inside the rectangle also when it is one line high.
    const int darkEnd = std::min(Round(height * DarkShare), height - 1);
    SolidPen(canvas, color);
    for (int i = 0; i < height; ++i) {
        canvas.MoveTo(rect.Left, rect.Top + i);
        canvas.LineTo(rect.Right, rect.Top + i);
        if (i % step == 0) canvas.Pen().Color = TintColor(canvas.Pen().Color, i <= darkEnd ? Darken : Lighten);
    }
}

void GStuff::DoSelectContent(TCanvas& canvas, const TRect& rect, TColor color) {
    TqoDCSaver saver(canvas);
    canvas.Brush() = TBrush{};
    canvas.Brush().Color = color;
    const TRect& r = rect;
    const std::array<TRect, 4> marks{{TRect::Bounds(r.Left, r.Top, MarkSize, MarkSize),
                                      TRect::Bounds(r.Right - MarkSize, r.Top, MarkSize, MarkSize),
                                      TRect::Bounds(r.Left, r.Bottom - MarkSize, MarkSize, MarkSize),
                                      TRect::Bounds(r.Right - MarkSize, r.Bottom - MarkSize, MarkSize, MarkSize)}};
    for (const TRect& mark : marks) canvas.FillRect(mark);
}

void PrintBitmap(TCanvas& canvas, const TRect& rect, const TBitmap& bitmap) {
    if (bitmap.Empty() || rect.IsEmpty()) return;
    canvas.StretchDraw(rect, bitmap);
}

void PrintBitmap_ImageList(TCanvas& canvas, const TRect& rect, const TImageList& images, int32_t index) {
    if (index < 0 || index >= images.Count()) return;
    TBitmap image;
    images.GetBitmap(index, image);
    PrintBitmap(canvas, rect, image);
}

} // namespace qo
