// The style painter's parts of the tree view: dotted lines and expand buttons.
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>

namespace qo::qoWidgetPaint {

void DottedLine(TCanvas& canvas, TPoint a, TPoint b, TColor color) {
    const int x0 = std::min(a.X, b.X), x1 = std::max(a.X, b.X);
    const int y0 = std::min(a.Y, b.Y), y1 = std::max(a.Y, b.Y);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (((x + y) & 1) == 0) canvas.SetPixel(x, y, color);
}

void TreeButton(TCanvas& canvas, TPoint centre, bool expanded) {
    const int half = TreeButtonSize / 2;
    TreeButton(canvas, TRect{centre.X - half, centre.Y - half, centre.X + half + 1, centre.Y + half + 1}, expanded);
}

} // namespace qo::qoWidgetPaint
