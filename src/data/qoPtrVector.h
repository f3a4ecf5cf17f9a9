#pragma once
// A vector of pointers in 16 bytes whose first element lives in place of the
// block: a list of lists that holds one list, as a Gantt row's layer set
// mostly does, takes nothing from the heap. The subset of std::vector that
// the lists of lists use.
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

    void push_back(T* value) {
        if (fSize == fCapacity) Grow();
        begin()[fSize++] = value;
    }
    iterator erase(iterator at) {
        std::move(at + 1, end(), at);
        --fSize;
        return at;
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
    void Grow() {
        const uint32_t capacity = fCapacity * 2;
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
