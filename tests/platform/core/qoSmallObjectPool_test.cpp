#include "platform/core/qoAlignedBlock.h"
#include "platform/core/qoSmallObjectPool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

#ifdef QO_BLOCKS_POISON
#include <sanitizer/asan_interface.h>
#endif

namespace qo {
namespace {

using SmallObjectPool::Give;
using SmallObjectPool::Take;
using SmallObjectPool::Usage;

std::uintptr_t Address(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

// The alignment any object of this size may have: a power of two that divides
// the size, at most the heap's.
std::size_t NeededAlignment(std::size_t size) {
    std::size_t align = 1;
    while (align < alignof(std::max_align_t) && size % (align * 2) == 0) align *= 2;
    return align;
}

TEST(SmallObjectPool, SlotsAreAlignedAndHoldTheirBytesApart) {
    const std::size_t sizes[] = {1, 8, 12, 16, 24, 40, 48, 88, 120, 200, 256, 257, 4000};
    struct TTaken {
        unsigned char* At;
        std::size_t Size;
        unsigned char Mark;
    };
    std::vector<TTaken> taken;
    unsigned char mark = 1;
    for (std::size_t size : sizes)
        for (int i = 0; i < 3; ++i) {
            auto* at = static_cast<unsigned char*>(Take(size));
            EXPECT_EQ(Address(at) % NeededAlignment(size), 0u) << size;
            std::memset(at, mark, size);
            taken.push_back({at, size, mark++});
        }
    for (const TTaken& t : taken) {
        EXPECT_EQ(std::count(t.At, t.At + t.Size, t.Mark), std::ptrdiff_t(t.Size)) << t.Size;
        Give(t.At, t.Size);
    }
}

TEST(SmallObjectPool, LargeRequestsLeaveThePoolAlone) {
    const SmallObjectPool::TUsage before = Usage();
    void* large = Take(SmallObjectPool::kLargestSlot + 1);
    EXPECT_EQ(Usage().BlockBytes, before.BlockBytes);
    EXPECT_EQ(Usage().LiveBytes, before.LiveBytes);
    Give(large, SmallObjectPool::kLargestSlot + 1);
}

TEST(SmallObjectPool, AFreedSlotIsTakenAgainAndPoisonedMeanwhile) {
    void* first = Take(64);
    void* neighbour = Take(64);
    Give(first, 64);
#ifdef QO_BLOCKS_POISON
    EXPECT_TRUE(__asan_address_is_poisoned(first));
    EXPECT_FALSE(__asan_address_is_poisoned(neighbour));
#endif
    void* other = Take(32);
    EXPECT_NE(other, first) << "another size has slots of its own";
    void* again = Take(64);
    EXPECT_EQ(again, first);
    Give(again, 64);
    Give(other, 32);
    Give(neighbour, 64);
}

TEST(SmallObjectPool, EmptyBlocksGoBackToTheHeapButOneSpare) {
    constexpr std::size_t size = 72;
    constexpr std::size_t blocks = 4;
    const SmallObjectPool::TUsage before = Usage();
    std::vector<void*> slots(blocks * AlignedBlock::kBytes / size);
    for (void*& slot : slots) slot = Take(size);
    EXPECT_GE(Usage().BlockBytes, before.BlockBytes + (blocks - 1) * AlignedBlock::kBytes);
    EXPECT_EQ(Usage().LiveBytes, before.LiveBytes + slots.size() * size);
    // In an order unlike the taking, so that blocks fill and empty in turns.
    std::shuffle(slots.begin(), slots.end(), std::mt19937(7));
    for (std::size_t i = 0; i < slots.size(); i += 2) Give(slots[i], size);
    for (std::size_t i = 0; i < slots.size(); i += 2) slots[i] = Take(size);
    for (void* slot : slots) Give(slot, size);
    EXPECT_EQ(Usage().LiveBytes, before.LiveBytes);
    EXPECT_LE(Usage().BlockBytes, before.BlockBytes + AlignedBlock::kBytes);
}

// Threads share the sizes: a slot handed out twice shows as a mark overwritten.
TEST(SmallObjectPool, ThreadsTakeAndGiveAtOnce) {
    constexpr int threads = 4, rounds = 20000;
    const std::size_t sizes[] = {16, 40, 56, 96, 200};
    const SmallObjectPool::TUsage before = Usage();
    std::vector<int> damaged(threads, 0);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&, t] {
            std::mt19937 random{unsigned(t)};
            std::vector<std::pair<unsigned char*, std::size_t>> held;
            const auto giveOne = [&](std::size_t at) {
                auto [slot, size] = held[at];
                damaged[t] += int(std::count(slot, slot + size, (unsigned char)(t + 1)) != std::ptrdiff_t(size));
                Give(slot, size);
                held[at] = held.back();
                held.pop_back();
            };
            for (int r = 0; r < rounds; ++r) {
                if (held.size() < 64 && random() % 3 != 0) {
                    const std::size_t size = sizes[random() % std::size(sizes)];
                    auto* slot = static_cast<unsigned char*>(Take(size));
                    std::memset(slot, t + 1, size);
                    held.emplace_back(slot, size);
                } else if (!held.empty()) {
                    giveOne(random() % held.size());
                }
            }
            while (!held.empty()) giveOne(held.size() - 1);
        });
    for (std::thread& worker : workers) worker.join();
    EXPECT_EQ(damaged, std::vector<int>(threads, 0));
    EXPECT_EQ(Usage().LiveBytes, before.LiveBytes);
}

struct TNode : TqoPooled {
    virtual ~TNode() = default;
    int32_t Value = 0;
};
struct TWideNode : TNode {
    char Payload[100] = {};
};
struct alignas(64) TAlignedNode : TNode {};
struct THugeNode : TNode {
    char Payload[SmallObjectPool::kLargestSlot] = {};
};
struct TFailingNode : TWideNode {
    TFailingNode() { throw std::runtime_error("refused"); }
};

// Each form of new pairs with the delete that the language picks for it.
TEST(SmallObjectPool, PooledClassesFreeEveryFormOfNewWhereItCameFrom) {
    const struct {
        const char* Form;
        std::function<TNode*()> Make;
        bool InPool;
        std::size_t Alignment;
    } cases[] = {
        {"base", [] { return new TNode; }, true, alignof(TNode)},
        {"derived, deleted as its base", [] { return new TWideNode; }, true, alignof(TWideNode)},
        {"nothrow", [] { return new (std::nothrow) TWideNode; }, true, alignof(TWideNode)},
        {"over-aligned", [] { return new TAlignedNode; }, false, 64},
        {"over-aligned nothrow", [] { return new (std::nothrow) TAlignedNode; }, false, 64},
        {"larger than a slot", [] { return new THugeNode; }, false, alignof(THugeNode)},
    };
    for (const auto& c : cases) {
        const std::size_t before = Usage().LiveBytes;
        TNode* node = c.Make();
        EXPECT_EQ(Usage().LiveBytes > before, c.InPool) << c.Form;
        EXPECT_EQ(Address(node) % c.Alignment, 0u) << c.Form;
        delete node;
        EXPECT_EQ(Usage().LiveBytes, before) << c.Form;
    }
    const std::size_t before = Usage().LiveBytes;
    EXPECT_THROW((void)new TFailingNode, std::runtime_error);
    EXPECT_THROW((void)new (std::nothrow) TFailingNode, std::runtime_error);
    EXPECT_EQ(Usage().LiveBytes, before) << "a constructor that throws gives its slot back";
}

// A host's last release may come on a thread of its own.
TEST(SmallObjectPool, ObjectsMadeOnOneThreadAreFreedOnAnother) {
    const std::size_t before = Usage().LiveBytes;
    std::mutex lock;
    std::condition_variable ready;
    std::deque<TNode*> handed;
    bool done = false;
    std::thread freer([&] {
        std::unique_lock<std::mutex> guard(lock);
        for (;;) {
            ready.wait(guard, [&] { return done || !handed.empty(); });
            if (handed.empty()) return;
            TNode* node = handed.front();
            handed.pop_front();
            guard.unlock();
            delete node;
            guard.lock();
        }
    });
    for (int i = 0; i < 5000; ++i) {
        TNode* node = i % 2 ? new TWideNode : new TNode;
        const std::lock_guard<std::mutex> guard(lock);
        handed.push_back(node);
        ready.notify_one();
    }
    {
        const std::lock_guard<std::mutex> guard(lock);
        done = true;
        ready.notify_one();
    }
    freer.join();
    EXPECT_EQ(Usage().LiveBytes, before);
}

} // namespace
} // namespace qo
