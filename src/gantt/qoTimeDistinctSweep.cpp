// The pairwise loop visits i from the last holder down and, for each i, its
// partners (the holders it conflicts with) from the last down: i is placed at
// its first partner, then every partner not yet placed, in that order. So the
// order of placement is: for each i from the last, i itself when it is not
// placed and has any partner, then its partners that are not placed, by
// falling index. The sweep finds those partners among the holders not yet
// placed with a tree of their stops ordered by start (each holder is found
// once, when it is placed), and whether i has any partner at all from two
// binary searches. A holder goes into the first sub-column where it overlaps
// nothing; the holders of a sub-column never overlap one another, so a
// sub-column is a map from start to stop and one look at the interval before
// the new stop tells whether it overlaps.
#include "gantt/qoTimeDistinctSweep.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <map>
#include <numeric>

namespace qo {

namespace {

constexpr double kGone = -std::numeric_limits<double>::infinity();

// The stops of the holders not yet placed, in the order of their starts,
// with the largest stop of every subtree.
class TUnplacedStops {
public:
    explicit TUnplacedStops(size_t count) {
        while (fSize < count) fSize *= 2;
        fMax.assign(2 * fSize, kGone);
    }
    void Put(size_t position, double stop) { fMax[fSize + position] = stop; }
    void Build() {
        for (size_t node = fSize - 1; node >= 1; --node) Pull(node);
    }
    void Remove(size_t position) {
        size_t node = fSize + position;
        fMax[node] = kGone;
        for (node /= 2; node >= 1; node /= 2) Pull(node);
    }
    // Takes out every position below end whose stop lies after `after`.
    void TakeAfter(size_t end, double after, std::vector<size_t>& taken) { Take(1, 0, fSize, end, after, taken); }

private:
    void Pull(size_t node) { fMax[node] = std::max(fMax[2 * node], fMax[2 * node + 1]); }
    void Take(size_t node, size_t lo, size_t hi, size_t end, double after, std::vector<size_t>& taken) {
        if (lo >= end || !(fMax[node] > after)) return;
        if (hi - lo == 1) {
            taken.push_back(lo);
            fMax[node] = kGone;
            return;
        }
        const size_t mid = (lo + hi) / 2;
        Take(2 * node, lo, mid, end, after, taken);
        Take(2 * node + 1, mid, hi, end, after, taken);
        Pull(node);
    }

    size_t fSize = 1;
    std::vector<double> fMax;
};

// The sub-columns of one quantity: start to stop of the holders in each.
class TSubColumns {
public:
    void Place(TDistinctTimeHolder& h) {
        for (size_t k = 0; k < fColumns.size(); ++k)
            if (!Overlaps(fColumns[k], h)) {
                fColumns[k].emplace(h.Start, h.Stop);
                h.DistinctPosition = int32_t(k + 1);
                return;
            }
        fColumns.emplace_back().emplace(h.Start, h.Stop);
        h.DistinctPosition = int32_t(fColumns.size());
    }

private:
    static bool Overlaps(const std::map<double, double>& column, const TDistinctTimeHolder& h) {
        auto before = column.lower_bound(h.Stop);
        return before != column.begin() && (--before)->second > h.Start;
    }
    std::vector<std::map<double, double>> fColumns;
};

} // namespace

bool SweepDistinctPositions(const std::vector<TDistinctTimeHolder*>& holders, const std::function<bool()>& cancelled) {
    const size_t n = holders.size();
    std::vector<size_t> byStart(n);
    std::iota(byStart.begin(), byStart.end(), size_t(0));
    std::sort(byStart.begin(), byStart.end(),
              [&](size_t a, size_t b) { return holders[a]->Start < holders[b]->Start || (holders[a]->Start == holders[b]->Start && a < b); });
    std::vector<double> starts(n), stops(n);
    std::vector<size_t> rank(n);
    TUnplacedStops unplaced(n);
    for (size_t k = 0; k < n; ++k) {
        const TDistinctTimeHolder& h = *holders[byStart[k]];
        starts[k] = h.Start;
        stops[k] = h.Stop;
        rank[byStart[k]] = k;
        if (h.DistinctPosition == 0) unplaced.Put(k, h.Stop);
    }
    unplaced.Build();
    std::sort(stops.begin(), stops.end());

    TSubColumns columns;
    std::vector<size_t> partners;
    for (size_t i = n; i-- > 0;) {
        if (cancelled()) return false;
        TDistinctTimeHolder& h = *holders[i];
        unplaced.Remove(rank[i]);
        // Overlapping i: a start before its stop, less those that stop before it starts.
        const size_t startBefore = size_t(std::lower_bound(starts.begin(), starts.end(), h.Stop) - starts.begin());
        partners.clear();
        unplaced.TakeAfter(startBefore, h.Start, partners);
        for (size_t& p : partners) p = byStart[p];
        std::sort(partners.begin(), partners.end(), std::greater<>());
        if (h.DistinctPosition == 0) {
            const size_t stopNotAfter = size_t(std::upper_bound(stops.begin(), stops.end(), h.Start) - stops.begin());
            if (!partners.empty() || startBefore - stopNotAfter > 1) columns.Place(h);
        }
        for (size_t p : partners) columns.Place(*holders[p]);
    }
    return true;
}

} // namespace qo
