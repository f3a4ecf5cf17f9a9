#include "gantt/qoLinkArena.h"

#include "gantt/qoLink.h"

#include "platform/core/qoAlignedBlock.h"

#include <atomic>
#include <cassert>
#include <mutex>
#include <new>

namespace qo::LinkArena {

namespace {

constexpr size_t kSlotBytes = sizeof(TqoDataEntity_Link);
constexpr size_t kBlockBytes = AlignedBlock::kBytes;
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
            AlignedBlock::Unpoison(free, kSlotBytes);
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
        std::byte* block = AlignedBlock::New();
        *reinterpret_cast<uint32_t*>(block) = Blocks;
        AlignedBlock::Poison(block + kHeaderBytes, kBlockBytes - kHeaderBytes);
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
    AlignedBlock::Unpoison(slot, kSlotBytes);
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
    AlignedBlock::Poison(slot, kSlotBytes);
}

TLinkNumber NumberOf(const TqoDataEntity_Link* link) {
    const auto address = reinterpret_cast<std::uintptr_t>(link);
    const auto base = reinterpret_cast<std::uintptr_t>(AlignedBlock::Of(link));
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
