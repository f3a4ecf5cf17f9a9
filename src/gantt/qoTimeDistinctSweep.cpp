// The pairwise loop visits i from the last holder down and, for each i, its
// partners (the holders it conflicts with) from the last down: i is placed at
// its first partner, then every partner not yet placed, in that order. So the
// order of placement is: for each i from the last, i itself when it is not
// placed and has any partner, then its partners that are not placed, by
// falling index. The sweep finds those partners among the holders not yet
// placed with a tree of their stops ordered by start (each holder is found
// once, when it is placed), and whether i has any partner at all from counts
// made in one pass over the starts and the stops. A holder goes into the first sub-column where it overlaps
// nothing, found from the sub-columns that meet the starts it covers.
#include "gantt/qoTimeDistinctSweep.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstddef>
#include <limits>
#include <map>
#include <utility>
#include <vector>

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
        if (fMax[node] == kGone) return;
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

// The sub-columns of one quantity, over the holders' starts in order: a
// holder covers the starts [lo, hi) that lie in its interval. The first 64
// sub-columns are bits in a tree over the starts, bottom up: the nodes that
// make up [lo, hi) keep the bits of the holders that cover them whole
// (Whole) and, like every node above them, of those that cover anything
// below (Below), so that the sub-columns a holder meets are the Below bits
// of its own nodes and the Whole bits on the two paths above them. Sub-columns
// beyond 64 (rows no one can read) are maps from lo to hi, looked at in turn.
class TSubColumns {
public:
    // A whole tree (a power of two of starts): a node above a holder's own
    // nodes then always lies on one of the two paths.
    explicit TSubColumns(size_t count) {
        while (fSize < count) fSize *= 2;
        fNodes.resize(2 * fSize);
    }
    // The position (sub-column + 1) of a holder covering [lo, hi).
    int32_t Place(size_t lo, size_t hi) {
        if (const uint64_t free = ~Met(lo, hi)) {
            const int k = std::countr_zero(free);
            Mark(lo, hi, uint64_t(1) << k);
            fCount = std::max(fCount, size_t(k) + 1);
            return k + 1;
        }
        size_t k = kBits;
        while (k < fCount && Overlaps(fBeyond[k - kBits], lo, hi)) ++k;
        if (k == fCount) {
            fBeyond.emplace_back();
            ++fCount;
        }
        fBeyond[k - kBits].emplace(lo, hi);
        return int32_t(k + 1);
    }

private:
    static constexpr size_t kBits = 64;
    struct TNode {
        uint64_t Whole = 0, Below = 0;
    };
    uint64_t Met(size_t lo, size_t hi) const {
        uint64_t met = 0;
        for (size_t l = lo + fSize, r = hi + fSize; l < r; l /= 2, r /= 2) {
            if (l & 1) met |= fNodes[l++].Below;
            if (r & 1) met |= fNodes[--r].Below;
        }
        for (size_t n = (lo + fSize) / 2; n >= 1; n /= 2) met |= fNodes[n].Whole;
        for (size_t n = (hi - 1 + fSize) / 2; n >= 1; n /= 2) met |= fNodes[n].Whole;
        return met;
    }
    void Mark(size_t lo, size_t hi, uint64_t bit) {
        const auto mark = [bit](TNode& node) {
            node.Whole |= bit;
            node.Below |= bit;
        };
        // A node's Below bits are in every node above it: a path ends at the
        // first node that has the bit, so the paths go before the nodes below them.
        for (size_t n = (lo + fSize) / 2; n >= 1 && !(fNodes[n].Below & bit); n /= 2) fNodes[n].Below |= bit;
        for (size_t n = (hi - 1 + fSize) / 2; n >= 1 && !(fNodes[n].Below & bit); n /= 2) fNodes[n].Below |= bit;
        for (size_t l = lo + fSize, r = hi + fSize; l < r; l /= 2, r /= 2) {
            if (l & 1) mark(fNodes[l++]);
            if (r & 1) mark(fNodes[--r]);
        }
    }
    static bool Overlaps(const std::map<size_t, size_t>& column, size_t lo, size_t hi) {
        auto before = column.lower_bound(hi);
        return before != column.begin() && (--before)->second > lo;
    }

    size_t fSize = 1;
    std::vector<TNode> fNodes;
    size_t fCount = 0;
    std::vector<std::map<size_t, size_t>> fBeyond;
};

// A holder as the sweep reads it, kept in the order of the starts so that a
// holder and the partners it finds lie close together: its times, its index,
// the starts it covers [Lo, Hi), whether it has any partner, its position.
struct TSpan {
    double Start, Stop;
    uint32_t Index, Lo, Hi;
    bool HasPartner;
    int32_t Position;
};

// The holders in the order of their starts, with what the sweep needs of
// each; rankOf tells where holder i went.
std::vector<TSpan> OrderedSpans(const std::vector<TDistinctTimeHolder*>& holders, std::vector<uint32_t>& rankOf) {
    const size_t n = holders.size();
    std::vector<TSpan> spans(n);
    for (size_t i = 0; i < n; ++i) {
        const TDistinctTimeHolder& h = *holders[i];
        spans[i] = {h.Start, h.Stop, uint32_t(i), 0, 0, false, h.DistinctPosition};
    }
    std::sort(spans.begin(), spans.end(), [](const TSpan& a, const TSpan& b) {
        return a.Start < b.Start || (a.Start == b.Start && a.Index < b.Index);
    });
    std::vector<double> starts(n);
    std::vector<std::pair<double, uint32_t>> byStop(n);
    rankOf.resize(n);
    for (size_t k = 0; k < n; ++k) {
        starts[k] = spans[k].Start;
        byStop[k] = {spans[k].Stop, uint32_t(k)};
        rankOf[spans[k].Index] = uint32_t(k);
    }
    std::sort(byStop.begin(), byStop.end());
    // The starts before each stop, in one pass over both orders.
    for (size_t j = 0, before = 0; j < n; ++j) {
        while (before < n && starts[before] < byStop[j].first) ++before;
        spans[byStop[j].second].Hi = uint32_t(before);
    }
    size_t stopNotAfter = 0;
    for (size_t k = 0; k < n; ++k) {
        TSpan& span = spans[k];
        span.Lo = k > 0 && starts[k] == starts[k - 1] ? spans[k - 1].Lo : uint32_t(k);
        // Overlapping it: a start before its stop, less those that stop before it starts.
        while (stopNotAfter < n && byStop[stopNotAfter].first <= span.Start) ++stopNotAfter;
        span.HasPartner = span.Hi - stopNotAfter > 1;
    }
    return spans;
}

} // namespace

bool SweepDistinctPositions(const std::vector<TDistinctTimeHolder*>& holders, const std::function<bool()>& cancelled) {
    const size_t n = holders.size();
    std::vector<uint32_t> rankOf;
    std::vector<TSpan> spans = OrderedSpans(holders, rankOf);
    TUnplacedStops unplaced(n);
    for (size_t k = 0; k < n; ++k)
        if (spans[k].Position == 0) unplaced.Put(k, spans[k].Stop);
    unplaced.Build();

    // Two holders overlap exactly when they cover a start in common: the start
    // of the later one.
    TSubColumns columns(n);
    const auto place = [&](TSpan& span) { span.Position = columns.Place(span.Lo, span.Hi); };
    std::vector<size_t> partners;
    for (size_t i = n; i-- > 0;) {
        if (cancelled()) return false;
        TSpan& h = spans[rankOf[i]];
        unplaced.Remove(rankOf[i]);
        partners.clear();
        unplaced.TakeAfter(h.Hi, h.Start, partners);
        std::sort(partners.begin(), partners.end(),
                  [&spans](size_t a, size_t b) { return spans[a].Index > spans[b].Index; });
        if (h.Position == 0 && (!partners.empty() || h.HasPartner)) place(h);
        for (size_t p : partners) place(spans[p]);
    }
    for (const TSpan& span : spans) holders[span.Index]->DistinctPosition = span.Position;
    return true;
}

} // namespace qo
