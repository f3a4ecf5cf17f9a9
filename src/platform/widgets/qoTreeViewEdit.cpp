// The tree view's label editing: an edit placed over the node's label, its
// text all selected, that follows the node as the tree scrolls. Enter or the
// focus going elsewhere accepts the text, Escape drops it.
#include "platform/widgets/qoEdit.h"
#include "platform/widgets/qoTreeView.h"
#include "platform/window/qoTimer.h"

#include <algorithm>

namespace qo {

namespace {
constexpr int EditorMinWidth = 24;
constexpr int EditorSpare = 12; // room for the next character or two
} // namespace

std::string TCustomTreeView::EditingText() const {
    return fEditNode && fEditor ? fEditor->Text() : std::string();
}

TEdit& TCustomTreeView::Editor() {
    if (fEditor) return *fEditor;
    fEditor = new TEdit(this);
    fEditor->SetVisible(false);
    fEditor->SetParent(this);
    fEditor->OnKeyDown = [this](TComponent*, uint16_t& key, TShiftState) {
        if (key != VK_RETURN && key != VK_ESCAPE) return;
        const bool cancel = key == VK_ESCAPE;
        key = 0;
        EndEdit(cancel);
    };
    fEditor->OnChange = [this](TComponent*) {
        if (!fEditNode) return;
        PlaceEditor();
        EditChanged(fEditNode);
    };
    fEditor->OnExit = [this](TComponent*) { EndEdit(false); };
    return *fEditor;
}

bool TCustomTreeView::StartEdit(TTreeNode* node) {
    if (!node || node->Deleting() || fReadOnly || fEditNode) return false;
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (!CanEdit(node) || !alive || node->Deleting()) return false;
    if (node != fSelected) SetSelected(node);
    if (!alive || node->Deleting()) return false;
    if (const int row = RowOf(node); row >= 0) ScrollIntoView(sbVertical, row);
    TEdit& editor = Editor();
    editor.SetFont(Font());
    editor.SetText(std::string(node->Text())); // before the node is set: no change to report yet
    editor.SelectAll();
    fEditNode = node;
    PlaceEditor();
    editor.Show();
    if (editor.CanFocus()) editor.SetFocus();
    Invalidate();
    return true;
}

void TCustomTreeView::PlaceEditor() {
    if (!fEditNode || !fEditor) return;
    const int row = RowOf(fEditNode);
    if (row < 0) return EndEdit(false); // its parent folded away: what was typed stays
    const TRowLayout layout = LayoutOf(fEditNode, row);
    TCanvas& canvas = fMeasure.Canvas();
    canvas.Font() = Font();
    const int height = std::max(ItemHeight() + 4, canvas.TextHeight("Wg") + 6);
    const int room = std::max(EditorMinWidth, VisibleRect().Right - layout.TextLeft);
    const int width = std::clamp(canvas.TextWidth(fEditor->Text()) + EditorSpare, EditorMinWidth, room);
    fEditor->SetBounds(layout.TextLeft, layout.Top + (ItemHeight() - height) / 2, width, height);
}

void TCustomTreeView::CloseEditor() {
    fEditNode = nullptr;
    if (!fEditor) return;
    const bool focused = fEditor->Focused();
    fEditor->Hide();
    Invalidate();
    if (focused && CanFocus()) SetFocus();
}

void TCustomTreeView::EndEdit(bool cancel) {
    TTreeNode* node = fEditNode;
    if (!node) return;
    std::string text = fEditor->Text();
    const TqoAlive::TWatch alive = fAlive.Watch();
    CloseEditor();
    if (!alive) return;
    if (cancel) {
        OnCancelEdit.Fire(this, node);
        return;
    }
    Edit(node, text);
    if (!alive || node->Deleting()) return;
    node->SetText(text);
    OnSetDisplayInfo.Fire(this, node);
}

void TCustomTreeView::EditTimerFired() {
    fEditTimer->SetEnabled(false);
    StartEdit(fSelected);
}

} // namespace qo
