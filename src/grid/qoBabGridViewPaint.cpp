// Painting of the grid view: every cell of the layout into the off-screen
// canvas, the tree buttons and lines on top, then the focus rectangle.
#include "grid/qoBabGridView.h"

#include "platform/core/qoRounding.h"
#include "platform/graphics/qoDCSaver.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>

namespace qo {

namespace {
constexpr int SingleBorderMargin = 5;

void Line(TCanvas& canvas, TPoint a, TPoint b) {
    canvas.MoveTo(a.X, a.Y);
    canvas.LineTo(b.X, b.Y);
}

void SolidPen(TCanvas& canvas, TColor color) {
    canvas.Pen().Color = color;
    canvas.Pen().Width = 1;
    canvas.Pen().Style = TPenStyle::psSolid;
    canvas.Pen().Mode = TPenMode::pmCopy;
}

bool UsesFrameOptions(const TBabCell* cell) { return cell->LayoutProp() && cell->LayoutProp()->FrameOptionsUse; }

// The sub-grid cell that holds a cell, none for the root's own cells.
TBabCell* EnclosingSubGrid(TBabCell* cell) {
    TBabGridCell* grid = cell->getGridCell();
    return grid && grid->getGridCell() ? grid : nullptr;
}
} // namespace

TRect TBabGridView_Custom::GetDrawRect() const {
    TRect rect(0, 0, Width(), Height());
    if (fBorderStyle == gbsSingle) {
        rect.Right -= SingleBorderMargin;
        rect.Bottom -= SingleBorderMargin;
    }
    if (IsPrinting()) return rect;
    if (fHorz->Visible()) rect.Bottom -= fHorz->Height();
    if (fVert->Visible() && !fHijackVerticalScroll) rect.Right -= fVert->Width();
    return rect;
}

void TBabGridView_Custom::FirstGridInit() {
    if (!fDoFirstGridInit) return;
    fDoFirstGridInit = false;
    if (auto* data = dynamic_cast<TBabSubGridCellData*>(MainGrid()->BabCellData())) initSubGridContent(data);
}

void TBabGridView_Custom::EnsureLayout() {
    if (IsPrinting() || fInLayout) return;
    FirstGridInit();
    UpdateViewParams();
}

void TBabGridView_Custom::OffscreenPaint() {
    FirstGridInit();
    // Printing keeps the screen's layout and scales it (see Print).
    if (!IsPrinting()) UpdateViewParams();
    fCellsThatNeedButtonsAndLines.clear();
    fLastSeenLayoutProp = nullptr;
    TCanvas& canvas = OffscreenCanvas();
    TqoDCSaver saver(canvas);
    PrintResizeFont();
    const TRect drawRect = GetDrawRect();
    MainGrid()->Draw(drawRect, [this](const TRect& r, TBabCell* c, TBabDrawState s) { OnDrawBabCell(r, c, s); });
    DrawButtonsAndLines(canvas);
    if (HasInputFocus() && !IsPrinting() && fFocusRect_Grid) DrawFocusRect(canvas, drawRect.Inflate(-1, -1));
}

void TBabGridView_Custom::Print(TqoDC& dc, int x, int y, double scalex, double scaley, bool updateBounds) {
    UpdateViewParams();
    TqoOffscreenPaint::Print(dc, x, y, scalex, scaley, updateBounds);
}

void TBabGridView_Custom::DrawFocusRect(TCanvas& canvas, const TRect& rect) {
    TqoDCSaver saver(canvas);
    canvas.Brush().Color = clBtnHighlight;
    canvas.Font().Color = clBlack;
    qoWidgetPaint::FocusRect(canvas, rect);
}

void TBabGridView_Custom::OnDrawBabCell(const TRect& rect, TBabCell* cell, TBabDrawState state) {
    if (IsPrinting() && !AssignedPrintingCanvas()) return;
    TCanvas& canvas = OffscreenCanvas();
    if (cell->IsFixed()) DrawFixedCell(canvas, rect, cell);
    if (cell->CellType() == babCellTypeSimple)
        DrawSimpleCell(canvas, rect, cell, state);
    else
        DrawGridCell(canvas, rect, cell, state);
    if (!(state & babFocused) || cell == MainGrid() || IsPrinting() || !fFocusRect_Cell || !HasInputFocus()) return;
    const TRect r1 = rect.Inflate(-1, -1);
    if (cell->CellType() == babCellTypeSimple)
        DrawFocusRect(canvas, r1.Inflate(2, 2));
    else
        DrawFocusRect(canvas, TRect(r1.Left, r1.Top, r1.Right + 1, r1.Bottom + 1));
}

void TBabGridView_Custom::DrawFixedCell(TCanvas& canvas, const TRect& rect, TBabCell* cell) {
    const TLayoutProp* layout = cell->LayoutProp();
    qoWidgetPaint::Fill(canvas, rect, layout ? layout->BackColor : clBtnFace);
    TRect raised = rect.Inflate(-1, -1);
    qoWidgetPaint::Frame3D(canvas, raised, clBtnHighlight, clBtnShadow, 1);
}

void TBabGridView_Custom::SelectLayoutFont(TCanvas& canvas, TLayoutProp* layout) {
    if (layout == fLastSeenLayoutProp && !IsPrinting()) return;
    fLastSeenLayoutProp = layout;
    const TColor color = canvas.Font().Color;
    canvas.Font() = Font();
    if (layout->UseFontInfo) {
        canvas.Font().Name = layout->FontName;
        canvas.Font().Size = layout->FontSize;
        canvas.Font().Style = layout->FontStyle;
    }
    canvas.Font().Color = color;
    PrintResizeFont();
}

TBabGridView_Custom::TRenderAttributes TBabGridView_Custom::SetRenderAttributes(TCanvas& canvas, TBabCell* cell,
                                                                                TBabDrawState state) {
    OnBeforeRenderCell.Fire(this, cell);
    TRenderAttributes attributes;
    PreDrawGetStringAndSetAttributes(cell, attributes.Text, attributes.IsBoolean, attributes.Ticked);
    TLayoutProp* layout = cell->LayoutProp();
    if (layout) {
        canvas.Font().Color = layout->FontColor;
        SelectLayoutFont(canvas, layout);
        canvas.Pen().Color = layout->FrontColor;
        canvas.Brush().Color = layout->BackColor;
    } else {
        canvas.Pen().Color = clBlack;
        canvas.Font().Color = clBlack;
        canvas.Brush().Color = (state & babFixed) ? clBtnFace : clWindow;
    }
    canvas.Brush().Style = TBrushStyle::bsSolid;
    return attributes;
}

void TBabGridView_Custom::PreDrawGetStringAndSetAttributes(TBabCell* cell, std::string& text, bool& isBoolean,
                                                           bool& ticked) {
    text = GetText(cell);
    isBoolean = IsCheckBoxCell(cell);
    ticked = isBoolean && IsTrueText(text);
    if (isBoolean) text.clear();
}

void TBabGridView_Custom::DrawSimpleBackground(TCanvas& canvas, TBabCell* cell, TBabDrawState state) {
    const TRect last = cell->VisibleRect_Untampered();
    TRect background(last.Left + 1, last.Top + 1, last.Right, last.Bottom + 1);
    const bool fixed = state & babFixed;
    if (!(state & babSelected) || fixed || IsPrinting()) {
        if (fixed) return;
        if (EnclosingSubGrid(cell)) --background.Top;
        canvas.FillRect(background);
        return;
    }
    canvas.FillRect(background);
    canvas.Brush().Color = HasInputFocus() ? clHighlight : clBtnFace;
    if (canvas.Brush().Color == clHighlight) canvas.Font().Color = clHighlightText;
    --background.Top;
    canvas.FillRect(background);
}

void TBabGridView_Custom::DrawSimpleCell(TCanvas& canvas, const TRect& rect, TBabCell* cell, TBabDrawState state) {
    TqoDCSaver saver(canvas);
    const TRenderAttributes attributes = SetRenderAttributes(canvas, cell, state);
    DrawSimpleBackground(canvas, cell, state);
    const TRect textRect = DivideTheRectIntoSections(canvas, cell, rect.Inflate(-1, -1), true);
    TUserRenderCellArgs args{&canvas, cell, attributes.Text, attributes.Ticked, GetFlags(cell->LayoutProp()),
                             state, textRect, true};
    if (OnUserRenderCell) OnUserRenderCell(this, args);
    if (args.DefaultDraw) {
        if (attributes.IsBoolean) {
            DrawCheckBox(canvas, textRect, attributes.Ticked);
        } else {
            TRect drawn = textRect;
            canvas.DrawTextW(attributes.Text, drawn, args.DrawTextFlags);
        }
    }
    if (cell == fCurrentSortCol) DrawSortingSymbol(canvas, fCurrentSortUpNotDown, rect);
    PostDrawGetStringAndSetAttributes(cell);
    if (!(state & babFixed)) DoLines(canvas, cell, textRect.Inflate(1, 1));
}

void TBabGridView_Custom::DrawGridCell(TCanvas& canvas, const TRect& rect, TBabCell* cell, TBabDrawState state) {
    TqoDCSaver saver(canvas);
    const TLayoutProp* layout = cell->LayoutProp();
    const TRect last = cell->VisibleRect_Untampered();
    if (layout) qoWidgetPaint::Fill(canvas, TRect(last.Left, last.Top + 1, last.Right, last.Bottom), layout->BackColor);
    if ((state & babSelected) && !(state & babFixed)) {
        auto* grid = static_cast<TBabGridCell*>(cell);
        const bool empty = grid->AxisContentListX()->Count() == 0 || grid->AxisContentListY()->Count() == 0;
        const TRect r1 = rect.Inflate(-1, -1);
        qoWidgetPaint::Fill(canvas, TRect(r1.Left, r1.Top, r1.Right + 1, r1.Bottom + 1),
                            empty || !layout ? clHighlight : layout->BackColor);
    }
    if (!(state & babFixed)) DoLines(canvas, cell, rect);
}

TRect TBabGridView_Custom::DivideTheRectIntoSections(TCanvas& canvas, TBabCell* cell, const TRect& rect, bool draw) {
    TRect rest = rect;
    if (!cell->IsFixed() && !IsPrinting() && CellHasButton(cell)) {
        rest.Left = std::min(rest.Left + ButtonWidth, rest.Right);
        if (draw) fCellsThatNeedButtonsAndLines.push_back(cell);
    }
    if (fImageList && CellHasIcon(cell)) {
        const int width = Round(fImageList->Width() * Scalex());
        const TRect icon(rest.Left + 1, rest.Top, std::min(rest.Left + 1 + width, rest.Right), rest.Bottom);
        rest.Left = icon.Right;
        if (draw && !IsPrinting()) {
            fImageList->Draw(canvas, icon.Left, icon.Top, CellIconIndex(cell));
        } else if (draw) {
            TBitmap image;
            fImageList->GetBitmap(CellIconIndex(cell), image);
            canvas.StretchDraw(TRect::Bounds(icon.Left, icon.Top, width, width), image);
        }
    }
    return rest.Inflate(-1, -1);
}

uint32_t TBabGridView_Custom::GetFlags(const TLayoutProp* layout) {
    uint32_t flags = DT_NOPREFIX;
    if (!layout) return flags;
    flags |= layout->Flags;
    if (layout->WrapTextAndFit) flags |= DT_WORDBREAK;
    if (layout->HorzAlignRight) flags |= DT_RIGHT;
    if (layout->HorzAlignCenter) flags |= DT_CENTER;
    if (layout->VertAlignCenter) flags |= DT_VCENTER;
    if (layout->EndEllipsis) flags |= DT_END_ELLIPSIS;
    return flags;
}

void TBabGridView_Custom::DoLines(TCanvas& canvas, TBabCell* cell, const TRect& textRect) {
    if (UsesFrameOptions(cell)) {
        LayoutPropertyLines(canvas, cell, cell->CellType() == babCellTypeSimple ? textRect : cell->getVisibleRect());
        return;
    }
    DefaultLines(canvas, cell);
    if (cell->CellType() == babCellTypeSimple) EnclosingSubGridLines(canvas, cell);
}

void TBabGridView_Custom::DefaultLines(TCanvas& canvas, TBabCell* cell) {
    TqoDCSaver saver(canvas);
    SolidPen(canvas, clBtnFace);
    const TRect r = cell->VisibleRect_Untampered();
    if (cell->CellType() == babCellTypeSimple) {
        Line(canvas, {r.Right, r.Top}, {r.Right, r.Bottom});
        return;
    }
    const std::array<TPoint, 4> frame{{{r.Left, r.Top}, {r.Left, r.Bottom - 1}, {r.Right, r.Bottom - 1},
                                       {r.Right, r.Top - 1}}};
    canvas.Polyline(frame);
}

// Sub-grid borders stay on top of the cells inside.
void TBabGridView_Custom::EnclosingSubGridLines(TCanvas& canvas, TBabCell* cell) {
    TBabCell* grid = EnclosingSubGrid(cell);
    if (!grid) return;
    if (UsesFrameOptions(grid))
        LayoutPropertyLines(canvas, grid, grid->VisibleRect_Untampered());
    else
        DefaultLines(canvas, grid);
}

TColor TBabGridView_Custom::Frame3DInnerColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    TColor result = 0;
    for (int shift : {0, 8, 16}) {
        const int channel = int((rgb >> shift) & 0xFF);
        const int lighter = std::min(255, Round(channel * 1.25));
        result |= TColor(lighter) << shift;
    }
    return result;
}

void TBabGridView_Custom::LayoutPropertyLines(TCanvas& canvas, TBabCell* cell, const TRect& rect) {
    TqoDCSaver saver(canvas);
    TLayoutProp* layout = cell->LayoutProp();
    struct TSide {
        TFrameOptions Option;
        TPoint Start, End, Inward;
    };
    const TSide sides[] = {
        {foLeft, {rect.Left, rect.Top}, {rect.Left, rect.Bottom}, {-1, 0}},
        {foRight, {rect.Right, rect.Top}, {rect.Right, rect.Bottom}, {-1, 0}},
        {foTop, {rect.Left, rect.Top}, {rect.Right, rect.Top}, {0, -1}},
        {foBottom, {rect.Left, rect.Bottom}, {rect.Right, rect.Bottom}, {0, -1}},
    };
    for (int side = 0; side < 4; ++side) {
        const TSide& s = sides[side];
        if (!(layout->FrameOptions & s.Option)) continue;
        SolidPen(canvas, layout->FrameColor);
        TFrameLineDrawArgs args{layout, side, cell, rect, s.Start, s.End, !layout->OnFrameLineDraw, &canvas};
        if (layout->OnFrameLineDraw) layout->OnFrameLineDraw(args);
        if (!args.DefaultDraw) continue;
        Line(canvas, s.Start, s.End);
        if (layout->FrameKind != fk3d) continue;
        SolidPen(canvas, Frame3DInnerColor(layout->FrameColor));
        Line(canvas, s.Start + s.Inward, s.End + s.Inward);
    }
    if (cell->CellType() == babCellTypeSimple) EnclosingSubGridLines(canvas, cell);
}

void TBabGridView_Custom::DrawCheckBox(TCanvas& canvas, const TRect& rect, bool ticked) {
    canvas.FillRect(rect);
    qoWidgetPaint::CheckBox(canvas, {rect.Left + 1, rect.Top + 3}, ticked ? qoWidgetPaint::cbChecked
                                                                           : qoWidgetPaint::cbUnchecked,
                            true, false);
}

void TBabGridView_Custom::DrawSortingSymbol(TCanvas& canvas, bool upNotDown, const TRect& rect) {
    qoWidgetPaint::SortMark(canvas, rect, upNotDown);
}

} // namespace qo
