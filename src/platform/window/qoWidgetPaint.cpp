#include "platform/window/qoWidgetPaint.h"

#include "platform/graphics/qoDCSaver.h"
#include "platform/graphics/qoRaster.h"

#include <algorithm>
#include <array>

namespace qo::qoWidgetPaint {

namespace {

void SolidPen(TCanvas& canvas, TColor color) {
    canvas.Pen().Color = color;
    canvas.Pen().Width = 1;
    canvas.Pen().Style = TPenStyle::psSolid;
    canvas.Pen().Mode = TPenMode::pmCopy;
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// The colours of one edge line: top-left, bottom-right.
struct TEdgeColors {
    TColor TopLeft, BottomRight;
};

void EdgeLine(TCanvas& canvas, TRect& rect, TEdgeColors colors) {
    Frame3D(canvas, rect, colors.TopLeft, colors.BottomRight, 1);
}

} // namespace

void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
    TqoDCSaver saver(canvas);
    --rect.Bottom;
    --rect.Right;
    for (; width > 0; --width) {
        const std::array<TPoint, 3> topLeftLine{
            {{rect.Left, rect.Bottom}, {rect.Left, rect.Top}, {rect.Right, rect.Top}}};
        SolidPen(canvas, topLeft);
        canvas.Polyline(topLeftLine);
        const std::array<TPoint, 3> bottomRightLine{
            {{rect.Right, rect.Top}, {rect.Right, rect.Bottom}, {rect.Left - 1, rect.Bottom}}};
        SolidPen(canvas, bottomRight);
        canvas.Polyline(bottomRightLine);
        rect = rect.Inflate(-1, -1);
    }
    ++rect.Bottom;
    ++rect.Right;
}

void Edge(TCanvas& canvas, TRect& rect, TEdge edge) {
    if (edge & edRaisedOuter) EdgeLine(canvas, rect, {cl3DLight, cl3DDkShadow});
    if (edge & edSunkenOuter) EdgeLine(canvas, rect, {clBtnShadow, clBtnHighlight});
    if (edge & edRaisedInner) EdgeLine(canvas, rect, {clBtnHighlight, clBtnShadow});
    if (edge & edSunkenInner) EdgeLine(canvas, rect, {cl3DDkShadow, cl3DLight});
}

void Fill(TCanvas& canvas, const TRect& rect, TColor color) {
    TqoDCSaver saver(canvas);
    canvas.Brush().ClearPattern();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = color;
    canvas.FillRect(rect);
}

TRect Button(TCanvas& canvas, const TRect& rect, bool pushed) {
    TRect inner = rect;
    if (pushed) {
        Frame3D(canvas, inner, cl3DDkShadow, cl3DDkShadow, 1);
        Frame3D(canvas, inner, clBtnShadow, clBtnShadow, 1);
    } else {
        Edge(canvas, inner, edRaised);
    }
    Fill(canvas, inner, clBtnFace);
    return pushed ? inner.Offset(1, 1) : inner;
}

TRect FlatPushButton(TCanvas& canvas, const TRect& rect, bool pushed) {
    if (!pushed) return Button(canvas, rect, false);
    TRect inner = rect;
    Frame3D(canvas, inner, clBtnShadow, clBtnShadow, 1);
    Fill(canvas, inner, clBtnFace);
    return inner.Offset(1, 1);
}

namespace {
// Rows of a triangle from its base, each one pixel shorter at both ends.
void Triangle(TCanvas& canvas, const TRect& rect, TArrow direction, int size, TPoint shift) {
    const int cx = (rect.Left + rect.Right - 1) / 2 + shift.X;
    const int cy = (rect.Top + rect.Bottom - 1) / 2 + shift.Y;
    const bool vertical = direction == arUp || direction == arDown;
    // The base lies half the triangle's depth before the centre.
    const int base = vertical ? cy - size / 2 : cx - size / 2;
    for (int i = 0; i < size; ++i) {
        const int half = size - 1 - i;
        const int along = (direction == arDown || direction == arRight) ? base + i : base + size - 1 - i;
        if (vertical)
            Line(canvas, cx - half, along, cx + half + 1, along);
        else
            Line(canvas, along, cy - half, along, cy + half + 1);
    }
}
} // namespace

int ArrowSize(const TRect& button) {
    return std::max(1, (std::min(button.Width(), button.Height()) - 4) / 3);
}

void Arrow(TCanvas& canvas, const TRect& rect, TArrow direction, bool enabled, int size) {
    TqoDCSaver saver(canvas);
    if (!enabled) {
        SolidPen(canvas, clBtnHighlight);
        Triangle(canvas, rect, direction, size, {1, 1});
    }
    SolidPen(canvas, enabled ? clBtnText : clBtnShadow);
    Triangle(canvas, rect, direction, size, {0, 0});
}

void ArrowButton(TCanvas& canvas, const TRect& rect, TArrow direction, bool pushed, bool enabled) {
    if (rect.IsEmpty()) return;
    const TRect content = FlatPushButton(canvas, rect, pushed && enabled);
    Arrow(canvas, content, direction, enabled, ArrowSize(rect));
}

void ScrollTrack(TCanvas& canvas, const TRect& rect, bool pressed) {
    if (rect.IsEmpty()) return;
    TqoDCSaver saver(canvas);
    TqoRaster checker(2, 2, ColorToPixel(ColorToRGB(clBtnFace)));
    checker.Row(0)[0] = checker.Row(1)[1] = ColorToPixel(ColorToRGB(clBtnHighlight));
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().SetPattern(checker);
    canvas.FillRect(rect);
    if (pressed) canvas.PatBlt(rect.Left, rect.Top, rect.Width(), rect.Height(), DSTINVERT);
}

void CheckBox(TCanvas& canvas, TPoint at, TCheckState state, bool enabled, bool pushed) {
    TRect box = TRect::Bounds(at.X, at.Y, CheckBoxSize, CheckBoxSize);
    Edge(canvas, box, edSunken);
    const bool window = enabled && !pushed && state != cbGrayed;
    Fill(canvas, box, window ? clWindow : clBtnFace);
    if (state == cbUnchecked) return;
    const bool dim = !enabled || state == cbGrayed;
    CheckMark(canvas, {at.X + 3, at.Y + 3}, dim ? clBtnShadow : clWindowText);
}

void CheckMark(TCanvas& canvas, TPoint at, TColor color) {
    TqoDCSaver saver(canvas);
    SolidPen(canvas, color);
    // Each column three pixels tall, down to the third and up to the top.
    for (int i = 0; i < 7; ++i) {
        const int top = at.Y + (i <= 2 ? 2 + i : 6 - i);
        Line(canvas, at.X + i, top, at.X + i, top + 3);
    }
}

void TreeButton(TCanvas& canvas, const TRect& box, bool expanded) {
    TqoDCSaver saver(canvas);
    Fill(canvas, box, clWindow);
    canvas.Brush().ClearPattern();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = clBtnShadow;
    canvas.FrameRect(box);
    SolidPen(canvas, clWindowText);
    const int cx = (box.Left + box.Right - 1) / 2, cy = (box.Top + box.Bottom - 1) / 2;
    Line(canvas, box.Left + 2, cy, box.Right - 2, cy);
    if (!expanded) Line(canvas, cx, box.Top + 2, cx, box.Bottom - 2);
}

void SortMark(TCanvas& canvas, const TRect& rect, bool ascending) {
    TqoDCSaver saver(canvas);
    const int r = rect.Right, m = rect.Top + (rect.Bottom - rect.Top) / 2;
    if (ascending) {
        SolidPen(canvas, cl3DDkShadow);
        const std::array<TPoint, 3> shadow{{{r - 3, m - 3}, {r - 10, m - 3}, {r - 7, m + 3}}};
        canvas.Polyline(shadow);
        SolidPen(canvas, clWhite);
        Line(canvas, r - 6, m + 3, r - 3, m - 3);
        return;
    }
    SolidPen(canvas, clWhite);
    const std::array<TPoint, 3> light{{{r - 10, m + 3}, {r - 3, m + 3}, {r - 6, m - 3}}};
    canvas.Polyline(light);
    SolidPen(canvas, cl3DDkShadow);
    Line(canvas, r - 7, m - 3, r - 10, m + 3);
}

void BevelTriangle(TCanvas& canvas, const TRect& rect, TPoint tip, TPoint base1, TPoint base2, bool baseLit,
                   bool pushed) {
    TqoDCSaver saver(canvas);
    Fill(canvas, rect, clBtnFace);
    const TColor light = pushed ? clBtnShadow : clBtnHighlight, dark = pushed ? clBtnHighlight : clBtnShadow;
    const auto edge = [&canvas](TPoint from, TPoint to, TColor color) {
        SolidPen(canvas, color);
        Line(canvas, from.X, from.Y, to.X, to.Y);
        canvas.SetPixel(to.X, to.Y, color);
    };
    edge(base1, base2, baseLit ? light : dark);
    edge(base1, tip, light);
    edge(base2, tip, dark);
}

void Ridge(TCanvas& canvas, TPoint a, TPoint b) {
    TqoDCSaver saver(canvas);
    const TPoint beside = a.Y == b.Y ? TPoint(0, 1) : TPoint(1, 0);
    SolidPen(canvas, clBtnHighlight);
    Line(canvas, a.X, a.Y, b.X, b.Y);
    SolidPen(canvas, clBtnShadow);
    Line(canvas, a.X + beside.X, a.Y + beside.Y, b.X + beside.X, b.Y + beside.Y);
}

void FocusRect(TCanvas& canvas, const TRect& rect) {
    canvas.DrawFocusRect(rect);
}

void DisabledText(TCanvas& canvas, std::string_view text, TRect rect, uint32_t flags) {
    TqoDCSaver saver(canvas);
    canvas.Brush().Style = TBrushStyle::bsClear;
    TRect shifted = rect.Offset(1, 1);
    canvas.Font().Color = clBtnHighlight;
    canvas.DrawTextW(text, shifted, flags);
    canvas.Font().Color = clBtnShadow;
    canvas.DrawTextW(text, rect, flags);
}

} // namespace qo::qoWidgetPaint
