#include "gantt/qoSplitterLine.h"

#include "platform/graphics/qoDCSaver.h"
#include "platform/window/qoWinControl.h"

namespace qo {

namespace {

constexpr int PatternSize = 8;

TqoRaster Checker(bool odd) {
    TqoRaster pattern(PatternSize, PatternSize);
    for (int y = 0; y < PatternSize; ++y)
        for (int x = 0; x < PatternSize; ++x)
            pattern.Row(y)[x] = ((x + y) % 2 == 0) != odd ? ColorToPixel(clBlack) : ColorToPixel(clWhite);
    return pattern;
}

// offset: where this window's pixels lie from the first window's, for the
// checker's phase.
void Invert(TWinControl& window, const TRect& rect, const TBrush& line, TPoint offset, bool showing) {
    if (showing) window.Update();
    TBrush brush = line;
    if (line.Pattern) brush.SetPattern(Checker((offset.X + offset.Y) % 2 != 0));
    TCanvas canvas(&window.WindowDC());
    {
        TqoDCSaver saver(canvas);
        canvas.Handle()->SetViewportOrg({0, 0});
        canvas.Handle()->SelectClipRgn(nullptr);
        canvas.Brush() = brush;
        canvas.PatBlt(rect.Left, rect.Top, rect.Width(), rect.Height(), PATINVERT);
    }
    for (int i = 0; i < window.ControlCount(); ++i) {
        TControl* child = window.Controls(i);
        if (!child->IsWindowed() || !child->Visible()) continue;
        if (IntersectRect(rect, child->BoundsRect()).IsEmpty()) continue;
        const TPoint at = child->BoundsRect().TopLeft();
        Invert(static_cast<TWinControl&>(*child), rect.Offset(-at.X, -at.Y), line, offset + at, showing);
    }
}

} // namespace

TBrush SplitterLineBrush(bool pattern) {
    TBrush brush;
    brush.Color = clWhite;
    if (pattern) brush.SetPattern(Checker(false));
    return brush;
}

void InvertSplitterLine(TWinControl& window, const TRect& rect, const TBrush& brush, bool showing) {
    if (rect.IsEmpty()) return;
    Invert(window, rect, brush, {0, 0}, showing);
}

} // namespace qo
