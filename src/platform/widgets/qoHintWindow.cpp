#include "platform/widgets/qoHintWindow.h"

#include "platform/window/qoWidgetPaint.h"

namespace qo {

namespace {
constexpr uint32_t TextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;
// Room around the text: the border and a margin.
constexpr int MarginX = 6, MarginY = 2, TextInset = 2;
} // namespace

std::string NormalizeLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
            continue;
        }
        out += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return out;
}

THintWindow::THintWindow(TComponent* owner) : TqoPopupWindow(owner) {
    SetColor(clInfoBk);
    Font().Color = clInfoText;
    SwallowOutsidePress = false;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& text) {
    TCanvas& canvas = Canvas();
    canvas.Font() = Font();
    TRect rect{0, 0, std::max(maxWidth, 1), 0};
    canvas.DrawTextW(NormalizeLineBreaks(text), rect, TextFlags | DT_CALCRECT);
    return {0, 0, rect.Right + MarginX, rect.Bottom + MarginY};
}

void THintWindow::ActivateHint(const TRect& screenBounds, const std::string& text) {
    SetCaption(text);
    Popup(screenBounds);
}

void THintWindow::Paint() {
    TCanvas& canvas = Canvas();
    TRect rect = ClientRect();
    qoWidgetPaint::Frame3D(canvas, rect, SystemColor(COLOR_WINDOWFRAME), SystemColor(COLOR_WINDOWFRAME), 1);
    qoWidgetPaint::Fill(canvas, rect, Color());
    TRect text = ClientRect();
    text.Left += TextInset;
    text.Top += TextInset;
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.DrawTextW(NormalizeLineBreaks(Caption()), text, TextFlags);
    TqoPopupWindow::Paint();
}

} // namespace qo
