// One time item on the chart area: its style, texts, selection marks and
// focus rectangle. On paper the same drawing is scaled and the marks are left
// out.
#include "gantt/qoGant.h"
#include "gantt/qoTimeDraw.h"
#include "platform/core/qoRounding.h"
#include "platform/graphics/qoDCSaver.h"

#include <algorithm>

namespace qo {

namespace {
// How far an item's drawing may run past the area's sides.
constexpr int kOverhang = 10;
} // namespace

void TqoGant_ComBasic::VisibleTimeWindow(TDateTime& from, TDateTime& to) {
    from = Start();
    to = Stop();
}

void TqoGant_ComBasic::DrawContent(TqoDataEntity_GantTime* item, const TRect& rect) {
    TCanvas& c = fGA->OffscreenCanvas();
    TqoDCSaver saver(c);
    const bool printing = fGA->IsPrinting();
    const double ys = fGA->Scaley();
    // On paper the area is as wide as it prints.
    const int width = Round(fGA->Width() * fGA->Scalex());
    TRect r = rect, texts = rect;
    r.Left = std::max(rect.Left, -kOverhang);
    r.Right = std::min(rect.Right, width + kOverhang);
    // Texts of an item that runs off a side stay inside the area.
    if (r.Left < -1) texts.Left = 0;
    if (r.Right > width + 1) texts.Right = width;
    const TColor color = item->Color();
    switch (item->Style()) {
    case gtsSquare: TqoTimeDraw::DrawTime(c, r, color); break;
    case gtsSpan: TqoTimeDraw::CoolOutline(c, r, color, ys); break;
    case gtsUser: UserDrawTime(item, r); break;
    case gtsLine: TqoTimeDraw::LineOutline(c, r, color, false, ys); break;
    case gtsLineWEnd: TqoTimeDraw::LineOutline(c, r, color, true, ys); break;
    case gtsWave: TqoTimeDraw::WaveOutline(c, r, color); break;
    case gtsRomb: TqoTimeDraw::RombOutline(c, r, color); break;
    case gtsImage: TqoTimeDraw::DrawImage(c, r, ImageList(), item->ImageIndex(), printing); break;
    case gtsPipe: TqoTimeDraw::DrawPipe(c, r, color); break;
    }
    c.Brush().Color = color;
    if (TqoTimeItemTextCollection* collection = item->MadeTextCollection())
        collection->DrawToCanvasInsideRect(texts, c, fGA->Scalex(), ys);
    if (printing) return;
    TGantRow* row = item->Row();
    if (!row) return;
    if (item->GetSelected() && row->Time_ItemsHasSelectHandles())
        TqoTimeDraw::DoSelectContent(c, r, row->TimeItems_SelectionColor());
    if (item == fActiveDataEntity && row->Time_ItemsHasFocusRect()) {
        c.Pen().Color = clBlack;
        c.Brush().Color = clGray;
        c.DrawFocusRect({r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2});
    }
}

// A host handler that raises loses only its own drawing: the rest of the
// chart is painted.
void TqoGant_ComBasic::UserDrawTime(TqoDataEntity_GantTime* item, const TRect& rect) {
    TCanvas& c = fGA->OffscreenCanvas();
    TqoDCSaver saver(c);
    try {
        OnUserDrawTime.Fire(this, item, c, rect);
    } catch (...) {
    }
}

} // namespace qo
