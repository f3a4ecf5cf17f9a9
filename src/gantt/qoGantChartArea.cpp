// The chart area's background: the back colour, alternate rows (or columns)
// in a checker of back and stripe colour, the today line and the scaler's
// lines. What is drawn costs the visible rows, never all rows.
#include "gantt/qoGant.h"
#include "platform/core/qoRounding.h"
#include "platform/graphics/qoDCSaver.h"

namespace qo {

void TqoGant_ComBasic::ReInitBitmap() {
    fGantBitMap.SetSize(2, 2);
    TqoRaster& r = fGantBitMap.Raster();
    r.Row(0)[0] = r.Row(1)[1] = ColorToPixel(ColorToRGB(fBackColor));
    r.Row(0)[1] = r.Row(1)[0] = ColorToPixel(ColorToRGB(fPyjamasColor));
}

void TqoGant_ComBasic::GantAreaPaint(TComponent*) {
    if (fUseGridNotTree) {
        if (!fGA->IsPrinting()) fGrid->RedrawIfNeeded();
    } else {
        fTree->EnsureDisplayUpToDate();
        if (fTree->ItemHeight() > 0) fBackGroundHeight = fTree->ItemHeight();
    }
    // Rows read their bands afresh when they are next asked.
    fRowList->GeometryChanged();
    const int header = GridHeaderHeight();
    if (header != fCurrentGridHeaderHeight) {
        UpdateGridAlign();
        fCurrentGridHeaderHeight = header;
    }
    DoBackground();
    // Only the rows that show draw, from the top down.
    for (TGantRow* row : fRowList->VisibleRows(0, fGA->Height())) row->DrawContent();
    RenderLinks();
    OnUserDrawForeground.Fire(this, {0, 0, fGA->Width(), fGA->Height()}, fGA->OffscreenCanvas());
    fGA->OffscreenCanvas().Pen().Color = clBlack;
    fStartScaleWhenDrawn = fDateScaler->Start();
    if (fInteraction && !fGA->IsPrinting()) fInteraction->Painted();
}

void TqoGant_ComBasic::DoBackground() {
    DefaultBackGround();
    DoTodayLine();
    TCanvas& c = fGA->OffscreenCanvas();
    const TRect whole{0, 0, fGA->Width(), fGA->Height()};
    {
        TqoDCSaver saver(c);
        OnUserDrawBackground.Fire(this, whole, c);
    }
    DrawScaleLines();
    if (fGA->Focused()) {
        TqoDCSaver saver(c);
        c.Brush().Color = clWhite;
        c.DrawFocusRect({2, 2, whole.Right - 2, whole.Bottom - 2});
    }
}

void TqoGant_ComBasic::DrawScaleLines() {
    TCanvas& c = fGA->OffscreenCanvas();
    TqoDCSaver saver(c);
    c.Pen() = {clGray, 1, TPenStyle::psSolid, TPenMode::pmCopy};
    const int height = fGA->Height();
    // The marks are screen pixels: on paper they move with the scale.
    const auto verticalLine = [&](int x) {
        const int px = Round(x * fGA->Scalex());
        c.MoveTo(px, 0);
        c.LineTo(px, height);
    };
    if (fDrawShortLines) {
        const std::vector<int>& marks = fDateScaler->ShortLinePos();
        // Marks closer than 30 pixels get every other line, or the chart turns grey.
        const size_t step = marks.size() >= 2 && marks[1] - marks[0] <= 29 ? 2 : 1;
        for (size_t i = 0; i < marks.size(); i += step) verticalLine(marks[i]);
    }
    c.Pen().Color = clDesktop;
    if (fDrawLongLines) {
        for (int x : fDateScaler->LongLinePos()) verticalLine(x);
    }
}

void TqoGant_ComBasic::DefaultBackGround() {
    TCanvas& c = fGA->OffscreenCanvas();
    TqoDCSaver saver(c);
    const int width = fGA->Width(), height = fGA->Height();
    c.Pen().Color = clBtnShadow;
    if (!fGA->IsPrinting()) {
        c.Brush().Color = fBackColor;
        c.FillRect({0, 0, width, height});
    }
    if (fVerticalPyjamas) {
        DoVerticalPyjamas();
        return;
    }
    const int h = Round(fBackGroundHeight * fGA->Scaley());
    int n = 0;
    int top = fUseGridNotTree ? GridRowStripes(n) : 0;
    // Below the header's last row the stripes go on at the row height.
    for (; h > 0 && top >= 0 && top < height; top += h) DrawRowBackgound({0, top, width, top + h}, n++);
}

int TqoGant_ComBasic::GridRowStripes(int& rowNumber) {
    const int width = fGA->Width();
    // Bands are in screen pixels; on paper they scale like the rest.
    const double ys = fGA->Scaley();
    int bottom = 0;
    fGrid->ForEachVisibleRow([&](const TRect& band, void*) {
        const TRect r{0, Round(band.Top * ys), width, Round(band.Bottom * ys)};
        DrawRowBackgound(r, rowNumber++);
        bottom = r.Bottom;
    });
    return bottom;
}

void TqoGant_ComBasic::DrawRowBackgound(const TRect& rect, int rowNumber) {
    if (fVerticalPyjamas || rowNumber % 2 != 0) return;
    TCanvas& c = fGA->OffscreenCanvas();
    if (fGA->IsPrinting()) {
        c.Brush().Color = fPyjamasColor;
        c.FillRect(rect);
        return;
    }
    c.Brush().SetPattern(fGantBitMap.Raster());
    c.FillRect(rect);
    c.Brush().ClearPattern();
}

void TqoGant_ComBasic::DoVerticalPyjamas() {
    TCanvas& c = fGA->OffscreenCanvas();
    const std::vector<int>& marks = fDateScaler->LongLinePos();
    const int width = fGA->Width(), height = fGA->Height();
    const int parity = fDateScaler->GetOddOrEventStartForVerticalBack();
    int skip = 0, column = 0;
    size_t i = 0;
    for (int x = 0; x < width;) {
        const int next = i < marks.size() ? marks[i] : width;
        ++i;
        if (next < x) {
            skip = 1;
            continue;
        }
        if ((column + parity + skip) % 2 == 0) {
            c.Brush().SetPattern(fGantBitMap.Raster());
        } else {
            c.Brush().ClearPattern();
            c.Brush().Color = fPyjamasColor;
        }
        c.FillRect({x, 0, next, height});
        c.Brush().ClearPattern();
        x = next;
        ++column;
    }
}

void TqoGant_ComBasic::DoTodayLine() {
    if (!fTodayLineOnOff) return;
    const int x = fDateScaler->DateToPixel(Date() + 0.5);
    if (x <= 0 || x >= fDateScaler->Width()) return;
    TCanvas& c = fGA->OffscreenCanvas();
    TqoDCSaver saver(c);
    const int px = Round(x * fGA->Scalex());
    c.Pen() = {fTodayLineColor, 1, TPenStyle::psSolid, TPenMode::pmCopy};
    c.MoveTo(px, 0);
    c.LineTo(px, Round(fGA->Height() * fGA->Scaley()));
}

} // namespace qo
