#pragma once
// A vector of pointers in 16 bytes whose first element lives in place of the
// block: a list of one entity, or a list of lists that holds one list, as a
// Gantt row's layer and layer set mostly do, takes nothing from the heap. The
// subset of std::vector that the data lists use.
#include <algorithm>
#include <cassert>
#include <cstdint>
#include <iterator>
#include <utility>

namespace qo {

template <class T> class TPtrVector {
public:
    using iterator = T**;
    using const_iterator = T* const*;

    TPtrVector() = default;
    TPtrVector(const TPtrVector&) = delete;
    TPtrVector& operator=(const TPtrVector&) = delete;
    ~TPtrVector() { Release(); }

    size_t size() const { return fSize; }
    bool empty() const { return fSize == 0; }
    iterator begin() { return Inline() ? &fOne : fMany; }
    iterator end() { return begin() + fSize; }
    const_iterator begin() const { return Inline() ? &fOne : fMany; }
    const_iterator end() const { return begin() + fSize; }
    std::reverse_iterator<iterator> rbegin() { return std::reverse_iterator<iterator>(end()); }
    std::reverse_iterator<iterator> rend() { return std::reverse_iterator<iterator>(begin()); }
    T*& operator[](size_t i) {
        assert(i < fSize && "an index inside the vector");
        return begin()[i];
    }
    T* operator[](size_t i) const {
        assert(i < fSize && "an index inside the vector");
        return begin()[i];
    }
    T*& front() { return (*this)[0]; }
    T*& back() { return (*this)[fSize - 1]; }

    void push_back(T* value) {
        if (fSize == fCapacity) Grow();
        begin()[fSize++] = value;
    }
    void pop_back() {
        assert(fSize > 0 && "an element to drop");
        --fSize;
    }
    iterator insert(iterator at, T* value) { return insert(at, &value, &value + 1); }
    // The range may not lie in this vector.
    template <class It> iterator insert(iterator at, It first, It last) {
        const auto offset = size_t(at - begin());
        const auto n = size_t(std::distance(first, last));
        Reserve(fSize + n);
        T** data = begin();
        std::move_backward(data + offset, data + fSize, data + fSize + n);
        std::copy(first, last, data + offset);
        fSize += uint32_t(n);
        return data + offset;
    }
    template <class It> void assign(It first, It last) {
        fSize = 0;
        insert(begin(), first, last);
    }
    iterator erase(iterator at) { return erase(at, at + 1); }
    iterator erase(iterator first, iterator last) {
        std::move(last, end(), first);
        fSize -= uint32_t(last - first);
        return first;
    }
    // Gives the block back: a list emptied may stay small for long.
    void clear() {
        Release();
        fSize = 0;
        fCapacity = 1;
        fOne = nullptr;
    }

private:
    bool Inline() const { return fCapacity == 1; }
    void Grow() { Reserve(size_t(fCapacity) * 2); }
    void Reserve(size_t size) {
        if (size <= fCapacity) return;
        assert(size < UINT32_MAX / 2 && "fewer than 2 billion elements");
        const auto capacity = uint32_t(std::max(size, size_t(fCapacity) * 2));
        T** block = new T*[capacity];
        std::copy(begin(), end(), block);
        Release();
        fMany = block;
        fCapacity = capacity;
    }
    void Release() {
        if (!Inline()) delete[] fMany;
    }

    union {
        T* fOne = nullptr;
        T** fMany;
    };
    uint32_t fSize = 0;
    uint32_t fCapacity = 1;
};

} // namespace qo
