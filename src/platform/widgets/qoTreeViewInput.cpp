// The tree view's input: keys that move the selection, expand and collapse,
// type-ahead search, the mouse on buttons and labels, the start of a drag and
// of label editing (F2, or a second click on the selected label).
#include "platform/widgets/qoTreeView.h"

#include "platform/core/qoUnicode.h"
#include "platform/window/qoClock.h"
#include "platform/window/qoInputRouter.h"
#include "platform/window/qoTimer.h"

#include <algorithm>
#include <cstdlib>

namespace qo {

namespace {
// Keys typed within this many milliseconds continue one search.
constexpr int64_t TypeAheadTimeout = 1000;

char16_t Folded(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

bool StartsWith(std::string_view text, const std::u16string& prefix) {
    const std::u16string text16 = Utf8ToUtf16(text);
    if (text16.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text16.begin(),
                      [](char16_t a, char16_t b) { return Folded(a) == Folded(b); });
}
} // namespace

void TCustomTreeView::MoveSelection(TTreeNode* node) {
    if (node) SetSelected(node);
}

void TCustomTreeView::KeyDown(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoScrollingControl::KeyDown(key, shift);
    if (!alive) return;
    TTreeNode* sel = fSelected;
    const int row = RowOf(sel);
    const int page = std::max(1, VisibleCount() - 1);
    switch (key) {
    case VK_UP:
        MoveSelection(sel ? sel->GetPrevVisible() : NodeAtRow(0));
        break;
    case VK_DOWN:
        MoveSelection(sel ? sel->GetNextVisible() : NodeAtRow(0));
        break;
    case VK_HOME:
        MoveSelection(NodeAtRow(0));
        break;
    case VK_END:
        MoveSelection(NodeAtRow(VisibleRowCount() - 1));
        break;
    case VK_PRIOR:
        MoveSelection(NodeAtRow(std::max(0, row - page)));
        break;
    case VK_NEXT:
        MoveSelection(NodeAtRow(std::min(VisibleRowCount() - 1, row + page)));
        break;
    case VK_LEFT:
        if (sel && sel->Expanded() && sel->HasChildren())
            sel->SetExpanded(false);
        else if (sel)
            MoveSelection(sel->Parent());
        break;
    case VK_RIGHT:
        if (sel && sel->HasChildren()) sel->Expanded() ? MoveSelection(sel->GetFirstChild()) : sel->SetExpanded(true);
        break;
    case VK_F2:
        StartEdit(sel);
        break;
    default:
        return;
    }
}

void TCustomTreeView::KeyPress(char16_t& key) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoScrollingControl::KeyPress(key);
    if (!alive || key == 0) return;
    TTreeNode* sel = fSelected;
    switch (key) {
    case u'+':
        if (sel) sel->Expand(false);
        return;
    case u'-':
        if (sel) sel->Collapse(false);
        return;
    case u'*':
        if (sel) sel->Expand(true);
        return;
    }
    if (key > u' ') TypeAhead(key);
}

// The next row (wrapping round) whose label begins with what was typed; a new
// search starts below the selection, a continued one at it.
void TCustomTreeView::TypeAhead(char16_t ch) {
    const int64_t now = GetTickCount();
    if (now - fTypedAt > TypeAheadTimeout) fTyped.clear();
    fTypedAt = now;
    fTyped += ch;
    const int rows = VisibleRowCount();
    if (rows == 0) return;
    const int start = std::max(0, RowOf(fSelected)) + (fTyped.size() == 1 && fSelected ? 1 : 0);
    TTreeNode* node = NodeAtRow(start % rows);
    for (int i = 0; i < rows && node; ++i) {
        if (StartsWith(node->Text(), fTyped)) {
            SetSelected(node);
            return;
        }
        node = node->GetNextVisible();
        if (!node) node = NodeAtRow(0);
    }
}

// ---- Mouse ----

void TCustomTreeView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (CanFocus() && !Focused()) SetFocus();
    if (!alive) return;
    fEditTimer->SetEnabled(false);
    if (fEditNode) EndEdit(false);
    if (!alive) return;
    TqoScrollingControl::MouseDown(button, shift, x, y);
    if (!alive) return;
    TTreeNode* node = GetNodeAt(x, y);
    const THitTests hit = GetHitTestInfoAt(x, y);
    if (button == mbLeft) {
        fPressed = node;
        fPressedWasSelected = node && node == fSelected;
        fPressPoint = {x, y};
        fDragReported = false;
        if (hit & htOnButton)
            node->SetExpanded(!node->Expanded());
        else if (hit & htOnItem)
            SetSelected(node);
    } else if (button == mbRight && fRightClickSelect && node && (hit & htOnItem)) {
        SetSelected(node);
    }
}

void TCustomTreeView::MouseMove(TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoScrollingControl::MouseMove(shift, x, y);
    if (!alive || !fPressed || fDragReported || !(shift & ssLeft)) return;
    const int threshold = Mouse().DragThreshold;
    if (std::abs(x - fPressPoint.X) < threshold && std::abs(y - fPressPoint.Y) < threshold) return;
    fDragReported = true;
    BeginNodeDrag(fPressed);
}

void TCustomTreeView::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TTreeNode* pressed = fPressed;
    fPressed = nullptr;
    const bool secondClick = button == mbLeft && pressed && fPressedWasSelected && !fDragReported &&
                             pressed == GetNodeAt(x, y) && (GetHitTestInfoAt(x, y) & htOnLabel);
    TqoScrollingControl::MouseUp(button, shift, x, y);
    if (!alive) return;
    if (secondClick && !fReadOnly) {
        // Waits for a double click before it edits.
        fEditTimer->SetInterval(uint32_t(Mouse().DoubleClickTime));
        fEditTimer->SetEnabled(true);
    }
    if (button == mbRight) RightClicked(GetNodeAt(x, y));
}

void TCustomTreeView::DblClick() {
    const TqoAlive::TWatch alive = fAlive.Watch();
    fEditTimer->SetEnabled(false);
    TqoScrollingControl::DblClick();
    if (!alive) return;
    TTreeNode* node = GetNodeAt(fPressPoint.X, fPressPoint.Y);
    if (node && (GetHitTestInfoAt(fPressPoint.X, fPressPoint.Y) & htOnItem)) node->SetExpanded(!node->Expanded());
}

void TCustomTreeView::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_SETFOCUS:
        Invalidate();
        break;
    case WM_KILLFOCUS:
        Invalidate();
        break;
    case WM_CAPTURECHANGED:
        fPressed = nullptr;
        break;
    }
    TqoScrollingControl::WndProc(message);
}

} // namespace qo
