#pragma once
// The splitter's drag line: a rectangle inverted on a window and on every
// windowed control that shows over it, so that it shows on the screen above
// them all. Inverting the same rectangle again gives the pixels back.
#include "platform/graphics/qoCanvas.h"

namespace qo {

class TWinControl;

// The brush of the line: a black-and-white checker, or plain white, which
// inverts every pixel.
TBrush SplitterLineBrush(bool pattern);
// rect in the window's client coordinates; a checker keeps one phase across
// the windows. Showing the line, paints still due land first, so that it is
// drawn on what the screen shows; taking it away inverts the same pixels back.
void InvertSplitterLine(TWinControl& window, const TRect& rect, const TBrush& brush, bool showing);

} // namespace qo
