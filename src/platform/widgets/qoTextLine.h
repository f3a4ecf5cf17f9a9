#pragma once
// One line of an edit or a memo on the canvas: its text with the selected
// part on the highlight colour, the caret, and the way back from a pixel to a
// character. The canvas carries the control's font.
#include "platform/graphics/qoCanvas.h"

#include <string_view>

namespace qo::qoTextLine {

// x of the boundary before character pos, from the line's start.
int CharX(TCanvas& canvas, std::u32string_view line, int pos);
// How many characters from the start fit within width (none when width < the first).
int CharsFitting(TCanvas& canvas, std::u32string_view line, int width);
// The character boundary nearest to x.
int CharAt(TCanvas& canvas, std::u32string_view line, int x);

struct TLineLook {
    int SelFrom = 0, SelTo = 0; // the selected characters of this line
    int Caret = -1;             // -1: no caret on this line
    bool Enabled = true;
};
// The line at origin, cut to clip; the background is the caller's.
void Draw(TCanvas& canvas, std::u32string_view line, TPoint origin, const TRect& clip, const TLineLook& look);

} // namespace qo::qoTextLine
