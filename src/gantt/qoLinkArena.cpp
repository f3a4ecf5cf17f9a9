#include "gantt/qoLinkArena.h"

#include "gantt/qoLink.h"

#include <atomic>
#include <cassert>
#include <mutex>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define QO_ARENA_POISONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QO_ARENA_POISONS 1
#endif
#endif
#ifdef QO_ARENA_POISONS
#include <sanitizer/asan_interface.h>
#endif

namespace qo::LinkArena {

namespace {

constexpr size_t kSlotBytes = sizeof(TqoDataEntity_Link);
constexpr size_t kBlockBytes = size_t(1) << 16;
// The block's number sits before its first slot.
constexpr size_t kHeaderBytes = alignof(std::max_align_t);
constexpr uint32_t kSlotsPerBlock = uint32_t((kBlockBytes - kHeaderBytes) / kSlotBytes);
// 64 Ki blocks: some 48 million links.
constexpr uint32_t kMaxBlocks = uint32_t(1) << 16;
static_assert(alignof(TqoDataEntity_Link) <= kHeaderBytes && kSlotBytes % alignof(TqoDataEntity_Link) == 0);

// A slot given back holds the next free slot.
struct TFree {
    TFree* Next;
};

void Poison([[maybe_unused]] void* at, [[maybe_unused]] size_t bytes) {
#ifdef QO_ARENA_POISONS
    ASAN_POISON_MEMORY_REGION(at, bytes);
#endif
}

void Unpoison([[maybe_unused]] void* at, [[maybe_unused]] size_t bytes) {
#ifdef QO_ARENA_POISONS
    ASAN_UNPOISON_MEMORY_REGION(at, bytes);
#endif
}

// Zero from the start and never destroyed, like the blocks it lists.
std::atomic<std::byte*> gDirectory[kMaxBlocks];

struct TArena {
    std::mutex Lock;
    TFree* FirstFree = nullptr;
    size_t FreeSlots = 0;
    // Blocks made so far; the last one hands out its slots from Fresh on.
    uint32_t Blocks = 0;
    uint32_t Fresh = kSlotsPerBlock;

    static TArena& Instance() {
        // Never destroyed: links may go after the program's statics.
        static auto* arena = new TArena;
        return *arena;
    }

    static std::byte* SlotAt(uint32_t block, uint32_t slot) {
        return gDirectory[block].load(std::memory_order_acquire) + kHeaderBytes + size_t(slot) * kSlotBytes;
    }

    void* TakeLocked() {
        if (TFree* free = FirstFree) {
            Unpoison(free, kSlotBytes);
            FirstFree = free->Next;
            --FreeSlots;
            return free;
        }
        if (Fresh == kSlotsPerBlock) AddBlock();
        return SlotAt(Blocks - 1, Fresh++);
    }

    void AddBlock() {
        // Number 0 is no link: the first block's first slot is never handed out.
        if (Blocks == kMaxBlocks) throw std::bad_alloc();
        auto* block = static_cast<std::byte*>(::operator new(kBlockBytes, std::align_val_t(kBlockBytes)));
        *reinterpret_cast<uint32_t*>(block) = Blocks;
        Poison(block + kHeaderBytes, kBlockBytes - kHeaderBytes);
        gDirectory[Blocks].store(block, std::memory_order_release);
        Fresh = Blocks == 0 ? 1 : 0;
        ++Blocks;
    }
};

} // namespace

void* Take() {
    TArena& arena = TArena::Instance();
    const std::lock_guard<std::mutex> lock(arena.Lock);
    void* slot = arena.TakeLocked();
    Unpoison(slot, kSlotBytes);
    return slot;
}

void Give(void* slot) noexcept {
    if (!slot) return;
    TArena& arena = TArena::Instance();
    const std::lock_guard<std::mutex> lock(arena.Lock);
    auto* free = static_cast<TFree*>(slot);
    free->Next = arena.FirstFree;
    arena.FirstFree = free;
    ++arena.FreeSlots;
    Poison(slot, kSlotBytes);
}

TLinkNumber NumberOf(const TqoDataEntity_Link* link) {
    const auto address = reinterpret_cast<std::uintptr_t>(link);
    const std::uintptr_t base = address & ~std::uintptr_t(kBlockBytes - 1);
    const uint32_t block = *reinterpret_cast<const uint32_t*>(base);
    const auto slot = uint32_t((address - base - kHeaderBytes) / kSlotBytes);
    assert(TArena::SlotAt(block, slot) == reinterpret_cast<const std::byte*>(link) &&
           "every link lives in the arena");
    return block * kSlotsPerBlock + slot;
}

TqoDataEntity_Link* LinkOf(TLinkNumber number) {
    if (number == kNoLink) return nullptr;
    return reinterpret_cast<TqoDataEntity_Link*>(
        TArena::SlotAt(number / kSlotsPerBlock, number % kSlotsPerBlock));
}

size_t SpareBytes() {
    TArena& arena = TArena::Instance();
    const std::lock_guard<std::mutex> lock(arena.Lock);
    return (arena.FreeSlots + kSlotsPerBlock - arena.Fresh) * kSlotBytes;
}

} // namespace qo::LinkArena
