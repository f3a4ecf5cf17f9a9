#pragma once
// How a time item looks: one routine per item style, each drawing into the
// item's rectangle with the item's colour. The routines keep no state and
// give the canvas back as they found it. The y scale is the print scale of
// the chart area (1 on screen): fixed pixel sizes grow with it on paper.
#include "platform/core/qoColor.h"
#include "platform/core/qoGeometry.h"

#include <cstdint>

namespace qo {

class TCanvas;
class TImageList;

class TqoTimeDraw {
public:
    TqoTimeDraw() = delete;

    // A rectangle reaching far past both sides of any screen is cut to a
    // band some drawing systems still handle.
    static TRect W95Safe(const TRect& rect);
    // Filled with the colour, framed in black.
    static void DrawTime(TCanvas& canvas, const TRect& rect, TColor color);
    // A cylinder-like fill: darker to two thirds of the height, lighter below.
    static void DrawPipe(TCanvas& canvas, const TRect& rect, TColor color);
    // A summary bar: a framed bar with a downward triangle near each end.
    static void CoolOutline(TCanvas& canvas, const TRect& rect, TColor color, double ys);
    // A 2-pixel outline in the colour inside a black frame.
    static void DrawTimeHollow(TCanvas& canvas, const TRect& rect, TColor color);
    // A thick line through the middle in a thin frame; with ends, a bar
    // closes each end over the full height.
    static void LineOutline(TCanvas& canvas, const TRect& rect, TColor color, bool ends, double ys);
    // One sine period as a thick line.
    static void WaveOutline(TCanvas& canvas, const TRect& rect, TColor color);
    // A thick diamond outline touching the middle of each side.
    static void RombOutline(TCanvas& canvas, const TRect& rect, TColor color);
    // Corner marks of a selected item.
    static void DoSelectContent(TCanvas& canvas, const TRect& rect, TColor color);
    // The image at the item's left end: unscaled on screen, stretched to a
    // square of the item's height on paper. Nothing without a list or image.
    static void DrawImage(TCanvas& canvas, const TRect& rect, const TImageList* images, int32_t index,
                          bool stretched);
};

} // namespace qo
