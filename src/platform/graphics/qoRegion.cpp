#include "platform/graphics/qoRegion.h"

namespace qo {

TRect TqoRegion::Box() const {
    TRect box;
    for (const TRect& r : fRects) box = UnionRect(box, r);
    return box;
}

bool TqoRegion::Contains(TPoint p) const {
    for (const TRect& r : fRects)
        if (r.Contains(p)) return true;
    return false;
}

void TqoRegion::Union(const TRect& rect) {
    if (rect.IsEmpty()) return;
    Subtract(rect);
    fRects.push_back(rect);
}

void TqoRegion::Intersect(const TRect& rect) {
    std::vector<TRect> kept;
    for (const TRect& r : fRects) {
        const TRect cut = IntersectRect(r, rect);
        if (!cut.IsEmpty()) kept.push_back(cut);
    }
    fRects.swap(kept);
}

void TqoRegion::Intersect(const TqoRegion& other) {
    std::vector<TRect> kept;
    for (const TRect& a : fRects)
        for (const TRect& b : other.fRects) {
            const TRect cut = IntersectRect(a, b);
            if (!cut.IsEmpty()) kept.push_back(cut);
        }
    fRects.swap(kept);
}

void TqoRegion::Subtract(const TRect& hole) {
    std::vector<TRect> kept;
    for (const TRect& r : fRects) {
        const TRect cut = IntersectRect(r, hole);
        if (cut.IsEmpty()) {
            kept.push_back(r);
            continue;
        }
        // What is left of r: a band above, a band below, and the two sides of the cut.
        const TRect parts[] = {{r.Left, r.Top, r.Right, cut.Top},
                               {r.Left, cut.Bottom, r.Right, r.Bottom},
                               {r.Left, cut.Top, cut.Left, cut.Bottom},
                               {cut.Right, cut.Top, r.Right, cut.Bottom}};
        for (const TRect& p : parts)
            if (!p.IsEmpty()) kept.push_back(p);
    }
    fRects.swap(kept);
}

void TqoRegion::Offset(int32_t dx, int32_t dy) {
    for (TRect& r : fRects) r = r.Offset(dx, dy);
}

} // namespace qo
