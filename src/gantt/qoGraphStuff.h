#pragma once
// Drawing helpers shared by the Gantt chart, the schedule chart and printing:
// tinted colours, the cylinder-like fill of pipe items, the corner marks of a
// selected item, and bitmaps stretched onto a printer's device context.
#include "platform/core/qoColor.h"
#include "platform/core/qoGeometry.h"

#include <cstdint>

namespace qo {

class TBitmap;
class TCanvas;
class TImageList;

class GStuff {
public:
    GStuff() = delete;

    // Each channel multiplied by factor, rounded and kept within 0..255; a
    // black result gives back the colour unchanged. A system colour is tinted
    // as the colour it stands for.
    static TColor TintColor(TColor color, double factor);
    // Horizontal lines, darker down to two thirds of the height and lighter
    // below; a small rectangle is filled solid.
    static void FillRadiated(TCanvas& canvas, const TRect& rect, TColor color);
    // Four 5 x 5 squares in the corners, black unless told.
    static void DoSelectContent(TCanvas& canvas, const TRect& rect, TColor color = clBlack);
};

// The bitmap stretched to fill rect (a plain copy of its pixels).
void PrintBitmap(TCanvas& canvas, const TRect& rect, const TBitmap& bitmap);
// PrintBitmap of one image of the list; an index out of range draws nothing.
void PrintBitmap_ImageList(TCanvas& canvas, const TRect& rect, const TImageList& images, int32_t index);

} // namespace qo
