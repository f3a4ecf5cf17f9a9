#include "platform/graphics/qoCoverage.h"

#include "platform/core/qoRounding.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace qo {

void TqoCoverage::Reset(const TRect& bounds) {
    fBounds = bounds.IsEmpty() ? TRect{} : bounds;
    fSpans.clear();
}

void TqoCoverage::SetSpan(int32_t y, int32_t x0, int32_t x1) {
    if (y < fBounds.Top || y >= fBounds.Bottom) return;
    x0 = std::max(x0, fBounds.Left);
    x1 = std::min(x1, fBounds.Right);
    if (x0 < x1) fSpans.push_back({y, x0, x1});
}

void TqoCoverage::SetRect(const TRect& r) {
    const int32_t top = std::max(r.Top, fBounds.Top), bottom = std::min(r.Bottom, fBounds.Bottom);
    for (int32_t y = top; y < bottom; ++y) SetSpan(y, r.Left, r.Right);
}

void TqoCoverage::AddDisk(TPoint c, int32_t w) {
    // Pixels whose centres lie within the pen's circle, centred between pixels
    // for even widths: (2dx + e)^2 + (2dy + e)^2 <= w (w - 1).
    const int64_t e = (w + 1) % 2, limit = int64_t(w) * (w - 1);
    const int64_t top = std::max<int64_t>(-(w / 2), int64_t(fBounds.Top) - c.Y),
                  bottom = std::min<int64_t>((w - 1) / 2, int64_t(fBounds.Bottom) - 1 - c.Y);
    for (int64_t dy = top; dy <= bottom; ++dy) {
        const int64_t yy = (2 * dy + e) * (2 * dy + e);
        // The last offset to the right: the largest dx with (2dx + e)^2 <= limit - yy.
        int64_t dx = std::max<int64_t>(0, int64_t((std::sqrt(double(limit - yy)) - e) / 2) - 1);
        while ((2 * (dx + 1) + e) * (2 * (dx + 1) + e) + yy <= limit) ++dx;
        // The row is symmetric about -e/2.
        SetSpan(int32_t(c.Y + dy), int32_t(std::max<int64_t>(c.X - dx - e, INT32_MIN)),
                int32_t(std::min<int64_t>(c.X + dx + 1, INT32_MAX)));
    }
}

void TqoCoverage::AddWideSegment(TPoint a, TPoint b, int32_t w) {
    // Ends within the bounds keep the arithmetic below clear of overflow.
    auto cut = [this](TPoint p) {
        return TPoint{std::clamp(p.X, fBounds.Left - 1, fBounds.Right),
                      std::clamp(p.Y, fBounds.Top - 1, fBounds.Bottom)};
    };
    if (a.Y == b.Y) {
        const TPoint l = cut(a.X < b.X ? a : b), r = cut(a.X < b.X ? b : a);
        SetRect({l.X, a.Y - w / 2, r.X + 1, a.Y + (w - 1) / 2 + 1});
    } else if (a.X == b.X) {
        const TPoint t = cut(a.Y < b.Y ? a : b), d = cut(a.Y < b.Y ? b : a);
        SetRect({a.X - w / 2, t.Y, a.X + (w - 1) / 2 + 1, d.Y + 1});
    } else {
        // The band of the segment: its sides are offset by the half-widths of
        // the pen across each axis, the wider half rounded up on one side.
        const double ddx = double(b.X) - a.X, ddy = double(b.Y) - a.Y, len = std::hypot(ddx, ddy);
        const double wx = w * std::abs(ddy) / len, wy = w * std::abs(ddx) / len;
        TPoint narrow{Round(wx / 2), Round(wy / 2)}, wide{Round((wx + 1) / 2), Round((wy + 1) / 2)};
        if (b.X < a.X) narrow.Y = -narrow.Y, wide.Y = -wide.Y;
        if (b.Y < a.Y) {
            std::swap(narrow, wide);
            narrow.X = -narrow.X, wide.X = -wide.X;
        }
        const TqoPointF quad[] = {{double(a.X) - narrow.X, double(a.Y) + narrow.Y},
                                  {double(a.X) + wide.X, double(a.Y) - wide.Y},
                                  {double(b.X) + wide.X, double(b.Y) - wide.Y},
                                  {double(b.X) - narrow.X, double(b.Y) + narrow.Y}};
        AddPolygon(quad);
    }
    AddDisk(a, w);
    AddDisk(b, w);
}

void TqoCoverage::AddPolygon(std::span<const TPoint> points, TPoint offset) {
    fPoints.clear();
    for (const TPoint& p : points) fPoints.push_back({double(p.X + offset.X), double(p.Y + offset.Y)});
    AddPolygon(fPoints);
}

void TqoCoverage::AddPolygon(std::span<const TqoPointF> points) {
    if (points.size() < 3) return;
    double top = points[0].Y, bottom = top;
    for (const TqoPointF& p : points) top = std::min(top, p.Y), bottom = std::max(bottom, p.Y);
    const int32_t y0 = std::max(fBounds.Top, int32_t(std::ceil(top))),
                  y1 = std::min(fBounds.Bottom, int32_t(std::ceil(bottom)));
    std::vector<double>& xs = fCrossings;
    for (int32_t y = y0; y < y1; ++y) {
        xs.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const TqoPointF& p = points[i];
            const TqoPointF& q = points[(i + 1) % points.size()];
            if (p.Y == q.Y || y < std::min(p.Y, q.Y) || y >= std::max(p.Y, q.Y)) continue;
            xs.push_back(p.X + (y - p.Y) * (q.X - p.X) / (q.Y - p.Y));
        }
        std::sort(xs.begin(), xs.end());
        // Pixels whose centres lie in [xa, xb).
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            SetSpan(y, int32_t(std::ceil(xs[i] - 1e-9)), int32_t(std::ceil(xs[i + 1] - 1e-9)));
    }
}

void TqoCoverage::Paint(TqoDC& dc, const TqoInk& ink) {
    auto before = [](const TSpan& a, const TSpan& b) { return a.Y != b.Y ? a.Y < b.Y : a.X0 < b.X0; };
    if (!std::is_sorted(fSpans.begin(), fSpans.end(), before))
        std::sort(fSpans.begin(), fSpans.end(), before);
    const std::vector<TRect>& visible = dc.VisibleRects();
    auto paint = [&](const TSpan& s) {
        for (const TRect& r : visible)
            if (s.Y >= r.Top && s.Y < r.Bottom && std::max(s.X0, r.Left) < std::min(s.X1, r.Right))
                PaintSpan(dc.Raster(), s.Y, std::max(s.X0, r.Left), std::min(s.X1, r.Right), ink);
    };
    // Overlapping and touching spans of a row are painted as one.
    for (size_t i = 0; i < fSpans.size();) {
        TSpan run = fSpans[i++];
        while (i < fSpans.size() && fSpans[i].Y == run.Y && fSpans[i].X0 <= run.X1)
            run.X1 = std::max(run.X1, fSpans[i++].X1);
        paint(run);
    }
}

} // namespace qo
