#pragma once
// The texts of one time item: each has an offset, one of the host's three text
// styles (the chart turns a style into a font) and a placement on each axis,
// inside the item's rectangle (cut at its edges) or beside it (uncut). The
// placement is a pure computation, so the item painting and its tests share it.
#include "platform/core/qoEvents.h"
#include "platform/core/qoGeometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qo {

class TCanvas;
class TqoTimeItemTextCollection;

// Where a text goes on one axis: inside the item, before it (left or above)
// or after it (right or below).
enum TTextRectPlace : int32_t { trpInside = 0, trpOutsideNear = 1, trpOutsideFar = 2 };

using TOnTimeItemTextStyleSet = TqoEvent<void(TqoTimeItemTextCollection* sender, TCanvas& canvas, int32_t style)>;

class TqoTimeItemText {
public:
    TqoTimeItemText(std::string text, TPoint pos, int32_t style, TTextRectPlace placeX, TTextRectPlace placeY)
        : FStyle(style), FText(std::move(text)), FPos(pos), fTextRectPlaceY(placeY), fTextRectPlaceX(placeX) {}

    int32_t Style() const { return FStyle; }
    void SetStyle(int32_t value) { FStyle = value; }
    const std::string& Text() const { return FText; }
    void SetText(std::string value) { FText = std::move(value); }
    // Offset in screen pixels from the corner the placement measures from.
    TPoint Pos() const { return FPos; }
    void SetPos(TPoint value) { FPos = value; }
    TTextRectPlace TextRectPlaceX() const { return fTextRectPlaceX; }
    void SetTextRectPlaceX(TTextRectPlace value) { fTextRectPlaceX = value; }
    TTextRectPlace TextRectPlaceY() const { return fTextRectPlaceY; }
    void SetTextRectPlaceY(TTextRectPlace value) { fTextRectPlaceY = value; }

private:
    int32_t FStyle;
    std::string FText;
    TPoint FPos;
    TTextRectPlace fTextRectPlaceY;
    TTextRectPlace fTextRectPlaceX;
};

// Where one text is drawn for an item's text rectangle: its area starts at
// the text's top left corner; Clip tells whether the text is cut to the area.
struct TTimeItemTextPlacement {
    TRect Area;
    bool Clip = true;
    bool Empty() const { return Area.Left >= Area.Right || Area.Top >= Area.Bottom; }
};

// The area of a text of size textSize at offset pos (already scaled) for the
// item's text rectangle itemRect.
TTimeItemTextPlacement PlaceTimeItemText(const TRect& itemRect, TPoint pos, TSize textSize, TTextRectPlace placeX,
                                         TTextRectPlace placeY);

class TqoTimeItemTextCollection {
public:
    TqoTimeItemTextCollection() = default;
    TqoTimeItemTextCollection(const TqoTimeItemTextCollection&) = delete;
    TqoTimeItemTextCollection& operator=(const TqoTimeItemTextCollection&) = delete;

    void AddText(std::string text, int32_t x, int32_t y, int32_t style);
    void AddTextEx(std::string text, int32_t x, int32_t y, int32_t style, TTextRectPlace placeX,
                   TTextRectPlace placeY);
    // EListError for an index outside 0 .. Count - 1.
    void DropText(int32_t index);
    int32_t GetCount() const { return int32_t(fTexts.size()); }
    int32_t Count() const { return GetCount(); }
    TqoTimeItemText& GetTimeItemText(int32_t index) const;
    TqoTimeItemText& Text(int32_t index) const { return GetTimeItemText(index); }

    // Called before each text is drawn, to put the text's font into the canvas.
    const TOnTimeItemTextStyleSet& OnStyleSet() const { return fOnStyleSet; }
    void SetOnStyleSet(TOnTimeItemTextStyleSet handler) { fOnStyleSet = std::move(handler); }

    // Draws every non-empty text for the item's text rectangle; offsets are
    // scaled by sx and sy (the print scales, 1 on screen).
    void DrawToCanvasInsideRect(const TRect& rect, TCanvas& canvas, double sx, double sy);

private:
    void DrawText(const TqoTimeItemText& text, const TRect& rect, TCanvas& canvas, double sx, double sy);
    void CheckIndex(int32_t index) const;

    TOnTimeItemTextStyleSet fOnStyleSet;
    std::vector<std::unique_ptr<TqoTimeItemText>> fTexts;
};

} // namespace qo
