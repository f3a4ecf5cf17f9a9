#pragma once
// A clip region as a list of disjoint rectangles, in device coordinates.
#include "platform/core/qoGeometry.h"

#include <vector>

namespace qo {

class TqoRegion {
public:
    TqoRegion() = default;
    explicit TqoRegion(const TRect& rect) { Union(rect); }

    const std::vector<TRect>& Rects() const { return fRects; }
    bool IsEmpty() const { return fRects.empty(); }
    // The smallest rectangle holding the region; all zero when empty.
    TRect Box() const;
    bool Contains(TPoint p) const;

    void Union(const TRect& rect);
    void Intersect(const TRect& rect);
    void Intersect(const TqoRegion& other);
    void Subtract(const TRect& rect);
    void Offset(int32_t dx, int32_t dy);

    friend bool operator==(const TqoRegion&, const TqoRegion&) = default;

private:
    std::vector<TRect> fRects;
};

} // namespace qo
