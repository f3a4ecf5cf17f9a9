#include "platform/core/qoSmallObjectPool.h"

#include "platform/core/qoAlignedBlock.h"

#include <cassert>
#include <cstdint>
#include <mutex>
#include <utility>

namespace qo {

namespace SmallObjectPool {

namespace {

constexpr std::size_t kStep = 8;
constexpr std::size_t kClasses = kLargestSlot / kStep;

// A free slot holds the next free slot of its block.
struct TFree {
    TFree* Next;
};

// The header at the start of every block.
struct TBlock {
    TBlock* Next = nullptr;
    TBlock* Prev = nullptr;
    TFree* FirstFree = nullptr;
    uint32_t SlotBytes = 0;
    uint32_t Capacity = 0;
    uint32_t Live = 0;
    // The slots from here on were never handed out.
    uint32_t Fresh = 0;
};

// Slots start 16-aligned: a slot whose size is a multiple of 16 is 16-aligned,
// any other holds objects that need no more than 8.
constexpr std::size_t kSlotsOffset = (sizeof(TBlock) + 15) & ~std::size_t(15);
static_assert(alignof(std::max_align_t) <= 16 && sizeof(TFree) <= kStep);

std::byte* SlotsOf(TBlock* block) { return reinterpret_cast<std::byte*>(block) + kSlotsOffset; }

TBlock* BlockOf(const void* slot) { return reinterpret_cast<TBlock*>(AlignedBlock::Of(slot)); }

struct TBlockList {
    TBlock* First = nullptr;

    void Push(TBlock* block) {
        block->Prev = nullptr;
        block->Next = First;
        if (First) First->Prev = block;
        First = block;
    }
    void Unlink(TBlock* block) {
        (block->Prev ? block->Prev->Next : First) = block->Next;
        if (block->Next) block->Next->Prev = block->Prev;
    }
    // Compares addresses only: slot may come from anywhere.
    bool Holds(const TBlock* block) const {
        for (const TBlock* b = First; b; b = b->Next)
            if (b == block) return true;
        return false;
    }
};

struct TSizeClass {
    std::mutex Lock;
    // The blocks with live slots and free ones; slots are taken from the first.
    TBlockList Partial;
    TBlockList Full;
    // An empty block kept for the next objects.
    TBlock* Spare = nullptr;
    std::size_t Blocks = 0;
    std::size_t LiveSlots = 0;

    void* Take(uint32_t slotBytes) {
        TBlock* block = Partial.First;
        if (!block) {
            block = Spare ? std::exchange(Spare, nullptr) : NewBlock(slotBytes);
            Partial.Push(block);
        }
        void* slot = TakeFrom(*block);
        if (block->Live == block->Capacity) {
            Partial.Unlink(block);
            Full.Push(block);
        }
        ++LiveSlots;
        return slot;
    }

    // Returns an empty block to go back to the system once the lock is let go.
    [[nodiscard]] TBlock* Give(TBlock* block, void* slot) {
        auto* free = static_cast<TFree*>(slot);
        free->Next = block->FirstFree;
        block->FirstFree = free;
        AlignedBlock::Poison(slot, block->SlotBytes);
        --LiveSlots;
        if (block->Live-- == block->Capacity) {
            Full.Unlink(block);
            Partial.Push(block);
        }
        if (block->Live > 0) return nullptr;
        Partial.Unlink(block);
        return Retire(block);
    }

private:
    TBlock* NewBlock(uint32_t slotBytes) {
        std::byte* memory = AlignedBlock::New();
        auto* block = new (memory) TBlock;
        block->SlotBytes = slotBytes;
        block->Capacity = uint32_t((AlignedBlock::kBytes - kSlotsOffset) / slotBytes);
        AlignedBlock::Poison(SlotsOf(block), AlignedBlock::kBytes - kSlotsOffset);
        ++Blocks;
        return block;
    }

    static void* TakeFrom(TBlock& block) {
        std::byte* slot = reinterpret_cast<std::byte*>(block.FirstFree);
        if (slot) {
            AlignedBlock::Unpoison(slot, block.SlotBytes);
            block.FirstFree = block.FirstFree->Next;
        } else {
            slot = SlotsOf(&block) + std::size_t(block.Fresh++) * block.SlotBytes;
            AlignedBlock::Unpoison(slot, block.SlotBytes);
        }
        ++block.Live;
        return slot;
    }

    // Every slot of an empty block is free and poisoned already.
    TBlock* Retire(TBlock* block) {
        if (Spare) {
            --Blocks;
            return block;
        }
        block->FirstFree = nullptr;
        block->Fresh = 0;
        Spare = block;
        return nullptr;
    }
};

struct TPool {
    TSizeClass Classes[kClasses];
};

TPool& Pool() {
    // Never destroyed: objects may go after the program's statics.
    static auto* pool = new TPool;
    return *pool;
}

std::size_t ClassIndex(std::size_t size) { return size ? (size - 1) / kStep : 0; }

uint32_t SlotBytesOf(std::size_t index) { return uint32_t((index + 1) * kStep); }

void Release(TBlock* empty) {
    if (empty) AlignedBlock::Delete(reinterpret_cast<std::byte*>(empty));
}

} // namespace

void* Take(std::size_t size) {
    if (size > kLargestSlot) return ::operator new(size);
    const std::size_t index = ClassIndex(size);
    TSizeClass& sizeClass = Pool().Classes[index];
    const std::lock_guard<std::mutex> lock(sizeClass.Lock);
    return sizeClass.Take(SlotBytesOf(index));
}

void Give(void* slot, std::size_t size) noexcept {
    if (!slot) return;
    if (size > kLargestSlot) return ::operator delete(slot);
    TBlock* block = BlockOf(slot);
    assert(block->SlotBytes == SlotBytesOf(ClassIndex(size)) && "a slot goes back with the size it was taken for");
    TSizeClass& sizeClass = Pool().Classes[ClassIndex(size)];
    std::unique_lock<std::mutex> lock(sizeClass.Lock);
    TBlock* empty = sizeClass.Give(block, slot);
    lock.unlock();
    Release(empty);
}

void GiveUnsized(void* slot) noexcept {
    if (!slot) return;
    TBlock* block = BlockOf(slot);
    for (TSizeClass& sizeClass : Pool().Classes) {
        std::unique_lock<std::mutex> lock(sizeClass.Lock);
        if (!sizeClass.Partial.Holds(block) && !sizeClass.Full.Holds(block)) continue;
        TBlock* empty = sizeClass.Give(block, slot);
        lock.unlock();
        return Release(empty);
    }
    ::operator delete(slot);
}

TUsage Usage() {
    TUsage usage;
    std::size_t index = 0;
    for (TSizeClass& sizeClass : Pool().Classes) {
        const std::lock_guard<std::mutex> lock(sizeClass.Lock);
        usage.BlockBytes += sizeClass.Blocks * AlignedBlock::kBytes;
        usage.LiveBytes += sizeClass.LiveSlots * SlotBytesOf(index++);
    }
    return usage;
}

} // namespace SmallObjectPool

void* TqoPooled::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return SmallObjectPool::Take(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace qo
