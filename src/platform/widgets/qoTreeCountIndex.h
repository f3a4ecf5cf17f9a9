#pragma once
// The counts under each child of a tree node, summed by prefix in O(log n):
// the rows a child's subtree shows and the nodes it holds. The tree view asks
// it for a node's row and absolute index and for the child at a row, so that
// neither walks the siblings before a node.
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
    bool IsZero() const { return Visible == 0 && Total == 0; }
};

// A Fenwick tree over the children in order.
class TTreeCountIndex {
public:
    int32_t Size() const { return int32_t(fTree.size()); }
    void Clear() { fTree.clear(); }
    void Reserve(int32_t size) { fTree.reserve(size_t(size)); }
    // Appends one child's counts; O(log n).
    void Append(TTreeCounts counts) {
        const int32_t i = Size() + 1;
        // Entry i covers (i - lowbit(i), i]: the new value and the entries it spans.
        counts += Prefix(i - 1);
        counts -= Prefix(i - (i & -i));
        fTree.push_back(counts);
    }
    // Builds from every child's counts in O(n).
    template <class F> void Rebuild(int32_t size, F countsOf) {
        fTree.assign(size_t(size), TTreeCounts{});
        for (int32_t i = 1; i <= size; ++i) {
            fTree[size_t(i - 1)] += countsOf(i - 1);
            if (const int32_t up = i + (i & -i); up <= size) fTree[size_t(up - 1)] += fTree[size_t(i - 1)];
        }
    }
    // Drops the last child's counts: no entry before it covers it.
    void PopBack() { fTree.pop_back(); }
    void Add(int32_t index, TTreeCounts delta) {
        for (int32_t i = index + 1; i <= Size(); i += i & -i) fTree[size_t(i - 1)] += delta;
    }
    // The counts of the first n children.
    TTreeCounts Prefix(int32_t n) const {
        TTreeCounts sum;
        for (int32_t i = n; i > 0; i -= i & -i) sum += fTree[size_t(i - 1)];
        return sum;
    }
    // The child whose rows hold row (0-based, below the sum of all): its index,
    // and in row what is left after the rows of the children before it.
    int32_t FindRow(int32_t& row) const {
        int32_t index = 0;
        int32_t step = 1;
        while (step * 2 <= Size()) step *= 2;
        for (; step > 0; step /= 2) {
            const int32_t next = index + step;
            if (next <= Size() && fTree[size_t(next - 1)].Visible <= row) {
                index = next;
                row -= fTree[size_t(next - 1)].Visible;
            }
        }
        return index;
    }

private:
    std::vector<TTreeCounts> fTree;
};

} // namespace qo
