#include "platform/widgets/qoTextLine.h"

#include "platform/core/qoUnicode.h"
#include "platform/graphics/qoDCSaver.h"

#include <algorithm>

namespace qo::qoTextLine {

int CharX(TCanvas& canvas, std::u32string_view line, int pos) {
    pos = std::clamp(pos, 0, int(line.size()));
    return pos == 0 ? 0 : canvas.TextWidth(Utf32ToUtf8(line.substr(0, size_t(pos))));
}

int CharsFitting(TCanvas& canvas, std::u32string_view line, int width) {
    // Advances add up (no kerning), so the boundaries rise with pos: halve the range.
    int low = 0, high = int(line.size());
    while (low < high) {
        const int mid = (low + high) / 2;
        if (CharX(canvas, line, mid + 1) <= width)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

int CharAt(TCanvas& canvas, std::u32string_view line, int x) {
    int low = CharsFitting(canvas, line, x);
    if (low < int(line.size())) {
        const int left = CharX(canvas, line, low), right = CharX(canvas, line, low + 1);
        if (x - left > right - x) ++low;
    }
    return low;
}

void Draw(TCanvas& canvas, std::u32string_view line, TPoint origin, const TRect& clip, const TLineLook& look) {
    TqoDCSaver saver(canvas);
    const std::string text = Utf32ToUtf8(line);
    const int height = canvas.TextHeight("Xy");
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.Font().Color = look.Enabled ? canvas.Font().Color : clGrayText;
    canvas.TextRect(clip, origin.X, origin.Y, text);
    if (look.SelTo > look.SelFrom) {
        const int left = origin.X + CharX(canvas, line, look.SelFrom);
        const int right = origin.X + CharX(canvas, line, look.SelTo);
        const TRect selected = IntersectRect({left, origin.Y, right, origin.Y + height}, clip);
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = clHighlight;
        canvas.Font().Color = clHighlightText;
        if (!selected.IsEmpty()) canvas.TextRect(selected, origin.X, origin.Y, text);
    }
    if (look.Caret < 0) return;
    const TRect caret = IntersectRect(TRect::Bounds(origin.X + CharX(canvas, line, look.Caret), origin.Y, 1, height), clip);
    if (!caret.IsEmpty()) canvas.PatBlt(caret.Left, caret.Top, caret.Width(), caret.Height(), DSTINVERT);
}

} // namespace qo::qoTextLine
