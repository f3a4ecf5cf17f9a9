#pragma once
// A vector of pointers in one pointer whose only element lives in place of the
// block: a list of one entity, or a list of lists that holds one list, as a
// Gantt row's layer and layer set mostly do, takes nothing from the heap and
// no more room than the pointer. A longer vector points to a block that starts
// with its size and capacity; erasing from the front moves where the elements
// start rather than the elements, so that lists emptied from their first
// entity stay linear. The subset of std::vector that the data lists use.
#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <new>
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

    size_t size() const { return InBlock() ? Block()->Size : 1; }
    bool empty() const { return size() == 0; }
    iterator begin() { return InBlock() ? Block()->Items() : &fOne; }
    iterator end() { return begin() + size(); }
    const_iterator begin() const { return InBlock() ? Block()->Items() : &fOne; }
    const_iterator end() const { return begin() + size(); }
    std::reverse_iterator<iterator> rbegin() { return std::reverse_iterator<iterator>(end()); }
    std::reverse_iterator<iterator> rend() { return std::reverse_iterator<iterator>(begin()); }
    T*& operator[](size_t i) {
        assert(i < size() && "an index inside the vector");
        return begin()[i];
    }
    T* operator[](size_t i) const {
        assert(i < size() && "an index inside the vector");
        return begin()[i];
    }
    T*& front() { return (*this)[0]; }
    T*& back() { return (*this)[size() - 1]; }

    void push_back(T* value) {
        if (TBlock* block = InBlock() ? Block() : nullptr; block && block->Start + block->Size < block->Capacity)
            [[likely]] {
            block->Items()[block->Size++] = value;
            return;
        }
        insert(end(), &value, &value + 1);
    }
    void pop_back() {
        assert(!empty() && "an element to drop");
        if (InBlock())
            --Block()->Size;
        else
            fOne = NoElements();
    }
    iterator insert(iterator at, T* value) { return insert(at, &value, &value + 1); }
    // The range may not lie in this vector.
    template <class It> iterator insert(iterator at, It first, It last) {
        const auto offset = size_t(at - begin());
        const auto n = size_t(std::distance(first, last));
        if (n == 0) return at;
        if (empty() && n == 1 && !Block()->Capacity) {
            assert(!(reinterpret_cast<uintptr_t>(*first) & 1) && "an element's pointer is aligned");
            fOne = *first;
            return &fOne;
        }
        const size_t size = this->size();
        Reserve(size + n);
        T** data = begin();
        std::move_backward(data + offset, data + size, data + size + n);
        std::copy(first, last, data + offset);
        Block()->Size += uint32_t(n);
        return data + offset;
    }
    template <class It> void assign(It first, It last) {
        erase(begin(), end());
        insert(begin(), first, last);
    }
    iterator erase(iterator at) { return erase(at, at + 1); }
    iterator erase(iterator first, iterator last) {
        if (first == last) return first;
        if (!InBlock()) {
            fOne = NoElements();
            return begin();
        }
        TBlock* block = Block();
        const auto n = uint32_t(last - first);
        if (first == begin()) {
            block->Start += n;
            block->Size -= n;
            return begin();
        }
        std::move(last, end(), first);
        block->Size -= n;
        return first;
    }
    // Gives the block back: a list emptied may stay small for long.
    void clear() {
        Release();
        fOne = NoElements();
    }

private:
    // Its items follow it.
    struct TBlock {
        uint32_t Size;
        uint32_t Capacity;
        // Where the elements start: the slots before are room left by erasing from the front.
        uint32_t Start;
        uint32_t Unused;
        T** Slots() { return reinterpret_cast<T**>(this + 1); }
        T** Items() { return Slots() + Start; }
        // The room at the front taken back: the elements move to the first slot.
        void MoveToFront() {
            if (!Start) return;
            std::copy(Items(), Items() + Size, Slots());
            Start = 0;
        }
    };
    static_assert(sizeof(TBlock) % alignof(T*) == 0, "the items follow the block's head aligned");
    // The empty vector's block: nothing in it, no room, never freed.
    static constexpr TBlock sNone{0, 0, 0, 0};
    // A block pointer is marked in its lowest bit, which no element's pointer uses.
    static T* Mark(const TBlock* block) { return reinterpret_cast<T*>(reinterpret_cast<uintptr_t>(block) | 1); }
    static T* NoElements() { return Mark(&sNone); }
    bool InBlock() const { return reinterpret_cast<uintptr_t>(fOne) & 1; }
    TBlock* Block() const { return reinterpret_cast<TBlock*>(reinterpret_cast<uintptr_t>(fOne) & ~uintptr_t(1)); }

    // Grows by a half, not to twice the size: lists hold entities by the
    // hundred thousand. A block grown in place or remapped copies nothing.
    void Reserve(size_t size) {
        const size_t capacity = InBlock() ? Block()->Capacity : 1;
        if (InBlock() && Block()->Start + size <= capacity) return;
        assert(size < UINT32_MAX / 2 && "fewer than 2 billion elements");
        // The front's room is taken back once it is as large as what stands,
        // so that each element moves at most once per erasure that made room.
        if (Owned() && size <= capacity && Block()->Start >= Block()->Size) {
            Block()->MoveToFront();
            return;
        }
        const size_t grown = std::max({size, capacity + capacity / 2, size_t(2)});
        const size_t bytes = sizeof(TBlock) + grown * sizeof(T*);
        TBlock* block = nullptr;
        if (Owned()) {
            Block()->MoveToFront();
            block = static_cast<TBlock*>(std::realloc(Block(), bytes));
            if (!block) throw std::bad_alloc();
        } else {
            block = static_cast<TBlock*>(std::malloc(bytes));
            if (!block) throw std::bad_alloc();
            block->Size = uint32_t(this->size());
            block->Start = 0;
            std::copy(begin(), end(), block->Items());
        }
        block->Capacity = uint32_t(grown);
        fOne = Mark(block);
    }
    bool Owned() const { return InBlock() && Block()->Capacity; }
    void Release() {
        if (Owned()) std::free(Block());
    }

    // The only element, or the marked pointer to the block.
    T* fOne = NoElements();
};

} // namespace qo
