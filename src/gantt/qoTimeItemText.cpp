#include "gantt/qoTimeItemText.h"

#include "platform/core/qoErrors.h"
#include "platform/core/qoRounding.h"
#include "platform/graphics/qoCanvas.h"
#include "platform/graphics/qoDCSaver.h"

namespace qo {

namespace {

struct TSpan {
    int32_t Low, High, Offset;
};

// One axis: outside near, the span of the same length just before the item,
// with the offset turned so that the text ends that far before it; outside
// far, the span just after it.
TSpan PlaceOnAxis(int32_t low, int32_t high, int32_t offset, int32_t textLength, TTextRectPlace place) {
    switch (place) {
    case trpOutsideNear:
        return {2 * low - high, low, (high - low) - textLength - offset};
    case trpOutsideFar:
        return {high, 2 * high - low, offset};
    case trpInside:
    default:
        return {low, high, offset};
    }
}

} // namespace

TTimeItemTextPlacement PlaceTimeItemText(const TRect& itemRect, TPoint pos, TSize textSize, TTextRectPlace placeX,
                                         TTextRectPlace placeY) {
    const TSpan x = PlaceOnAxis(itemRect.Left, itemRect.Right, pos.X, textSize.cx, placeX);
    const TSpan y = PlaceOnAxis(itemRect.Top, itemRect.Bottom, pos.Y, textSize.cy, placeY);
    TTimeItemTextPlacement placement;
    // The item's last pixel column and row are its frame: an inside text stops before them.
    placement.Area = {x.Low + x.Offset, y.Low + y.Offset, x.High - 1, y.High - 1};
    placement.Clip = placeX == trpInside && placeY == trpInside;
    return placement;
}

void TqoTimeItemTextCollection::AddText(std::string text, int32_t x, int32_t y, int32_t style) {
    AddTextEx(std::move(text), x, y, style, trpInside, trpInside);
}

void TqoTimeItemTextCollection::AddTextEx(std::string text, int32_t x, int32_t y, int32_t style,
                                          TTextRectPlace placeX, TTextRectPlace placeY) {
    fTexts.push_back(std::make_unique<TqoTimeItemText>(std::move(text), TPoint{x, y}, style, placeX, placeY));
}

void TqoTimeItemTextCollection::CheckIndex(int32_t index) const {
    if (index < 0 || index >= GetCount()) throw EListError(index);
}

void TqoTimeItemTextCollection::DropText(int32_t index) {
    CheckIndex(index);
    fTexts.erase(fTexts.begin() + index);
}

TqoTimeItemText& TqoTimeItemTextCollection::GetTimeItemText(int32_t index) const {
    CheckIndex(index);
    return *fTexts[size_t(index)];
}

void TqoTimeItemTextCollection::DrawToCanvasInsideRect(const TRect& rect, TCanvas& canvas, double sx, double sy) {
    // The style handler is host code that may change the list: each text is
    // drawn from a copy, and the count is read again each time.
    for (size_t i = 0; i < fTexts.size(); ++i) {
        if (fTexts[i]->Text().empty()) continue;
        const TqoTimeItemText text = *fTexts[i];
        DrawText(text, rect, canvas, sx, sy);
    }
}

void TqoTimeItemTextCollection::DrawText(const TqoTimeItemText& text, const TRect& rect, TCanvas& canvas, double sx,
                                         double sy) {
    const TqoDCSaver saved(canvas);
    fOnStyleSet.Fire(this, canvas, text.Style());
    const TPoint offset{Round(text.Pos().X * sx), Round(text.Pos().Y * sy)};
    const TTimeItemTextPlacement placement =
        PlaceTimeItemText(rect, offset, canvas.TextExtent(text.Text()), text.TextRectPlaceX(), text.TextRectPlaceY());
    if (placement.Empty()) return;
    canvas.Brush().Style = TBrushStyle::bsClear;
    if (placement.Clip) canvas.Handle()->IntersectClipRect(placement.Area);
    canvas.TextOut(placement.Area.Left, placement.Area.Top, text.Text());
}

} // namespace qo
