// Data lists against plain containers holding the same objects. Each topic has
// its own baseline; run one topic to get its ratios directly, for example
// `qo-bench-datamodel --benchmark_filter=Append` or `--benchmark_filter=Traverse`.
#include "data/qoDataTraveser.h"
#include "platform/core/qoAlignedBlock.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace qo;

constexpr int32_t kMillion = 1000000;

struct TFree {
    void operator()(TqoExposable* object) const { object->FreeWheneverPossible(); }
};
template <class T> using TOwned = std::unique_ptr<T, TFree>;

TOwned<TqoDataList> NewList(TqoListController* controller = nullptr) {
    TOwned<TqoDataList> list(new TqoDataList);
    list->AfterCreate(controller, TqoDataEntityClass::Of<TqoDataEntity>());
    return list;
}

// The heap in use and the blocks of the small object pool, mapped apart from it.
size_t HeapInUse() {
    return mallinfo2().uordblks + qo::AlignedBlock::HeldBytes();
}

// ---- Append and delete from the end ----

struct alignas(alignof(TqoDataEntity)) TSameSize {
    char Bytes[sizeof(TqoDataEntity)];
};

void Baseline_AppendVectorOfObjects(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<TSameSize*> items;
        for (int32_t i = 0; i < kMillion; ++i) items.push_back(new TSameSize{});
        while (!items.empty()) {
            delete items.back();
            items.pop_back();
        }
        benchmark::DoNotOptimize(items.data());
    }
    state.SetItemsProcessed(state.iterations() * kMillion);
}
BENCHMARK(Baseline_AppendVectorOfObjects)->Unit(benchmark::kMillisecond);

void AppendDataListAndDeleteFromTheEnd(benchmark::State& state) {
    auto list = NewList();
    for (auto _ : state) {
        for (int32_t i = 0; i < kMillion; ++i) list->Add();
        for (int32_t i = kMillion - 1; i >= 0; --i) list->Delete(i);
    }
    state.SetItemsProcessed(state.iterations() * kMillion);
}
BENCHMARK(AppendDataListAndDeleteFromTheEnd)->Unit(benchmark::kMillisecond);

// ---- Lazy list indexes ----

struct TIndexed {
    int32_t Index = -1;
};

void Baseline_RenumberOnce(benchmark::State& state) {
    std::vector<std::unique_ptr<TIndexed>> owned;
    std::vector<TIndexed*> items;
    for (int32_t i = 0; i < 100000; ++i) items.push_back(owned.emplace_back(new TIndexed).get());
    for (auto _ : state) {
        for (size_t k = 0; k < items.size(); ++k) items[k]->Index = int32_t(k);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Baseline_RenumberOnce);

// One ListIndex after 100,000 appends: appended entities know their index,
// so nothing is renumbered. The appends are untimed: a fixed number of rounds.
void RenumberListIndexAfterAppendBurst(benchmark::State& state) {
    auto list = NewList();
    for (auto _ : state) {
        state.PauseTiming();
        list->Clear();
        for (int32_t i = 0; i < 100000; ++i) list->Add();
        state.ResumeTiming();
        benchmark::DoNotOptimize(list->Items(0)->ListIndex());
    }
}
BENCHMARK(RenumberListIndexAfterAppendBurst)->Iterations(50);

// 100 inserts and 100 deletes near the front, then one ListIndex: linear in n.
void RenumberListIndexAfterFrontBurst(benchmark::State& state) {
    auto list = NewList();
    for (int64_t i = 0; i < state.range(0); ++i) list->Add();
    for (auto _ : state) {
        for (int32_t k = 0; k < 100; ++k) list->Insert(1);
        for (int32_t k = 0; k < 100; ++k) list->Delete(2);
        benchmark::DoNotOptimize(list->Items(list->Count() - 1)->ListIndex());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(RenumberListIndexAfterFrontBurst)
    ->RangeMultiplier(2)
    ->Range(12500, 100000)
    ->Complexity(benchmark::oN);

// ---- Traversal: 1,000 rows x 10 layers x 100 items ----

class TRows {
public:
    TRows() : fAll(new TqoDataList3lev) {
        for (int row = 0; row < 1000; ++row) {
            fRows.emplace_back(new TqoDataList2lev);
            fAll->Add(fRows.back().get());
            Plain.emplace_back();
            for (int layer = 0; layer < 10; ++layer) {
                fLayers.push_back(NewList());
                fRows.back()->Add(fLayers.back().get());
                Plain.back().emplace_back();
                for (int i = 0; i < 100; ++i) Plain.back().back().push_back(fLayers.back()->Add());
            }
        }
        fRows[7]->Items(3)->Items(5)->SetUserIntegerReference(1);
    }
    TqoDataList3lev* All() const { return fAll.get(); }
    TqoDataList2lev* Row(int row) const { return fRows[size_t(row)].get(); }
    std::vector<std::vector<std::vector<TqoDataEntity*>>> Plain;

private:
    std::vector<TOwned<TqoDataList>> fLayers;
    std::vector<TOwned<TqoDataList2lev>> fRows;
    TOwned<TqoDataList3lev> fAll;
};

const TRows& Rows() {
    static const TRows rows;
    return rows;
}

void Baseline_TraverseNestedLoop(benchmark::State& state) {
    const TRows& rows = Rows();
    for (auto _ : state) {
        int32_t sum = 0;
        for (const auto& row : rows.Plain)
            for (const auto& layer : row)
                for (TqoDataEntity* entity : layer) sum += entity->UserIntegerReference();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(Baseline_TraverseNestedLoop)->Unit(benchmark::kMillisecond);

// Inline so that the cursor is a local of the walking loop, as in the charts.
inline int32_t SumOfReferences(TDataListTrav trav) {
    int32_t sum = 0;
    for (trav.First(); !trav.Eof(); trav.Next()) sum += trav.DataEntity()->UserIntegerReference();
    return sum;
}

// Row by row, the way a chart paints.
void TraverseRowsWithDataListTrav(benchmark::State& state) {
    const TRows& rows = Rows();
    for (auto _ : state) {
        int32_t sum = 0;
        for (int row = 0; row < 1000; ++row) {
            sum += SumOfReferences(TDataListTrav::CreateMulti(rows.Row(row)));
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(TraverseRowsWithDataListTrav)->Unit(benchmark::kMillisecond);

void TraverseAllWithDataListTrav(benchmark::State& state) {
    const TRows& rows = Rows();
    for (auto _ : state) {
        benchmark::DoNotOptimize(SumOfReferences(TDataListTrav::CreateMultiList(rows.All())));
    }
}
BENCHMARK(TraverseAllWithDataListTrav)->Unit(benchmark::kMillisecond);

// ---- Memory ----

// Heap bytes per plain entity of a 1,000,000-entity list, vector slot included.
void MemoryBytesPerEntity(benchmark::State& state) {
    for (auto _ : state) {
        const size_t before = HeapInUse();
        auto list = NewList();
        for (int32_t i = 0; i < kMillion; ++i) list->Add();
        state.counters["bytes_per_entity"] = double(HeapInUse() - before) / kMillion;
        state.counters["sizeof_entity"] = double(sizeof(TqoDataEntity));
    }
}
BENCHMARK(MemoryBytesPerEntity)->Iterations(1)->Unit(benchmark::kMillisecond);

// Random reads of a list of 10,000,000 declared entities whose owner lets
// every entity go: memory stays bounded by the loading window.
void MemoryVirtualListRandomReads(benchmark::State& state) {
    TqoListController controller;
    controller.SetOnUnLoadItem([](TqoDataEntity*, bool& may) { may = true; });
    auto list = NewList(&controller);
    list->AddUnloaded(10 * kMillion);
    std::mt19937 random(42);
    std::uniform_int_distribution<int32_t> index(0, 10 * kMillion - 1);
    const size_t before = HeapInUse();
    int32_t maxLoaded = 0;
    size_t maxHeap = 0;
    for (auto _ : state) {
        const int32_t at = index(random);
        // A read and a few of its neighbours, as a scrolled view does.
        for (int32_t i = at; i < std::min(at + 1000, list->Count()); ++i)
            benchmark::DoNotOptimize(list->Items(i));
        maxLoaded = std::max(maxLoaded, list->LoadedCount());
        maxHeap = std::max(maxHeap, HeapInUse());
    }
    state.counters["max_loaded"] = maxLoaded;
    state.counters["max_heap_growth_bytes"] = double(maxHeap - before);
}
BENCHMARK(MemoryVirtualListRandomReads)->Iterations(2000);

} // namespace
