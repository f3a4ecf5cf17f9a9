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

#include "gantt/qoTimeDistinctOrder.h"

#include <algorithm>
#include <cassert>
#include <bit>
#include <cstdint>
#include <cstddef>
#include <map>
#include <memory_resource>
#include <utility>
#include <vector>

namespace qo {

namespace {

// Everything the sweep keeps comes from one block (see ScratchBytes).
template <class T>
using TVector = std::pmr::vector<T>;

// The holders not yet placed, in the order of their starts, each with the
// rank of its stop (plus one; 0 once placed) and the largest of every subtree.
class TUnplacedStops {
public:
    TUnplacedStops(size_t count, std::pmr::memory_resource* memory)
        : fSize(std::bit_ceil(count)), fMax(2 * fSize, 0, memory) {}
    static size_t Bytes(size_t count) { return 2 * std::bit_ceil(count) * sizeof(uint32_t); }
    void Put(size_t position, uint32_t stopRank) { fMax[fSize + position] = stopRank + 1; }
    void Build() {
        for (size_t node = fSize - 1; node >= 1; --node) Pull(node);
    }
    // Takes out every position below end whose stop ranks at or after `from`:
    // up from the leaf at end, through the nodes that make up [0, end), into
    // those that hold any.
    void TakeFrom(size_t end, uint32_t from, TVector<uint32_t>& taken) {
        for (size_t l = fSize, r = end + fSize; l < r; l /= 2, r /= 2) {
            if (l & 1) Take(l++, from, taken);
            if (r & 1) Take(--r, from, taken);
        }
    }

private:
    void Pull(size_t node) { fMax[node] = std::max(fMax[2 * node], fMax[2 * node + 1]); }
    void Take(size_t node, uint32_t from, TVector<uint32_t>& taken) {
        if (fMax[node] <= from) return;
        Collect(node, from, taken);
        // Above a node whose largest stays, nothing changes.
        for (node /= 2; node >= 1; node /= 2) {
            const uint32_t was = fMax[node];
            Pull(node);
            if (fMax[node] == was) break;
        }
    }
    void Collect(size_t node, uint32_t from, TVector<uint32_t>& taken) {
        if (fMax[node] <= from) return;
        if (node >= fSize) {
            taken.push_back(uint32_t(node - fSize));
            fMax[node] = 0;
            return;
        }
        Collect(2 * node, from, taken);
        Collect(2 * node + 1, from, taken);
        Pull(node);
    }

    size_t fSize;
    TVector<uint32_t> fMax;
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
    struct TNode {
        uint64_t Whole = 0, Below = 0;
    };

public:
    // A whole tree (a power of two of starts): a node above a holder's own
    // nodes then always lies on one of the two paths.
    TSubColumns(size_t count, std::pmr::memory_resource* memory)
        : fSize(std::bit_ceil(count)), fNodes(2 * fSize, memory) {}
    static size_t Bytes(size_t count) { return 2 * std::bit_ceil(count) * sizeof(TNode); }
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
    uint64_t Met(size_t lo, size_t hi) const {
        uint64_t met = 0;
        for (size_t l = lo + fSize, r = hi + fSize; l < r; l /= 2, r /= 2) {
            if (l & 1) met |= fNodes[l++].Below;
            if (r & 1) met |= fNodes[--r].Below;
        }
        for (size_t a = (lo + fSize) / 2, b = (hi - 1 + fSize) / 2; a >= 1; a /= 2, b /= 2)
            met |= fNodes[a].Whole | fNodes[b].Whole;
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

    size_t fSize;
    TVector<TNode> fNodes;
    size_t fCount = 0;
    std::vector<std::map<size_t, size_t>> fBeyond;
};

// A holder as the sweep reads it, kept in the order of the starts so that a
// holder and the partners it finds lie close together: its index, the starts
// it covers [Lo, Hi), the stops not after its start (After: those it does not
// meet), the rank of its stop, whether it has any partner, its position.
struct TSpan {
    uint32_t Index, Lo, Hi, After, StopRank;
    bool HasPartner;
    int32_t Position;
};

// The holders in the order of their starts, with what the sweep needs of
// each; rankOf tells where holder i went. The holders are read in their own
// order only: they lie wherever their list put them.
TVector<TSpan> OrderedSpans(const std::vector<TDistinctTimeHolder*>& holders, TVector<uint32_t>& rankOf) {
    const size_t n = holders.size();
    const auto alloc = rankOf.get_allocator();
    TVector<uint64_t> keys(n, alloc), stopKeys(n, alloc), starts(n, alloc);
    for (size_t i = 0; i < n; ++i) {
        keys[i] = TimeOrderKey(holders[i]->Start);
        stopKeys[i] = TimeOrderKey(holders[i]->Stop);
    }
    const TVector<uint32_t> byStart = OrderOfKeys(keys);
    TVector<TSpan> spans(n, alloc);
    rankOf.resize(n);
    for (size_t k = 0; k < n; ++k) {
        spans[k].Index = byStart[k];
        starts[k] = keys[byStart[k]];
        rankOf[byStart[k]] = uint32_t(k);
    }
    TVector<uint64_t>& stops = keys;
    for (size_t k = 0; k < n; ++k) stops[k] = stopKeys[byStart[k]];
    for (size_t i = 0; i < n; ++i) spans[rankOf[i]].Position = holders[i]->DistinctPosition;
    // Ties by start rank, as the stops are given.
    const TVector<uint32_t> byStop = OrderOfKeys(stops);
    // The starts before each stop, in one pass over both orders.
    for (size_t j = 0, before = 0; j < n; ++j) {
        while (before < n && starts[before] < stops[byStop[j]]) ++before;
        spans[byStop[j]].Hi = uint32_t(before);
        spans[byStop[j]].StopRank = uint32_t(j);
    }
    size_t stopNotAfter = 0;
    for (size_t k = 0; k < n; ++k) {
        TSpan& span = spans[k];
        span.Lo = k > 0 && starts[k] == starts[k - 1] ? spans[k - 1].Lo : uint32_t(k);
        // Overlapping it: a start before its stop, less those that stop before it starts.
        while (stopNotAfter < n && stops[byStop[stopNotAfter]] <= starts[k]) ++stopNotAfter;
        span.After = uint32_t(stopNotAfter);
        span.HasPartner = span.Hi - stopNotAfter > 1;
    }
    return spans;
}

// Room for everything the sweep of n holders keeps, in one block: made of
// many blocks this size, it goes back to the system when freed and comes back
// a page fault at a time on the next detection.
size_t ScratchBytes(size_t n) {
    return TUnplacedStops::Bytes(n) + TSubColumns::Bytes(n) + n * (3 * sizeof(uint64_t) + sizeof(TSpan)) +
           (n + 1) * 6 * sizeof(uint32_t) + 2 * OrderOfKeysBytes(n);
}

} // namespace

bool SweepDistinctPositions(const std::vector<TDistinctTimeHolder*>& holders, const std::function<bool()>& cancelled) {
    const size_t n = holders.size();
    std::pmr::monotonic_buffer_resource scratch(ScratchBytes(n));
    TVector<uint32_t> rankOf(&scratch);
    TVector<TSpan> spans = OrderedSpans(holders, rankOf);
    TUnplacedStops unplaced(n, &scratch);
    for (size_t k = 0; k < n; ++k)
        if (spans[k].Position == 0) unplaced.Put(k, spans[k].StopRank);
    unplaced.Build();

    // Two holders overlap exactly when they cover a start in common: the start
    // of the later one.
    TSubColumns columns(n, &scratch);
    const auto place = [&](TSpan& span) { span.Position = columns.Place(span.Lo, span.Hi); };
    TVector<uint32_t> partners(&scratch);
    for (size_t i = n; i-- > 0;) {
        if (cancelled()) return false;
        TSpan& h = spans[rankOf[i]];
        // Its own start lies before its stop: a holder not yet placed is
        // taken with its partners.
        partners.clear();
        unplaced.TakeFrom(h.Hi, h.After, partners);
        if (h.Position == 0) {
            const auto self = std::find(partners.begin(), partners.end(), rankOf[i]);
            assert(self != partners.end() && "a holder covers its own start");
            partners.erase(self);
        }
        std::sort(partners.begin(), partners.end(),
                  [&spans](uint32_t a, uint32_t b) { return spans[a].Index > spans[b].Index; });
        if (h.Position == 0 && (!partners.empty() || h.HasPartner)) place(h);
        for (uint32_t p : partners) place(spans[p]);
    }
    for (size_t i = 0; i < n; ++i) holders[i]->DistinctPosition = spans[rankOf[i]].Position;
    return true;
}

} // namespace qo
