#pragma once
// The memory of the model's small objects (entities, lists, rows, tree nodes),
// held by the hundred thousand: the general heap would add a header and its
// rounding to each. Objects of one size share blocks of slots (sizes in steps
// of 8 bytes up to kLargestSlot; larger requests go to the heap). A block whose
// slots are all free goes back to the heap, one per size kept as a spare, so a
// host that frees a million rows gets its memory back. Any thread may take and
// give back slots: a host's last release may come on any thread. The pool is
// never destroyed, so objects may still go after the program's statics.
//
// A class takes its objects from the pool by deriving from TqoPooled.
#include <cstddef>
#include <new>

namespace qo {

namespace SmallObjectPool {

inline constexpr std::size_t kLargestSlot = 256;

// Room for size bytes, aligned as an object of that size may need; throws
// std::bad_alloc.
void* Take(std::size_t size);
// size as given to Take.
void Give(void* slot, std::size_t size) noexcept;
// For the one caller that has no size: the slot's block is looked up among all.
void GiveUnsized(void* slot) noexcept;

struct TUsage {
    // The blocks held, spare ones and free slots included.
    std::size_t BlockBytes = 0;
    // The slots that hold an object.
    std::size_t LiveBytes = 0;
};
TUsage Usage();

} // namespace SmallObjectPool

// The base of a class whose objects live in the pool; an over-aligned class
// keeps the general heap. Delete is given the size of the dynamic type (the
// classes have virtual destructors): the size that new was given.
class TqoPooled {
public:
    static void* operator new(std::size_t size) { return SmallObjectPool::Take(size); }
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void* operator new(std::size_t size, std::align_val_t align) { return ::operator new(size, align); }
    static void* operator new(std::size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
        return ::operator new(size, align, std::nothrow);
    }
    static void operator delete(void* object, std::size_t size) noexcept { SmallObjectPool::Give(object, size); }
    // The global sized forms are missing where sized deallocation is off (clang's default).
    static void operator delete(void* object, std::size_t, std::align_val_t align) noexcept {
        ::operator delete(object, align);
    }
    // Called only when a constructor throws after a nothrow new.
    static void operator delete(void* object, const std::nothrow_t&) noexcept {
        SmallObjectPool::GiveUnsized(object);
    }
    static void operator delete(void* object, std::align_val_t align, const std::nothrow_t&) noexcept {
        ::operator delete(object, align);
    }
};

} // namespace qo
