// A row's band and the rectangles of its items: the band comes from the row
// header, the horizontal extent from the owner's time mapping.
#include "data/qoDataTraveser.h"
#include "gantt/qoGantRowTimeIndex.h"
#include "gantt/qoGantRow.h"
#include "gantt/qoGantRowList.h"
#include "platform/core/qoRounding.h"

#include <algorithm>

namespace qo {

namespace {
constexpr TRect kNoRect{-1, -1, -1, -1};
// Items are never narrower than this, whatever their times.
constexpr int kMinItemWidth = 5;
// A row with more items than this keeps them ordered by time for painting.
constexpr int32_t kIndexedItems = 32;
} // namespace

// The band is asked of the header first, then kept: the header may call back.
void TGantRow::UpdateRect() {
    IGantRowSource* source = RowTypeCheckOK() ? Gant()->RowSource() : nullptr;
    const TRect band = source ? source->RowBand(*this) : kNoRect;
    TGantRowList::TRowBand kept;
    if (band.Bottom != -1) {
        if (fNode && !fNodeIsGrid && band.Bottom - band.Top > 0) Gant()->SetRowHeight(band.Bottom - band.Top);
        const int offset = Gant() ? Gant()->RowDrawOffset() : 0;
        kept = {band.Top - offset, band.Bottom - offset, true};
    }
    if (fGantRowList) fGantRowList->fBands[this] = kept;
}

TRect TGantRow::BandRect(int32_t top, int32_t bottom, bool has) const {
    IGantRowOwner* gant = has ? Gant() : nullptr;
    return gant ? TRect{0, top, gant->ChartWidth(), bottom} : kNoRect;
}

TRect TGantRow::Band() const {
    const TGantRowList::TRowBand* band = fGantRowList ? fGantRowList->CachedBand(this) : nullptr;
    return band ? BandRect(band->Top, band->Bottom, band->Has) : kNoRect;
}

TRect TGantRow::GetRect() {
    const TGantRowList::TRowBand* band = fGantRowList ? fGantRowList->CachedBand(this) : nullptr;
    if (band) return BandRect(band->Top, band->Bottom, band->Has);
    UpdateRect();
    return Band();
}

bool TGantRow::GetVisible() {
    IGantRowSource* source = RowTypeCheckOK() ? Gant()->RowSource() : nullptr;
    return source && source->RowVisible(*this);
}

bool TGantRow::XStartStopFromDataEntity(TqoDataEntity_GantTime* item, int& x1, int& x2) {
    x1 = x2 = -1;
    if (!Gant() || !item) return false;
    if (item->IsResizable()) {
        x1 = Gant()->DateToPixel(item->Start());
        x2 = Gant()->DateToPixel(item->Stop());
    } else {
        x1 = Gant()->DateToPixel(item->Start()) - item->FixedSize() / 2;
        x2 = x1 + item->FixedSize();
    }
    if (Gant()->ChartPrinting()) {
        x1 = Round(x1 * Gant()->ChartScalex());
        x2 = Round(x2 * Gant()->ChartScalex());
    }
    return true;
}

// -1 for the full height: no sub-columns, an item that collision detection
// left alone, a layer beyond the sub-column table, or a sub-column the row
// does not have.
int32_t TGantRow::SubColumnOf(TqoDataEntity_GantTime* item) const {
    if (SubColCount() <= 1) return -1;
    int32_t a = -1;
    if (fCollisionDetection || !fDataListOnSubColUse) {
        a = item->SubCol() - 1;
    } else if (const int32_t layer = fDataListList ? fDataListList->IndexOf(item->OwningDataList()) : -1;
               layer >= 0 && layer < kSubColLayers) {
        a = SubColOfLayer(layer);
    }
    return a >= 0 && a < SubColCount() ? a : -1;
}

bool TGantRow::YStartStopFromDataEntity(TqoDataEntity_GantTime* item, int& y1, int& y2) {
    const TRect rect = GetRect();
    const bool ok = item && rect.Top != -1 && GetVisible();
    y1 = rect.Top + 1;
    y2 = rect.Bottom - 1;
    if (const int32_t a = item ? SubColumnOf(item) : -1; a >= 0) {
        const int h = (y2 - y1) / SubColCount();
        y2 = y1 + h * (a + 1);
        y1 = y1 + h * a;
    }
    // Bands are screen pixels in either mode; on paper they scale.
    if (ok && Gant()->ChartPrinting()) {
        y1 = Round(y1 * Gant()->ChartScaley());
        y2 = Round(y2 * Gant()->ChartScaley());
    }
    return ok;
}

bool TGantRow::RectFromDataEntity(TqoDataEntity_GantTime* item, TRect& rect) {
    rect = kNoRect;
    if (!item || item->Row() != this || !item->GetVisible()) return false;
    int x1, x2, y1, y2;
    if (!XStartStopFromDataEntity(item, x1, x2) || !YStartStopFromDataEntity(item, y1, y2)) return false;
    const double s = Gant()->ChartPrinting() ? Gant()->ChartScaley() : 1.0;
    rect.Left = x1;
    rect.Right = std::max(x2, x1 + kMinItemWidth);
    rect.Top = y1 + Round(item->TopInset() * s);
    rect.Bottom = std::max(y2 - Round(item->BottomInset() * s), rect.Top);
    return true;
}

TqoDataEntity_GantTime* TGantRow::FindDataEntityFromXY(int x, int y) {
    TDataListTrav trav = TDataListTrav::CreateMultiWithMidStart(fDataListList, DrawLayerStart());
    TRect rect;
    for (trav.Last(); !trav.BOF(); trav.Prev()) {
        auto* item = static_cast<TqoDataEntity_GantTime*>(trav.DataEntity());
        if (RectFromDataEntity(item, rect) && rect.Contains({x, y})) return item;
    }
    return nullptr;
}

void TGantRow::TimeItemsChanged() {
    if (fRare) fRare->TimeIndex.reset();
}

// A few items are all looked at, the painter tests each; of many, only
// those the time index finds near the visible window.
void TGantRow::CollectDrawPositions(std::vector<TGantRowTimeIndex::TPosition>& positions) {
    const int32_t n = fDataListList->Count();
    int32_t items = 0;
    for (int32_t l = 0; l < n && items <= kIndexedItems; ++l) items += fDataListList->Member(l)->Count();
    if (items > kIndexedItems) {
        TDateTime from = 0, to = 0;
        Gant()->VisibleTimeWindow(from, to);
        std::unique_ptr<TGantRowTimeIndex>& index = Rare().TimeIndex;
        if (!index) index = std::make_unique<TGantRowTimeIndex>();
        index->Collect(*fDataListList, DrawLayerStart(), from, to, positions);
        return;
    }
    const int32_t start = n > 0 ? TGantRowTimeIndex::WrapLayer(DrawLayerStart(), n) : 0;
    for (int32_t k = 0; k < n; ++k) {
        const int32_t l = (start + k) % n;
        for (int32_t i = 0, count = fDataListList->Member(l)->Count(); i < count; ++i) positions.push_back({l, i});
    }
}

// Drawing may run host code that frees items, layers or the row: they stay
// in memory until the end, an item no longer in the row is skipped, and the
// walk stops once the row was freed.
void TGantRow::DrawContent() {
    if (!fDataListList) return;
    std::vector<TGantRowTimeIndex::TPosition> positions;
    CollectDrawPositions(positions);
    std::vector<TqoExposable*> held{this};
    std::vector<TqoDataEntity_GantTime*> items;
    items.reserve(positions.size());
    for (const auto& p : positions)
        if (auto* item = static_cast<TqoDataEntity_GantTime*>(fDataListList->Member(p.Layer)->Items(p.Index))) {
            items.push_back(item);
            held.push_back(item);
        }
    for (int32_t i = 0; i < fDataListList->Count(); ++i) held.push_back(fDataListList->Member(i));
    TqoKeepAlive<TqoExposable> keep(std::move(held));
    TRect rect;
    for (TqoDataEntity_GantTime* item : items) {
        if (!Gant()) break;
        if (Gant()->IsTimeVisible(item) && RectFromDataEntity(item, rect)) Gant()->DrawTimeItem(item, rect);
    }
}

} // namespace qo
