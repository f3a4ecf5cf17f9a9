// The tree view's geometry and painting: rows of one height, indents, lines,
// buttons, images and labels; only the rows that show are visited.
#include "platform/widgets/qoTreeView.h"

#include "platform/graphics/qoDCSaver.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>

namespace qo {

namespace {
constexpr int LabelPadding = 2; // each side of the text inside its rectangle
constexpr int ImageGap = 3;
} // namespace

int TCustomTreeView::ItemHeight() const {
    if (fItemHeight > 0) return fItemHeight;
    TCanvas& canvas = fMeasure.Canvas();
    canvas.Font() = Font();
    int height = std::max(canvas.TextHeight("Wg") + 3, fImages ? fImages->Height() : 0);
    return height + (height & 1); // even, so that dotted lines join from row to row
}

int TCustomTreeView::TextWidth(const TTreeNode* node) const {
    TCanvas& canvas = fMeasure.Canvas();
    canvas.Font() = Font();
    return canvas.TextWidth(node->Text());
}

void TCustomTreeView::SetItemHeight(int height) {
    fItemHeight = std::max(height, 0);
    StructureChanged();
}

void TCustomTreeView::SetIndent(int indent) {
    fIndent = std::max(indent, 0);
    fWidest = 0;
    StructureChanged();
}

void TCustomTreeView::SetShowLines(bool value) {
    fShowLines = value;
    Invalidate();
}

void TCustomTreeView::SetShowButtons(bool value) {
    fShowButtons = value;
    Invalidate();
}

void TCustomTreeView::SetShowRoot(bool value) {
    fShowRoot = value;
    fWidest = 0;
    StructureChanged();
}

void TCustomTreeView::SetHideSelection(bool value) {
    fHideSelection = value;
    Invalidate();
}

void TCustomTreeView::SetImages(TImageList* images) {
    fImages = images;
    fWidest = 0;
    StructureChanged();
}

void TCustomTreeView::FontChanged() {
    fWidest = 0;
    StructureChanged();
}

TCustomTreeView::TRowLayout TCustomTreeView::LayoutOf(const TTreeNode* node, int row) const {
    TRowLayout layout;
    const int columns = node->Level() + (fShowRoot ? 1 : 0);
    layout.Top = VisibleRect().Top + (row - ScrollPos(sbVertical)) * ItemHeight();
    layout.Left = columns * fIndent - ScrollPos(sbHorizontal);
    layout.ButtonCenter = layout.Left - fIndent / 2 - 1;
    layout.ImageLeft = layout.Left;
    layout.TextLeft = layout.Left + (fImages ? fImages->Width() + ImageGap : 0);
    layout.TextRight = layout.TextLeft + TextWidth(node) + 2 * LabelPadding;
    return layout;
}

int TCustomTreeView::VisibleCount() const {
    return VisibleRect().Height() / std::max(1, ItemHeight());
}

TqoScrollExtent TCustomTreeView::ScrollExtent(TScrollBarKind axis, const TRect& visible) const {
    if (axis == sbVertical) {
        const int rows = VisibleRowCount();
        const int page = visible.Height() / std::max(1, ItemHeight());
        return {rows, std::max(page, std::min(rows, 1))};
    }
    // The widest label of the rows that show joins the widest seen before.
    TTreeNode* node = NodeAtRow(ScrollPos(sbVertical));
    for (int row = ScrollPos(sbVertical); node && (row - ScrollPos(sbVertical)) * ItemHeight() < visible.Height();
         ++row, node = node->GetNextVisible())
        fWidest = std::max(fWidest, LayoutOf(node, row).TextRight + ScrollPos(sbHorizontal));
    return {fWidest, visible.Width()};
}

void TCustomTreeView::ScrollPosChanged(TScrollBarKind axis) {
    PlaceEditor();
    if (axis != sbVertical) return;
    UpdateScrollBars();
    CheckTopItem();
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) const {
    const TRect visible = VisibleRect();
    if (!visible.Contains({x, y})) return nullptr;
    return NodeAtRow(ScrollPos(sbVertical) + (y - visible.Top) / std::max(1, ItemHeight()));
}

THitTests TCustomTreeView::GetHitTestInfoAt(int x, int y) const {
    const TTreeNode* node = GetNodeAt(x, y);
    if (!node) return htNowhere;
    const TRowLayout layout = LayoutOf(node, RowOf(node));
    if (x >= layout.TextRight) return htOnRight;
    if (x >= layout.TextLeft) return htOnLabel;
    if (x >= layout.ImageLeft) return htOnIcon;
    const bool hasButton = fShowButtons && node->HasChildren() && (fShowRoot || node->Parent());
    if (hasButton && x >= layout.Left - fIndent) return htOnButton;
    return htOnIndent;
}

void TCustomTreeView::DrawLines(const TTreeNode* node, const TRowLayout& layout) {
    TCanvas& canvas = Canvas();
    const int height = ItemHeight();
    const int mid = layout.Top + height / 2;
    const int bottom = layout.Top + height - 1;
    const bool ownColumn = fShowRoot || node->Parent();
    if (fShowLines && ownColumn) {
        const int x = layout.ButtonCenter;
        qoWidgetPaint::DottedLine(canvas, {x, mid}, {layout.Left - 1, mid}, clBtnShadow);
        const bool first = !node->Parent() && node->Index() == 0;
        qoWidgetPaint::DottedLine(canvas, {x, first ? mid : layout.Top}, {x, node->GetNextSibling() ? bottom : mid},
                                  clBtnShadow);
    }
    if (fShowLines) {
        // The lines of the ancestors that have siblings still to come pass through.
        int x = layout.ButtonCenter - fIndent;
        for (const TTreeNode* p = node->Parent(); p && (fShowRoot || p->Parent()); p = p->Parent(), x -= fIndent)
            if (p->GetNextSibling()) qoWidgetPaint::DottedLine(canvas, {x, layout.Top}, {x, bottom}, clBtnShadow);
    }
    if (fShowButtons && ownColumn && node->HasChildren())
        qoWidgetPaint::TreeButton(canvas, {layout.ButtonCenter, mid}, node->Expanded());
}

void TCustomTreeView::DrawNode(TTreeNode* node, const TRowLayout& layout) {
    TCanvas& canvas = Canvas();
    const TqoAlive::TWatch alive = fAlive.Watch();
    OnGetDisplayInfo.Fire(this, node);
    if (!alive || node->Deleting()) return;
    const bool selected = node == fSelected;
    const TCustomDrawState state = (selected ? cdsSelected : 0) | (Focused() ? cdsFocused : 0);
    TqoDCSaver saver(canvas);
    canvas.Font() = Font();
    canvas.Brush().Color = Color();
    if (selected && Focused()) {
        canvas.Brush().Color = clHighlight;
        canvas.Font().Color = clHighlightText;
    } else if (selected && !fHideSelection) {
        canvas.Brush().Color = clBtnFace;
    }
    if (!CustomDrawItem(node, state) || !alive || node->Deleting()) return;
    const int height = ItemHeight();
    if (fImages) {
        const int index = selected && node->SelectedIndex() >= 0 ? node->SelectedIndex() : node->ImageIndex();
        fImages->Draw(canvas, layout.ImageLeft, layout.Top + (height - fImages->Height()) / 2, index);
    }
    const TRect label{layout.TextLeft, layout.Top, layout.TextRight, layout.Top + height};
    // The edited label lies under its editor.
    if (node != fEditNode) {
        // The label is filled only where its colour differs, so that lines drawn
        // by a handler before stay.
        if (canvas.Brush().Color != Color()) qoWidgetPaint::Fill(canvas, label, canvas.Brush().Color);
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.TextOut(label.Left + LabelPadding, layout.Top + (height - canvas.TextHeight("Wg")) / 2, node->Text());
        if (selected && Focused()) qoWidgetPaint::FocusRect(canvas, label);
    }
    AdvancedCustomDrawItem(node, state, cdPostPaint);
}

void TCustomTreeView::Paint() {
    TCanvas& canvas = Canvas();
    const TRect visible = VisibleRect();
    qoWidgetPaint::Fill(canvas, ClientRect(), Color());
    const int height = std::max(1, ItemHeight());
    int row = ScrollPos(sbVertical);
    TTreeNode* node = NodeAtRow(row);
    const TqoAlive::TWatch alive = fAlive.Watch();
    for (; node && alive && (row - ScrollPos(sbVertical)) * height < visible.Height(); ++row) {
        const TRowLayout layout = LayoutOf(node, row);
        DrawLines(node, layout);
        DrawNode(node, layout);
        // A handler may have changed the rows: go on from the row, not the node.
        if (alive) node = NodeAtRow(row + 1);
    }
    if (alive && ScrollBar(sbHorizontal) && ScrollBar(sbVertical))
        qoWidgetPaint::Fill(canvas, TRect(visible.Right, visible.Bottom, Width(), Height()), clBtnFace);
}

bool TCustomTreeView::CustomDrawItem(TTreeNode* node, TCustomDrawState state) {
    bool defaultDraw = true;
    OnCustomDrawItem.Fire(this, node, state, defaultDraw);
    return defaultDraw;
}

void TCustomTreeView::AdvancedCustomDrawItem(TTreeNode* node, TCustomDrawState state, TCustomDrawStage stage) {
    OnAdvancedCustomDrawItem.Fire(this, node, state, stage);
}

} // namespace qo
