#include "platform/core/qoAlignedBlock.h"

#include <atomic>
#include <new>

#ifdef _WIN32
#include "platform/core/qoWin32.h"
#else
#include <sys/mman.h>
#endif
#ifdef QO_BLOCKS_POISON
#include <sanitizer/asan_interface.h>
#include <sanitizer/lsan_interface.h>
#endif

// Blocks are mapped from the system rather than taken from the heap: the
// heap would serve a block aligned to its size from twice its size, mapped
// apart or leaving a hole in the heap as large as the block.
namespace qo::AlignedBlock {

namespace {

std::atomic<std::size_t> gHeldBytes{0};

bool Aligned(const void* at) { return Of(at) == at; }

#ifdef _WIN32
// Windows maps in steps of 64 KB, aligned to them.
static_assert(kBytes == 65536);

std::byte* Map() {
    void* at = VirtualAlloc(nullptr, kBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (at && !Aligned(at)) {
        VirtualFree(at, 0, MEM_RELEASE);
        at = nullptr;
    }
    return static_cast<std::byte*>(at);
}

void Unmap(std::byte* block) { VirtualFree(block, 0, MEM_RELEASE); }
#else
std::byte* MapNear(std::byte* hint, std::size_t bytes) {
    void* at = mmap(hint, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return at == MAP_FAILED ? nullptr : static_cast<std::byte*>(at);
}

void Unmap(std::byte* at, std::size_t bytes = kBytes) {
    if (bytes) munmap(at, bytes);
}

// Where the next block may go: the system maps downwards, so the place below
// the last block is mostly free and aligned.
std::atomic<std::byte*> gHint{nullptr};

// One call mostly; otherwise a mapping twice the size is cut down to the
// aligned block in it.
std::byte* Map() {
    std::byte* at = MapNear(gHint.load(std::memory_order_relaxed), kBytes);
    if (at && !Aligned(at)) {
        Unmap(at);
        std::byte* wide = MapNear(nullptr, 2 * kBytes);
        if (!wide) return nullptr;
        at = Of(wide + kBytes - 1);
        Unmap(wide, std::size_t(at - wide));
        Unmap(at + kBytes, std::size_t(wide + kBytes - at));
    }
    if (at) gHint.store(at - kBytes, std::memory_order_relaxed);
    return at;
}
#endif

} // namespace

std::byte* New() {
    std::byte* block = Map();
    if (!block) throw std::bad_alloc();
    gHeldBytes.fetch_add(kBytes, std::memory_order_relaxed);
#ifdef QO_BLOCKS_POISON
    // The leak checker looks for pointers in the heap only, not in mappings of our own.
    __lsan_register_root_region(block, kBytes);
#endif
    return block;
}

void Delete(std::byte* block) noexcept {
#ifdef QO_BLOCKS_POISON
    __lsan_unregister_root_region(block, kBytes);
#endif
    Unpoison(block, kBytes);
    Unmap(block);
    gHeldBytes.fetch_sub(kBytes, std::memory_order_relaxed);
}

std::size_t HeldBytes() { return gHeldBytes.load(std::memory_order_relaxed); }

void Poison([[maybe_unused]] void* at, [[maybe_unused]] std::size_t bytes) noexcept {
#ifdef QO_BLOCKS_POISON
    ASAN_POISON_MEMORY_REGION(at, bytes);
#endif
}

void Unpoison([[maybe_unused]] void* at, [[maybe_unused]] std::size_t bytes) noexcept {
#ifdef QO_BLOCKS_POISON
    ASAN_UNPOISON_MEMORY_REGION(at, bytes);
#endif
}

} // namespace qo::AlignedBlock
