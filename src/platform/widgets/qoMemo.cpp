#include "platform/widgets/qoMemo.h"

#include "platform/core/qoErrors.h"
#include "platform/core/qoUnicode.h"
#include "platform/widgets/qoTextLine.h"

#include <algorithm>

namespace qo {

TMemo::TMemo(TComponent* owner) : TqoCustomEdit(owner) {
    Buffer().MultiLine = true;
    SetScrollBars(ssNone);
    SetBounds(0, 0, 185, 89);
}

void TMemo::SetWordWrap(bool wrap) {
    if (wrap == fWordWrap) return;
    fWordWrap = wrap;
    LayoutChanged();
}

int TMemo::LineCount() const {
    const std::u32string& chars = Buffer().Chars();
    return int(std::count(chars.begin(), chars.end(), U'\n')) + 1;
}

std::string TMemo::Line(int index) const {
    const std::u32string& chars = Buffer().Chars();
    if (index < 0 || index >= LineCount())
        throw EqoError("Line index out of range: " + std::to_string(index));
    size_t start = 0;
    for (int i = 0; i < index; ++i) start = chars.find(U'\n', start) + 1;
    const size_t end = chars.find(U'\n', start);
    return Utf32ToUtf8(chars.substr(start, end == std::u32string::npos ? end : end - start));
}

void TMemo::WrapLine(int start, int end, int width, std::vector<TRow>& rows) const {
    const std::u32string_view chars(Buffer().Chars());
    TCanvas& canvas = MeasuringCanvas();
    do {
        const std::u32string_view rest = chars.substr(size_t(start), size_t(end - start));
        int fit = std::max(1, qoTextLine::CharsFitting(canvas, rest, width));
        if (fit < int(rest.size())) {
            // Break after the last space that fits; the spaces stay on the row.
            const size_t space = rest.substr(0, size_t(fit) + 1).find_last_of(U' ');
            if (space != std::u32string_view::npos && space > 0) fit = int(space) + 1;
            while (fit < int(rest.size()) && rest[size_t(fit)] == U' ') ++fit;
        }
        const int rowEnd = std::min(end, start + fit);
        rows.push_back({start, rowEnd});
        start = rowEnd;
    } while (start < end);
}

void TMemo::LayOut(int width, std::vector<TRow>& rows) const {
    TqoCustomEdit::LayOut(width, rows);
    if (!fWordWrap) return;
    std::vector<TRow> lines;
    lines.swap(rows);
    for (const TRow& line : lines) {
        if (line.End == line.Start)
            rows.push_back(line);
        else
            WrapLine(line.Start, line.End, width, rows);
    }
}

TTextEffect TMemo::RowKey(uint16_t key, TShiftState shift) {
    TqoTextBuffer& buffer = Buffer();
    if (key == VK_RETURN) {
        if (ReadOnly() || !(WantReturns || (shift & ssCtrl))) return teNone;
        return buffer.Replace("\n") ? teChanged : teNone;
    }
    int step = 0;
    const int page = std::max(1, TextArea(VisibleRect()).Height() / RowHeight());
    if (key == VK_UP) step = -1;
    if (key == VK_DOWN) step = 1;
    if (key == VK_PRIOR) step = -page;
    if (key == VK_NEXT) step = page;
    if (step == 0) return teNone;
    const int row = RowOf(buffer.Caret());
    const int target = std::clamp(row + step, 0, int(Rows().size()) - 1);
    const TRow from = Rows()[size_t(row)];
    const std::u32string_view chars(buffer.Chars());
    const int x = qoTextLine::CharX(MeasuringCanvas(), chars.substr(size_t(from.Start), size_t(from.End - from.Start)),
                                    buffer.Caret() - from.Start);
    buffer.MoveCaret(CharAt(target, x), shift & ssShift);
    return teMoved;
}

} // namespace qo
