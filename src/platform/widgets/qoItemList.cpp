#include "platform/widgets/qoItemList.h"

#include "platform/window/qoWidgetPaint.h"

#include <algorithm>

namespace qo {

TqoItemList::TqoItemList(TComponent* owner, const std::vector<std::string>& items)
    : TqoScrollingControl(owner), fItems(items) {
    SetScrollBars(ssVertical);
    SetColor(clWindow);
    ControlStyle |= csOpaque;
}

int TqoItemList::ItemHeight() const {
    TCanvas& canvas = const_cast<TqoItemList*>(this)->Canvas();
    canvas.Font() = Font();
    return std::max(1, canvas.TextHeight("Xy"));
}

void TqoItemList::SetSelected(int index) {
    index = fItems.empty() ? -1 : std::clamp(index, -1, int(fItems.size()) - 1);
    if (index != fSelected) Invalidate();
    fSelected = index;
    if (index >= 0) ScrollIntoView(sbVertical, index);
}

void TqoItemList::ItemsChanged() {
    fSelected = std::min(fSelected, int(fItems.size()) - 1);
    UpdateScrollBars();
    Invalidate();
}

int TqoItemList::ItemAt(TPoint p) const {
    if (!VisibleRect().Contains(p)) return -1;
    const int index = ScrollPos(sbVertical) + p.Y / ItemHeight();
    return index < int(fItems.size()) ? index : -1;
}

TqoScrollExtent TqoItemList::ScrollExtent(TScrollBarKind axis, const TRect& visible) const {
    if (axis == sbHorizontal) return {};
    return {int(fItems.size()), std::max(1, visible.Height() / ItemHeight())};
}

void TqoItemList::Paint() {
    TCanvas& canvas = Canvas();
    const TRect visible = VisibleRect();
    qoWidgetPaint::Fill(canvas, visible, Color());
    const int height = ItemHeight();
    canvas.Brush().Style = TBrushStyle::bsClear;
    for (int i = ScrollPos(sbVertical), y = 0; i < int(fItems.size()) && y < visible.Bottom; ++i, y += height) {
        const TRect row{visible.Left, y, visible.Right, y + height};
        canvas.Font().Color = i == fSelected ? clHighlightText : Font().Color;
        if (i == fSelected) qoWidgetPaint::Fill(canvas, row, clHighlight);
        canvas.TextRect(row, row.Left + 2, y, fItems[size_t(i)]);
    }
}

void TqoItemList::MouseMove(TShiftState shift, int x, int y) {
    const int index = ItemAt({x, y});
    if (index >= 0) SetSelected(index);
    TqoScrollingControl::MouseMove(shift, x, y);
}

void TqoItemList::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoScrollingControl::MouseUp(button, shift, x, y);
    const int index = ItemAt({x, y});
    if (alive && button == mbLeft && index >= 0) OnItemClick.Fire(this, index);
}

} // namespace qo
