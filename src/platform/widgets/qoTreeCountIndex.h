#pragma once
// The counts under each child of a tree node, summed by prefix in O(log n):
// the rows a child's subtree shows and the nodes it holds. The tree view asks
// it for a node's row and absolute index and for the child at a row, so that
// neither walks the siblings before a node.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qo {

struct TTreeCounts {
    int32_t Visible = 0; // rows shown: the node and, while expanded, its children's rows
    int32_t Total = 0;   // the node and all its descendants
    TTreeCounts& operator+=(const TTreeCounts& o) {
        Visible += o.Visible;
        Total += o.Total;
        return *this;
    }
    TTreeCounts& operator-=(const TTreeCounts& o) {
        Visible -= o.Visible;
        Total -= o.Total;
        return *this;
    }
    TTreeCounts operator-() const { return {-Visible, -Total}; }
    bool IsZero() const { return Visible == 0 && Total == 0; }
};

// A Fenwick tree over blocks of children in order. A block's entry sums its
// children's counts; the children before a child in its block are asked for
// their own (countsOf(i) gives child i's, in O(1)). So the index costs a byte
// per child rather than eight, for a scan of a few siblings per lookup.
class TTreeCountIndex {
public:
    static constexpr int32_t kBlock = 8;

    int32_t Size() const { return fSize; }
    void Clear() {
        fTree.clear();
        fSize = 0;
    }
    void Reserve(int32_t size) { fTree.reserve(size_t(Blocks(size))); }
    // Appends one child's counts; O(log n).
    void Append(TTreeCounts counts) {
        if (fSize++ % kBlock != 0) return AddToBlock(Blocks(fSize) - 1, counts);
        // Entry i covers blocks (i - lowbit(i), i]: the new block and the entries it spans.
        const int32_t i = Blocks(fSize);
        counts += BlockPrefix(i - 1);
        counts -= BlockPrefix(i - (i & -i));
        fTree.push_back(counts);
    }
    // Builds from every child's counts in O(n).
    template <class F> void Rebuild(int32_t size, F countsOf) {
        fSize = size;
        const int32_t blocks = Blocks(size);
        fTree.assign(size_t(blocks), TTreeCounts{});
        for (int32_t i = 0; i < size; ++i) fTree[size_t(i / kBlock)] += countsOf(i);
        for (int32_t i = 1; i <= blocks; ++i)
            if (const int32_t up = i + (i & -i); up <= blocks) fTree[size_t(up - 1)] += fTree[size_t(i - 1)];
    }
    // Drops the last child, whose counts are given: no entry before its block's covers it.
    void PopBack(TTreeCounts counts) {
        if (--fSize % kBlock == 0)
            fTree.pop_back();
        else
            AddToBlock(Blocks(fSize) - 1, -counts);
    }
    void Add(int32_t index, TTreeCounts delta) { AddToBlock(index / kBlock, delta); }
    // The counts of the first n children.
    template <class F> TTreeCounts Prefix(int32_t n, F countsOf) const {
        TTreeCounts sum = BlockPrefix(n / kBlock);
        for (int32_t i = n / kBlock * kBlock; i < n; ++i) sum += countsOf(i);
        return sum;
    }
    // The child whose share of field holds value (0-based, below the sum of
    // all): its index, and in value what is left after the children before it.
    template <class F> int32_t Find(int32_t& value, int32_t TTreeCounts::*field, F countsOf) const {
        const int32_t blocks = int32_t(fTree.size());
        int32_t block = 0;
        int32_t step = 1;
        while (step * 2 <= blocks) step *= 2;
        for (; step > 0; step /= 2) {
            const int32_t next = block + step;
            if (next <= blocks && fTree[size_t(next - 1)].*field <= value) {
                block = next;
                value -= fTree[size_t(next - 1)].*field;
            }
        }
        int32_t i = block * kBlock;
        for (; i + 1 < fSize; ++i) {
            const int32_t share = countsOf(i).*field;
            if (value < share) break;
            value -= share;
        }
        return i;
    }

private:
    static int32_t Blocks(int32_t size) { return (size + kBlock - 1) / kBlock; }
    void AddToBlock(int32_t block, TTreeCounts delta) {
        for (int32_t i = block + 1; i <= int32_t(fTree.size()); i += i & -i) fTree[size_t(i - 1)] += delta;
    }
    // The counts of the first n blocks.
    TTreeCounts BlockPrefix(int32_t n) const {
        TTreeCounts sum;
        for (int32_t i = n; i > 0; i -= i & -i) sum += fTree[size_t(i - 1)];
        return sum;
    }

    std::vector<TTreeCounts> fTree;
    int32_t fSize = 0;
};

} // namespace qo
