#pragma once
// The style painter: the one place that knows the classic 3-D look. Every
// widget, the panel and the chart parts draw their edges, frames, buttons,
// arrows, check marks and focus rectangles through it, from the system colours.
#include "platform/graphics/qoCanvas.h"

#include <string_view>

namespace qo::qoWidgetPaint {

// The edges of DrawEdge: an outer and an inner line, each raised or sunken.
using TEdge = uint32_t;
constexpr TEdge edRaisedOuter = 0x1;
constexpr TEdge edSunkenOuter = 0x2;
constexpr TEdge edRaisedInner = 0x4;
constexpr TEdge edSunkenInner = 0x8;
constexpr TEdge edRaised = edRaisedOuter | edRaisedInner;
constexpr TEdge edSunken = edSunkenOuter | edSunkenInner;
constexpr TEdge edEtched = edSunkenOuter | edRaisedInner;
constexpr TEdge edBump = edRaisedOuter | edSunkenInner;

enum TArrow { arLeft, arUp, arRight, arDown };
enum TCheckState { cbUnchecked, cbChecked, cbGrayed };

// width nested one-pixel frames, top-left lines in one colour and bottom-right
// in the other; rect shrinks past them.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width);
// A one- or two-line edge; rect shrinks past it.
void Edge(TCanvas& canvas, TRect& rect, TEdge edge);
void Fill(TCanvas& canvas, const TRect& rect, TColor color);

// A push button's frame and face; the rectangle left for its content, which
// moves one pixel down and right while pushed.
TRect Button(TCanvas& canvas, const TRect& rect, bool pushed);
// A button as scroll bars and up-downs draw it: pushed, it is flat.
TRect FlatPushButton(TCanvas& canvas, const TRect& rect, bool pushed);
// The depth of the arrow that suits a button (a 16-pixel button has 4: 7 wide).
int ArrowSize(const TRect& button);
// A solid triangle of that depth centred in rect; a disabled one is etched.
void Arrow(TCanvas& canvas, const TRect& rect, TArrow direction, bool enabled, int size);
// A button with an arrow, the parts of scroll bars, up-downs and drop-downs.
void ArrowButton(TCanvas& canvas, const TRect& rect, TArrow direction, bool pushed, bool enabled);

// The dithered track of a scroll bar; a pressed part shows inverted.
void ScrollTrack(TCanvas& canvas, const TRect& rect, bool pressed);

// The 13 x 13 sunken check box at its top-left corner.
constexpr int CheckBoxSize = 13;
void CheckBox(TCanvas& canvas, TPoint at, TCheckState state, bool enabled, bool pushed);
// The 7 x 7 tick with its top-left corner at at.
void CheckMark(TCanvas& canvas, TPoint at, TColor color);

// The box of a tree node's button, white in a grey frame, with a minus, or a
// plus while collapsed; box is the frame (9 x 9 in the classic look).
void TreeButton(TCanvas& canvas, const TRect& box, bool expanded);
// A header's etched sort triangle at the right end of rect, pointing down
// when ascending, up otherwise.
void SortMark(TCanvas& canvas, const TRect& rect, bool ascending);

// A button face filling rect with a triangle outlined on it in 3-D: raised,
// sunken while pushed, the edges facing up or left in the light. The base runs
// from base1 to base2; baseLit: it faces the light.
void BevelTriangle(TCanvas& canvas, const TRect& rect, TPoint tip, TPoint base1, TPoint base2, bool baseLit,
                   bool pushed);
// A raised ridge along the straight line from a to b: highlight on it, shadow
// one pixel below a horizontal line or right of a vertical one.
void Ridge(TCanvas& canvas, TPoint a, TPoint b);

// The dotted focus rectangle (an exclusive-or: drawing it twice removes it).
void FocusRect(TCanvas& canvas, const TRect& rect);
// Text as the classic look shows it disabled: highlight under shadow, etched.
void DisabledText(TCanvas& canvas, std::string_view text, TRect rect, uint32_t flags);

} // namespace qo::qoWidgetPaint

namespace qo::qoWidgetPaint {

// The tree view's lines: every other pixel on a grid fixed to the canvas, so
// that lines of neighbouring rows join, from a to b (one of them straight).
void DottedLine(TCanvas& canvas, TPoint a, TPoint b, TColor color);
// The tree view's 9 x 9 expand button centred on centre: a plus while
// collapsed, a minus while expanded.
constexpr int TreeButtonSize = 9;
void TreeButton(TCanvas& canvas, TPoint centre, bool expanded);

} // namespace qo::qoWidgetPaint
