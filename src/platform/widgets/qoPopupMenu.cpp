#include "platform/widgets/qoPopupMenu.h"

#include "platform/core/qoErrors.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>

namespace qo {

namespace {
constexpr int Border = 3;
constexpr int CheckColumn = 18;
constexpr int RightMargin = 18;
constexpr int LineHeight = 8;
constexpr uint32_t TextFlags = DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
} // namespace

TPopupMenu::TPopupMenu(TComponent* owner) : TqoPopupWindow(owner) {
    SetColor(SystemColor(COLOR_MENU));
    Font().Color = SystemColor(COLOR_MENUTEXT);
    ControlStyle &= ~csClickEvents & ~csDoubleClicks;
}

void TPopupMenu::CheckIndex(int index) const {
    if (index < 0 || index >= ItemCount()) throw EListError(index);
}

const TMenuItem& TPopupMenu::Item(int index) const {
    CheckIndex(index);
    return fItems[index];
}

int TPopupMenu::AddItem(const std::string& caption) {
    fItems.push_back({caption});
    Invalidate();
    return ItemCount() - 1;
}

void TPopupMenu::SetItemChecked(int index, bool checked) {
    CheckIndex(index);
    fItems[index].Checked = checked;
    Invalidate();
}

void TPopupMenu::SetItemEnabled(int index, bool enabled) {
    CheckIndex(index);
    fItems[index].Enabled = enabled;
    Invalidate();
}

void TPopupMenu::ClearItems() {
    ClosePopup();
    fItems.clear();
    fItemIndex = -1;
}

int TPopupMenu::ItemHeight(int index) const {
    if (fItems[index].IsLine()) return LineHeight;
    return const_cast<TPopupMenu*>(this)->Canvas().TextHeight("Xy") + 4;
}

TRect TPopupMenu::ItemRect(int index) const {
    CheckIndex(index);
    int top = Border;
    for (int i = 0; i < index; ++i) top += ItemHeight(i);
    return {Border, top, Width() - Border, top + ItemHeight(index)};
}

int TPopupMenu::ItemAt(TPoint p) const {
    if (p.X < Border || p.X >= Width() - Border) return -1;
    int top = Border;
    for (int i = 0; i < ItemCount(); ++i) {
        const int bottom = top + ItemHeight(i);
        if (p.Y >= top && p.Y < bottom) return i;
        top = bottom;
    }
    return -1;
}

void TPopupMenu::Popup(TPoint screen) {
    if (fItems.empty()) return;
    TCanvas& canvas = Canvas();
    canvas.Font() = Font();
    int width = 0, height = 2 * Border;
    for (int i = 0; i < ItemCount(); ++i) {
        if (!fItems[i].IsLine()) width = std::max(width, canvas.TextWidth(fItems[i].Caption));
        height += ItemHeight(i);
    }
    fItemIndex = -1;
    fChosen = -1;
    TqoPopupWindow::Popup(TRect::Bounds(screen.X, screen.Y, width + CheckColumn + RightMargin + 2 * Border, height));
}

void TPopupMenu::SetItemIndex(int index) {
    if (index == fItemIndex) return;
    fItemIndex = index;
    Invalidate();
}

int TPopupMenu::NextSelectable(int start, int step) const {
    const int count = ItemCount();
    for (int n = 0, i = start; n < count; ++n, i = (i + step + count) % count)
        if (!fItems[i].IsLine()) return i;
    return -1;
}

void TPopupMenu::Choose(int index) {
    if (index < 0 || fItems[index].IsLine() || !fItems[index].Enabled) return;
    fChosen = index;
    const TqoAlive::TWatch alive = fAlive.Watch();
    ClosePopup();
    if (alive) OnItemClick.Fire(this, index);
}

void TPopupMenu::MouseMove(TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoPopupWindow::MouseMove(shift, x, y);
    if (!alive || !IsOpen()) return;
    const int at = ItemAt({x, y});
    SetItemIndex(at >= 0 && fItems[at].IsLine() ? -1 : at);
}

void TPopupMenu::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoPopupWindow::MouseUp(button, shift, x, y);
    if (alive && IsOpen() && ClientRect().Contains({x, y})) Choose(ItemAt({x, y}));
}

bool TPopupMenu::KeySeen(uint16_t key, TShiftState shift, bool down) {
    if (!down) return true;
    const int count = ItemCount();
    switch (key) {
    case VK_DOWN:
        SetItemIndex(NextSelectable(fItemIndex < 0 ? 0 : (fItemIndex + 1) % count, 1));
        break;
    case VK_UP:
        SetItemIndex(NextSelectable(fItemIndex < 0 ? count - 1 : (fItemIndex - 1 + count) % count, -1));
        break;
    case VK_HOME:
        SetItemIndex(NextSelectable(0, 1));
        break;
    case VK_END:
        SetItemIndex(NextSelectable(count - 1, -1));
        break;
    case VK_RETURN:
        Choose(fItemIndex);
        break;
    default:
        // Escape closes; every other key stays away from the focused control.
        TqoPopupWindow::KeySeen(key, shift, down);
        break;
    }
    return true;
}

void TPopupMenu::PaintItem(TCanvas& canvas, int index) {
    const TMenuItem& item = fItems[index];
    const TRect rect = ItemRect(index);
    if (item.IsLine()) {
        TRect line{rect.Left + 1, rect.Top + LineHeight / 2 - 1, rect.Right - 1, rect.Top + LineHeight / 2 + 1};
        qoWidgetPaint::Edge(canvas, line, qoWidgetPaint::edEtched);
        return;
    }
    const bool highlighted = index == fItemIndex;
    if (highlighted) qoWidgetPaint::Fill(canvas, rect, clHighlight);
    const TColor textColor = highlighted ? (item.Enabled ? clHighlightText : clGrayText) : Font().Color;
    if (item.Checked) {
        const int markTop = rect.Top + (rect.Height() - 7) / 2;
        qoWidgetPaint::CheckMark(canvas, {rect.Left + (CheckColumn - 7) / 2, markTop}, item.Enabled ? textColor : clGrayText);
    }
    TRect text{rect.Left + CheckColumn, rect.Top, rect.Right - RightMargin, rect.Bottom};
    canvas.Brush().Style = TBrushStyle::bsClear;
    if (!item.Enabled && !highlighted) {
        qoWidgetPaint::DisabledText(canvas, item.Caption, text, TextFlags);
        return;
    }
    canvas.Font().Color = textColor;
    canvas.DrawTextW(item.Caption, text, TextFlags);
    canvas.Font().Color = Font().Color;
}

void TPopupMenu::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Font() = Font();
    TRect rect = ClientRect();
    qoWidgetPaint::Edge(canvas, rect, qoWidgetPaint::edRaised);
    qoWidgetPaint::Fill(canvas, rect, Color());
    for (int i = 0; i < ItemCount(); ++i) PaintItem(canvas, i);
    TqoPopupWindow::Paint();
}

} // namespace qo
