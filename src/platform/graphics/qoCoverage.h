#pragma once
// The pixels of a shape whose parts overlap (wide pens, polygon interiors),
// gathered as row spans so that every pixel is painted exactly once. Its cost
// follows the spans, not the shape's bounding box, and a canvas keeps one for
// all its shapes so that small shapes allocate nothing.
#include "platform/graphics/qoPaint.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <span>
#include <vector>

namespace qo {

struct TqoPointF {
    double X = 0, Y = 0;
};

class TqoCoverage {
public:
    // Starts a shape: pixels outside `bounds` (device coordinates) are dropped.
    void Reset(const TRect& bounds);

    void SetSpan(int32_t y, int32_t x0, int32_t x1);
    void SetRect(const TRect& r);
    // A pen of width w > 1 along a..b with round ends.
    void AddWideSegment(TPoint a, TPoint b, int32_t w);
    void AddDisk(TPoint centre, int32_t w);
    // Alternate (even-odd) fill of a closed polygon.
    void AddPolygon(std::span<const TqoPointF> points);
    void AddPolygon(std::span<const TPoint> points, TPoint offset);

    // Paints the union of the spans, clipped; the spans are sorted in place.
    void Paint(TqoDC& dc, const TqoInk& ink);

private:
    struct TSpan {
        int32_t Y, X0, X1;
    };
    TRect fBounds;
    std::vector<TSpan> fSpans;
    std::vector<double> fCrossings;
    std::vector<TqoPointF> fPoints;
};

// 1 where a line of this direction steps its minor axis on an exact tie.
constexpr int32_t LineTieBias(int64_t dx, int64_t dy) {
    int32_t octant;
    if (dy > 0)
        octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
    else
        octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
    return octant == 3 || octant == 5 || octant == 6 || octant == 8 ? 1 : 0;
}

// floor((a * b + c) / d) for a, b >= 0 and d > 0, or -1 when a * b + c < 0.
// Exact where a * b needs more than 64 bits (a line from far outside the
// clip), on every target: the quotient must fit in 64 bits.
inline int64_t MulAddDivFloor(int64_t a, int64_t b, int64_t c, int64_t d) {
    if (a == 0 || b <= (INT64_MAX - std::max<int64_t>(c, 0)) / a) {
        const int64_t sum = a * b + c;
        return sum < 0 ? -1 : sum / d;
    }
    // The product as two 64-bit halves, from 32-bit pieces.
    const uint64_t a0 = uint64_t(a) & 0xFFFFFFFFu, a1 = uint64_t(a) >> 32;
    const uint64_t b0 = uint64_t(b) & 0xFFFFFFFFu, b1 = uint64_t(b) >> 32;
    const uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0;
    const uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    uint64_t low = (middle << 32) | (p00 & 0xFFFFFFFFu);
    uint64_t high = a1 * b1 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
    // Here a * b > INT64_MAX - c: c < 0 is all that can make the sum negative.
    const uint64_t magnitude = c < 0 ? 0 - uint64_t(c) : uint64_t(c);
    if (c >= 0) {
        low += magnitude;
        high += low < magnitude;
    } else {
        if (low < magnitude && high == 0) return -1;
        high -= low < magnitude;
        low -= magnitude;
    }
    assert(high < uint64_t(d) && "the quotient fits in 64 bits");
    // Long division, one bit at a time; the remainder stays below d < 2^63.
    uint64_t remainder = high, quotient = 0;
    for (int bit = 63; bit >= 0; --bit) {
        remainder = (remainder << 1) | ((low >> bit) & 1);
        quotient <<= 1;
        if (remainder >= uint64_t(d)) {
            remainder -= uint64_t(d);
            quotient |= 1;
        }
    }
    return int64_t(quotient);
}

// Steps through the pixels of a one-pixel line from a towards b, excluding b,
// with the tie rule of GDI's line drawing, calling plot(x, y, step). Only the
// steps that land inside `box` are visited, so that a line running far outside
// costs what its visible part costs; the pixels are those of the whole line.
template <class Plot> void ForEachLinePixel(TPoint a, TPoint b, const TRect& box, Plot&& plot) {
    const int64_t dx = int64_t(b.X) - a.X, dy = int64_t(b.Y) - a.Y;
    const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx > ady;
    const int64_t major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const int64_t majorInc = (xMajor ? dx : dy) < 0 ? -1 : 1, minorInc = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t majorAt = xMajor ? a.X : a.Y, minorAt = xMajor ? a.Y : a.X;
    const int64_t tie = LineTieBias(dx, dy);
    if (major == 0 || box.IsEmpty()) return;
    // Minor steps taken during the first k major steps, in closed form.
    auto minorSteps = [&](int64_t k) -> int64_t {
        if (k <= 0) return 0;
        const int64_t quotient = MulAddDivFloor(2 * minor, k - 1, 2 * minor - major + tie - 1, 2 * major);
        return quotient < 0 ? 0 : quotient + 1;
    };
    auto minorOf = [&](int64_t k) { return minorAt + minorInc * minorSteps(k); };
    const int64_t lo0 = xMajor ? box.Left : box.Top, hi0 = xMajor ? box.Right : box.Bottom;
    const int64_t lo1 = xMajor ? box.Top : box.Left, hi1 = xMajor ? box.Bottom : box.Right;
    // Steps whose major coordinate lies inside the box.
    int64_t first = majorInc > 0 ? lo0 - majorAt : majorAt - hi0 + 1;
    int64_t last = majorInc > 0 ? hi0 - majorAt : majorAt - lo0 + 1;
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, major);
    // The minor coordinate moves one way only: cut the range where it is inside too.
    auto firstStep = [&](int64_t from, int64_t to, auto&& reached) {
        while (from < to) {
            const int64_t mid = from + (to - from) / 2;
            if (reached(minorOf(mid)))
                to = mid;
            else
                from = mid + 1;
        }
        return from;
    };
    if (minorInc > 0) {
        first = firstStep(first, last, [&](int64_t m) { return m >= lo1; });
        last = firstStep(first, last, [&](int64_t m) { return m >= hi1; });
    } else {
        first = firstStep(first, last, [&](int64_t m) { return m < hi1; });
        last = firstStep(first, last, [&](int64_t m) { return m < lo1; });
    }
    if (first >= last) return;
    // The error term after `first` steps stays within a step's size, but its
    // parts need not: wrapping arithmetic gives it exactly.
    int64_t err = int64_t(uint64_t(2 * minor - major) + uint64_t(2 * minor) * uint64_t(first) -
                          uint64_t(2 * major) * uint64_t(minorSteps(first)));
    int64_t mj = majorAt + majorInc * first, mn = minorOf(first);
    for (int64_t k = first; k < last; ++k) {
        plot(int32_t(xMajor ? mj : mn), int32_t(xMajor ? mn : mj), k);
        if (err + tie > 0) {
            mn += minorInc;
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
        mj += majorInc;
    }
}

} // namespace qo
