// The grid view's two scroll bars: ranges in visible indexes from the last
// layout, placement and the paint surface's insets, moving them, bringing the
// focused cell into view, and the wheel.
#include "grid/qoBabGridView.h"

#include <algorithm>

namespace qo {

namespace {
constexpr int SingleBorderMargin = 5;
} // namespace

int TBabGridView_Custom::GetClosestUnHiddenLeftColumn(int column) {
    TAxisContentList* axis = MainGrid()->AxisContentListX();
    auto hidden = [axis](int i) { return axis->Items(i)->Hide(); };
    if (column < 0 || column >= axis->Count() || !hidden(column)) return column;
    for (int i = column + 1; i < axis->Count(); ++i)
        if (!hidden(i)) return i;
    for (int i = column - 1; i >= 0; --i)
        if (!hidden(i)) return i;
    return column;
}

// One bar from its axis; answers whether it shows.
bool TBabGridView_Custom::UpdateBar(TScrollbar_qo* bar, bool columns) {
    TBabGridCellForViewer* root = MainGrid();
    TAxisContentList* axis = columns ? root->AxisContentListX() : root->AxisContentListY();
    const int fixed = axis->FixedItems();
    // The range never falls below the fixed count, so the bar always takes it.
    const int maximum = std::max(fixed, axis->Count() - axis->HiddenRowCount() - 1);
    const int visible = columns ? root->VisibleColCount() : root->VisibleRowCount();
    const int page = std::max(visible - fixed, 1);
    const int position = std::min(columns ? root->Left_ScrollVal() : root->Top_ScrollVal(), maximum);
    bar->SetParams(position, fixed, maximum);
    bar->SetPageSize(std::min(page, maximum));
    bar->SetPosition(position);
    bar->SetLargeChange(visible == 0 ? 1 : page);
    bool lastShown = columns ? root->LastColumnShow() : root->LastRowShow();
    if (columns && GetExpandLastColumnIfShort() &&
        axis->Convert_TrueIndexToVisible(root->BrokenColumn()) == maximum)
        lastShown = true;
    return !(position <= fixed && lastShown);
}

void TBabGridView_Custom::UpdateScrollbars() {
    if (IsPrinting()) return;
    TBabGridCellForViewer* root = MainGrid();
    const bool horz = UpdateBar(fHorz, true);
    fHorz->SetVisible(horz);
    if (!horz) root->SetLeft(GetClosestUnHiddenLeftColumn(root->FixedCols()));
    const bool vert = UpdateBar(fVert, false);
    const bool vertChanged = vert != fVert->Visible();
    fVert->SetVisible(vert);
    if (!vert) root->SetTop(root->FixedRows());
    PlaceScrollbars();
    if (vertChanged) OnVerticalScrollVisibilityChanged.Fire(this);
}

void TBabGridView_Custom::PlaceScrollbars() {
    const int margin = fBorderStyle == gbsSingle ? SingleBorderMargin : 0;
    const int thickness = TScrollBar::DefaultThickness;
    const bool vertInView = fVert->Visible() && !fHijackVerticalScroll;
    if (fHorz->Visible())
        fHorz->SetBounds(0, Height() - margin - thickness, Width() - (vertInView ? thickness : 0), thickness);
    if (vertInView)
        fVert->SetBounds(Width() - thickness, 0, thickness, Height() - (fHorz->Visible() ? thickness : 0));
    SetHorzInset(vertInView ? fVert->Width() + 1 + margin : 0);
    SetVertInset(fHorz->Visible() ? fHorz->Height() + 1 + margin : 0);
}

TScrollbar_qo* TBabGridView_Custom::HijackVerticalScroll(bool on) {
    fHijackVerticalScroll = on;
    SetSoftViewParamsOutOfDate();
    return fVert;
}

namespace {
// A proposed position that would leave the page short of the end comes back.
int ClampToPage(const TScrollBar& bar, int p) {
    if (p + bar.PageSize() - 1 > bar.Max()) p = std::max(bar.Max() - bar.PageSize() + 1, bar.Min());
    return p;
}
} // namespace

void TBabGridView_Custom::OnHorzScroll(TComponent*, TScrollCode, int& position) {
    position = ClampToPage(*fHorz, position);
    MainGrid()->SetLeft(MainGrid()->AxisContentListX()->Convert_VisibleIndexToTrue(position));
}

void TBabGridView_Custom::OnVertScroll(TComponent*, TScrollCode, int& position) {
    position = ClampToPage(*fVert, position);
    MainGrid()->SetTop(MainGrid()->AxisContentListY()->Convert_VisibleIndexToTrue(position));
}

void TBabGridView_Custom::SetScrollbarPosition(TScrollbar_qo* bar, int v) {
    if (!bar->OnScroll) return;
    int position;
    if (v <= bar->Position())
        position = std::max(bar->Min(), v);
    else if (v >= bar->Position() + bar->PageSize() - 1)
        position = v + 2 - bar->PageSize();
    else
        return;
    ScrollBarTo(bar, position);
}

void TBabGridView_Custom::MakeSureFocusedIsVisible() {
    TBabCell* focused = MainGrid()->FocusedCell();
    if (!focused) return;
    if (fHorz->Visible())
        SetScrollbarPosition(fHorz, MainGrid()->AxisContentListX()->Convert_TrueIndexToVisible(focused->ColumnIndex()));
    if (fVert->Visible())
        SetScrollbarPosition(fVert, MainGrid()->AxisContentListY()->Convert_TrueIndexToVisible(focused->RowIndex()));
}

void TBabGridView_Custom::PublicScroll(int step) {
    TScrollbar_qo* bar = step < 2 ? fVert : fHorz;
    if (!bar->Visible()) return;
    int position = bar->Position() + (step % 2 == 0 ? -1 : 1);
    position = std::clamp(position, bar->Min(), std::max(bar->Min(), bar->Max()));
    ScrollBarTo(bar, position);
}

void TBabGridView_Custom::ScrollBarTo(TScrollbar_qo* bar, int position) {
    bar->OnScroll(bar, scPosition, position);
    bar->SetPosition(position);
}

void TBabGridView_Custom::Scroll(TBabDirection direction, TShiftState shift) {
    TBabCell* focused = MainGrid()->FocusedCell();
    if (!focused || direction == babdirNone) return;
    TBabCell* neighbour = MainGrid()->FindNeighbourCell(focused, direction, true);
    if (!neighbour) return;
    TBabGridCell* grid = neighbour->getGridCell();
    if (grid->FocusedCell() == neighbour) return;
    grid->SetFocusedCell(neighbour);
    grid->UpdateMultiSelect(neighbour, shift);
    const bool farRow = direction == babdirPageUp || direction == babdirPageDown || direction == babdirHomeRow ||
                        direction == babdirEndRow;
    if (farRow && grid == MainGrid() && fVert->Visible())
        SetScrollbarPosition(fVert, MainGrid()->AxisContentListY()->Convert_TrueIndexToVisible(neighbour->RowIndex()));
}

bool TBabGridView_Custom::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (TqoOffscreenPaint::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
    if (fVert->Visible())
        PublicScroll(wheelDelta > 0 ? 0 : 1);
    else
        Scroll(wheelDelta > 0 ? babdirUp : babdirDown, shift);
    return true;
}

} // namespace qo
