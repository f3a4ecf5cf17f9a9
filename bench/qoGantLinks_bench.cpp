// Time items and links at scale. Deleting one item of a chart with 50,000
// links against the same deletion in a chart with 50: an item keeps its links
// at hand, so no other link is looked at. And the heap taken per item (without
// texts) and per link, the list's slot included (a link's in the link arena).
#include "gantt/qoLinkArena.h"
#include "platform/core/qoAlignedBlock.h"
#include "qoGantBenchChart.h"
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <memory>
#include <random>
#include <vector>

namespace {

using namespace qo;

using bench::kMonday;
constexpr int kItemsPerRow = 100;

// A chain of items over rows of 100, each linked to the next.
struct TScene : bench::TGantBenchChart {
    std::vector<TqoDataEntity_GantTime*> Items;
    std::vector<TqoDataEntity_Tree*> Nodes;

    explicit TScene(int links) {
        for (int i = 0; i <= links; ++i) {
            if (i % kItemsPerRow == 0) Nodes.push_back(Gant->AddRootDataEntityTree());
            Items.push_back(NewItem(i));
            if (i > 0) Link(Items[size_t(i) - 1], Items[size_t(i)]);
        }
        Harness.RunUntilIdle();
    }
    TqoDataEntity_GantTime* NewItem(int i) {
        TqoDataEntity_GantTime* item = Gant->AddGantTime(Nodes[size_t(i / kItemsPerRow)], 0);
        item->SetStart(kMonday + i % 20);
        item->SetStop(kMonday + i % 20 + 2);
        return item;
    }
    void Link(TqoDataEntity_GantTime* from, TqoDataEntity_GantTime* to) {
        TqoDataEntity_Link* link = Gant->AddLink();
        link->SetLinkOwner(from);
        link->SetLinkedTo(to);
    }
    // Puts a new item where item i was, linked to its neighbours again.
    void Replace(int i) {
        Items[size_t(i)] = NewItem(i);
        Link(Items[size_t(i) - 1], Items[size_t(i)]);
        Link(Items[size_t(i)], Items[size_t(i) + 1]);
    }
};

// Each round deletes an item inside the chain (two links go with it); the
// item is put back untimed.
void DeleteOneItem(benchmark::State& state) {
    TScene scene(int(state.range(0)));
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(1, int(scene.Items.size()) - 2);
    for (auto _ : state) {
        const int i = pick(random);
        scene.Gant->RemoveGantTime(scene.Items[size_t(i)]);
        state.PauseTiming();
        scene.Replace(i);
        state.ResumeTiming();
    }
}

void Baseline_DeleteItemOf50Links(benchmark::State& state) { DeleteOneItem(state); }
BENCHMARK(Baseline_DeleteItemOf50Links)->Arg(50)->Unit(benchmark::kMicrosecond);
void DeleteItemOf50000Links(benchmark::State& state) { DeleteOneItem(state); }
BENCHMARK(DeleteItemOf50000Links)->Arg(50000)->Unit(benchmark::kMicrosecond);

// The heap in use (large blocks mapped apart included) and the blocks of the link arena and the small object
// pool, less the link arena's spare slots: links take their slots there, whether fresh or given back by links
// gone before.
double HeapInUse() {
#ifdef __GLIBC__
    const struct mallinfo2 heap = mallinfo2();
    return double(heap.uordblks + heap.hblkhd + AlignedBlock::HeldBytes()) - double(LinkArena::SpareBytes());
#else
    return 0;
#endif
}

struct TFree {
    void operator()(TqoExposable* object) const { object->FreeWheneverPossible(); }
};

// Bytes per entity of a list of n entities of one class, made by fill.
template <class F> double BytesPer(const TqoDataEntityClass& entityClass, int n, F&& fill) {
    const double before = HeapInUse();
    std::unique_ptr<TqoDataList, TFree> list(new TqoDataList);
    list->AfterCreate(nullptr, entityClass);
    for (int i = 0; i < n; ++i) fill(*list->Add(), i);
    return (HeapInUse() - before) / n;
}

void MemoryPerItemAndLink(benchmark::State& state) {
    constexpr int n = 100000;
    double perItem = 0, perLink = 0;
    for (auto _ : state) {
        std::unique_ptr<TqoDataList, TFree> items(new TqoDataList);
        items->AfterCreate(nullptr, TqoDataEntityClass::Of<TqoDataEntity_GantTime>());
        perItem = BytesPer(TqoDataEntityClass::Of<TqoDataEntity_GantTime>(), n, [](TqoDataEntity&, int) {});
        for (int i = 0; i <= n; ++i) items->Add();
        perLink = BytesPer(TqoDataEntityClass::Of<TqoDataEntity_Link>(), n, [&](TqoDataEntity& e, int i) {
            auto& link = static_cast<TqoDataEntity_Link&>(e);
            link.SetLinkOwner(static_cast<TqoDataEntity_GantTime*>(items->Items(i)));
            link.SetLinkedTo(static_cast<TqoDataEntity_GantTime*>(items->Items(i + 1)));
        });
    }
    state.counters["bytes_per_item"] = perItem;
    state.counters["bytes_per_link"] = perLink;
    state.counters["item_bytes"] = double(sizeof(TqoDataEntity_GantTime));
    state.counters["link_bytes"] = double(sizeof(TqoDataEntity_Link));
    state.counters["entity_base_bytes"] = double(sizeof(TqoDataEntity));
    state.counters["text_collection_bytes"] = double(sizeof(TqoTimeItemTextCollection));
}
BENCHMARK(MemoryPerItemAndLink)->Iterations(1);

} // namespace
