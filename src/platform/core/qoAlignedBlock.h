#pragma once
// The blocks that the process's slot allocators (the small object pool, the
// link arena) carve into slots. A block is aligned to its size, so the block of
// a slot follows from the slot's address and its header answers for the slot.
// Blocks are mapped from the system, apart from the heap: a measure of the
// process's memory adds HeldBytes to the heap's figures. Under
// AddressSanitizer the allocators poison the slots that hold nothing, so that
// a use after free is still caught inside a block.
#include <cstddef>
#include <cstdint>

#if defined(__SANITIZE_ADDRESS__)
#define QO_BLOCKS_POISON 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QO_BLOCKS_POISON 1
#endif
#endif

namespace qo::AlignedBlock {

inline constexpr std::size_t kBytes = std::size_t(1) << 16;

// Throws std::bad_alloc.
std::byte* New();
void Delete(std::byte* block) noexcept;
// Of all blocks that live.
std::size_t HeldBytes();

inline std::byte* Of(const void* slot) {
    return reinterpret_cast<std::byte*>(reinterpret_cast<std::uintptr_t>(slot) & ~std::uintptr_t(kBytes - 1));
}

// Both do nothing without AddressSanitizer.
void Poison(void* at, std::size_t bytes) noexcept;
void Unpoison(void* at, std::size_t bytes) noexcept;

} // namespace qo::AlignedBlock
