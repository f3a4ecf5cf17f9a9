#include "gantt/qoGantLinkIndex.h"

#include "gantt/qoGantRow.h"
#include "gantt/qoLink.h"

#include <algorithm>
#include <map>

namespace qo {

namespace {

// The power-of-two class of a band's height.
int HeightExponent(int height) {
    int exponent = 0;
    while (exponent < 31 && (1 << exponent) < height) ++exponent;
    return exponent;
}

// The band of the item's row, when the row shows.
bool BandOf(IGantRowSource& rows, const TqoDataEntity_GantTime* item, TRect& band) {
    const TGantRow* row = item ? item->Row() : nullptr;
    if (!row || !rows.RowVisible(*row)) return false;
    band = rows.RowBand(*row);
    return band.Bottom != -1;
}

} // namespace

void TGantLinkIndex::Clear() {
    fBuilt = false;
    fClasses.clear();
    fAnchor = nullptr;
}

// Reading a band may bring the header up to date and run code that clears
// the index: it is filled only once every band was read.
void TGantLinkIndex::Build(TqoDataList& links, IGantRowSource& rows) {
    const int32_t count = links.Count();
    std::map<int, TSpanClass> classes;
    TqoDataEntity_Link* anchor = nullptr;
    TRect anchorBand;
    int widestPen = 0;
    for (int32_t i = 0; i < count; ++i) {
        auto* link = dynamic_cast<TqoDataEntity_Link*>(links.Items(i));
        TRect s, e;
        if (!link || !BandOf(rows, link->LinkOwner(), s) || !BandOf(rows, link->LinkedTo(), e)) continue;
        if (!anchor) anchor = link, anchorBand = s;
        widestPen = std::max(widestPen, int(link->LinkPenWidth()));
        const TEntry entry{std::min(s.Top, e.Top), std::max(s.Bottom, e.Bottom), link->LinkOwner()->Stop(),
                           link->LinkedTo()->Start(), i, link};
        TSpanClass& c = classes[HeightExponent(entry.Bottom - entry.Top)];
        c.Reach = std::max(c.Reach, entry.Bottom - entry.Top);
        c.ByTop.push_back(entry);
    }
    Clear();
    for (auto& [exponent, c] : classes) {
        std::sort(c.ByTop.begin(), c.ByTop.end(), [](const TEntry& x, const TEntry& y) { return x.Top < y.Top; });
        fClasses.push_back(std::move(c));
    }
    fList = &links;
    fSource = &rows;
    fCount = count;
    fAnchor = anchor;
    fAnchorTop = anchorBand.Top;
    fAnchorHeight = anchorBand.Height();
    fWidestPen = widestPen;
    fBuilt = true;
}

bool TGantLinkIndex::Shift(IGantRowSource& rows, int& shift) const {
    shift = 0;
    if (!fAnchor) return true;
    TRect band;
    if (!BandOf(rows, fAnchor->LinkOwner(), band) || band.Height() != fAnchorHeight) return false;
    shift = band.Top - fAnchorTop;
    return true;
}

void TGantLinkIndex::Collect(TqoDataList& links, IGantRowSource& rows, int top, int bottom, TDateTime from,
                             TDateTime to, std::vector<TqoDataEntity_Link*>& out) {
    int shift = 0;
    if (!fBuilt || fList != &links || fSource != &rows || fCount != links.Count() || !Shift(rows, shift))
        Build(links, rows);
    // The query moves back to where the bands were when built.
    top -= shift;
    bottom -= shift;
    std::vector<const TEntry*> found;
    for (const TSpanClass& c : fClasses) {
        const auto first = std::lower_bound(c.ByTop.begin(), c.ByTop.end(), top - c.Reach,
                                            [](const TEntry& e, int y) { return e.Top < y; });
        for (auto e = first; e != c.ByTop.end() && e->Top < bottom; ++e) {
            const bool bothBefore = e->OwnerStop < from && e->TargetStart < from;
            const bool bothAfter = e->OwnerStop > to && e->TargetStart > to;
            if (e->Bottom > top && !bothBefore && !bothAfter) found.push_back(&*e);
        }
    }
    std::sort(found.begin(), found.end(), [](const TEntry* x, const TEntry* y) { return x->Position < y->Position; });
    for (const TEntry* e : found) out.push_back(e->Link);
}

} // namespace qo
