// Gantt rows at scale: building rows with one item each (100,000 against
// 10,000: linear means about 10), removing them from the first, finding a row from a y and hit-testing an
// item (100,000 rows against 100: the same cost), the same and a paint with
// the grid heading the rows, and the memory of a row with one item, its tree
// node and its layer included, and of an item the component made.
#include "qoGantBenchChart.h"
#include "qoGantRowFake.h"

#include "grid/qoGrid.h"

#include "platform/core/qoAlignedBlock.h"
#include "platform/core/qoSmallObjectPool.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoPanel.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

using namespace qo;

#ifdef __GLIBC__
// Freed memory stays with the heap, so that a build of either size reuses the
// pages of the one before it: otherwise only the large build pays the system
// for fresh pages, as the small one fits in what the heap keeps anyway.
const int kKeepHeap = mallopt(M_TRIM_THRESHOLD, 1 << 30) + mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif

// A tree of 400 x 1,000 pixels heading n rows of 20 pixels with one item each.
struct TScene {
    THeadlessHarness Harness;
    TPanel Form{nullptr};
    test::TFakeGant Gant;
    TGantTree* Tree;
    explicit TScene(int n) {
        Gant.Logging = false;
        Form.SetBounds(0, 0, 400, 1000);
        Tree = new TGantTree(&Form, &Gant, &Gant);
        Tree->SetParent(&Form);
        Tree->SetBounds(0, 0, 400, 1000);
        Tree->SetItemHeight(20);
        Gant.Source = Tree;
        AddRows(n);
    }
    void AddRows(int n) {
        for (int i = 0; i < n; ++i) {
            TqoDataEntity_Tree* node = Tree->AddDataEntity(nullptr);
            Gant.AddItem(Gant.RowList()->FindRowFromTreeNode(node), 0, 0.5, 2.5);
        }
        Tree->EnsureDisplayUpToDate();
    }
    ~TScene() { delete Tree; }
};

void Build(benchmark::State& state, int n) {
    std::make_unique<TScene>(n).reset(); // warms the heap

    for (auto _ : state) {
        auto scene = std::make_unique<TScene>(n);
        benchmark::DoNotOptimize(scene.get());
        state.PauseTiming();
        scene.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = n;
}

void Baseline_Build10000Rows(benchmark::State& state) { Build(state, 10000); }
BENCHMARK(Baseline_Build10000Rows)->Unit(benchmark::kMillisecond);
void Build100000Rows(benchmark::State& state) { Build(state, 100000); }
BENCHMARK(Build100000Rows)->Unit(benchmark::kMillisecond)->Iterations(4);

// Every row removed, the first each time, as a host empties a chart from the
// top, and the tree brought up to date for the next paint (10,000 against
// 1,000: linear means about 10).
void RemoveFromTheFront(benchmark::State& state, int n) {
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = std::make_unique<TScene>(n);
        state.ResumeTiming();
        TqoDataList_Tree* roots = scene->Tree->RootDataEntities();
        while (roots->Count()) scene->Tree->RemoveDataEntity(roots->Item(0));
        scene->Tree->EnsureDisplayUpToDate();
        state.PauseTiming();
        scene.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = n;
}

void Baseline_RemoveFromTheFront1000Rows(benchmark::State& state) { RemoveFromTheFront(state, 1000); }
BENCHMARK(Baseline_RemoveFromTheFront1000Rows)->Unit(benchmark::kMillisecond);
void RemoveFromTheFront10000Rows(benchmark::State& state) { RemoveFromTheFront(state, 10000); }
BENCHMARK(RemoveFromTheFront10000Rows)->Unit(benchmark::kMillisecond)->Iterations(3);

// Scrolled to the middle, every y of the window in turn; a hit test also
// looks for the item under the point.
void Find(benchmark::State& state, int n, bool hit) {
    TScene scene(n);
    scene.Tree->SetTopItem(scene.Tree->RootDataEntities()->Item(n / 2));
    scene.Gant.RowList()->GeometryChanged();
    int y = 0;
    for (auto _ : state) {
        y = (y + 7) % 1000;
        TGantRow* row = scene.Gant.RowList()->FindRowFromY(y);
        benchmark::DoNotOptimize(hit && row ? static_cast<void*>(row->FindDataEntityFromXY(120, y)) : row);
    }
}

void Baseline_FindRowFromY100Rows(benchmark::State& state) { Find(state, 100, false); }
BENCHMARK(Baseline_FindRowFromY100Rows);
void FindRowFromY100000Rows(benchmark::State& state) { Find(state, 100000, false); }
BENCHMARK(FindRowFromY100000Rows);
void Baseline_HitTest100Rows(benchmark::State& state) { Find(state, 100, true); }
BENCHMARK(Baseline_HitTest100Rows);
void HitTest100000Rows(benchmark::State& state) { Find(state, 100000, true); }
BENCHMARK(HitTest100000Rows);

#ifdef __GLIBC__
// The heap in use and the blocks of the small object pool and the link arena,
// mapped apart from it and counted whole.
double MemoryInUse() { return double(mallinfo2().uordblks + AlignedBlock::HeldBytes()); }

double PoolSpareBytes() {
    const SmallObjectPool::TUsage pool = SmallObjectPool::Usage();
    return double(pool.BlockBytes - pool.LiveBytes);
}
#endif

// The memory taken per row, measured over 100,000 rows, where the pool's last,
// partly used blocks weigh little: the tree's entity and node, the row, its
// layer set, one layer and one item. The pool's free slots are counted in;
// pool_spare_bytes says how many there are in the end.
void MemoryPerRow(benchmark::State& state) {
    constexpr int n = 100000;
    double perRow = 0, spare = 0;
    for (auto _ : state) {
#ifdef __GLIBC__
        TScene scene(0);
        const double before = MemoryInUse();
        scene.AddRows(n);
        perRow = (MemoryInUse() - before) / n;
        spare = PoolSpareBytes();
#endif
    }
    state.counters["bytes_per_row"] = perRow;
    state.counters["pool_spare_bytes"] = spare;
    state.counters["row_bytes"] = double(sizeof(TGantRow));
    state.counters["layer_set_bytes"] = double(sizeof(TqoDataList2lev));
    state.counters["layer_bytes"] = double(sizeof(TqoDataList_GantRow));
    state.counters["item_bytes"] = double(sizeof(TqoDataEntity_GantTime));
    state.counters["tree_entity_bytes"] = double(sizeof(TqoDataEntity_Tree));
    state.counters["tree_node_bytes"] = double(sizeof(TTreeNode_qoSub));
}
BENCHMARK(MemoryPerRow)->Iterations(1);

// Where a row's bytes go, measured step by step over 100,000 rows: the tree's
// entity with the row and its layer set that it brings, the tree's node
// (a childless node's placeholder deferred within it), the first layer, the item.
void MemoryPerRowByPart(benchmark::State& state) {
    constexpr int n = 100000;
    double entity = 0, node = 0, layer = 0, item = 0;
    for (auto _ : state) {
#ifdef __GLIBC__
        TScene scene(0);
        std::vector<TqoDataEntity_Tree*> nodes;
        nodes.reserve(n);
        const auto heap = MemoryInUse;
        double before = heap();
        for (int i = 0; i < n; ++i) nodes.push_back(scene.Tree->AddDataEntity(nullptr));
        entity = (heap() - before) / n;
        before = heap();
        scene.Tree->EnsureDisplayUpToDate();
        node = (heap() - before) / n;
        std::vector<TGantRow*> rows;
        rows.reserve(n);
        for (TqoDataEntity_Tree* e : nodes) rows.push_back(scene.Gant.RowList()->FindRowFromTreeNode(e));
        before = heap();
        for (TGantRow* row : rows) row->Layer(0);
        layer = (heap() - before) / n;
        before = heap();
        for (TGantRow* row : rows) scene.Gant.AddItem(row, 0, 0.5, 2.5);
        item = (heap() - before) / n;
#endif
    }
    state.counters["entity_row_and_layer_set"] = entity;
    state.counters["tree_node"] = node;
    state.counters["layer"] = layer;
    state.counters["item"] = item;
    // The row and its layer lists with the header node: what a row costs
    // whatever its items hold.
    state.counters["row_with_layers_and_node"] = entity + node + layer;
}
BENCHMARK(MemoryPerRowByPart)->Iterations(1);

// The memory an item takes in the component, over 10,000 rows already made:
// with what the component gives every item, which the rows above leave out.
void MemoryPerChartItem(benchmark::State& state) {
    constexpr int n = 10000;
    double perItem = 0;
    for (auto _ : state) {
#ifdef __GLIBC__
        bench::TGantBenchChart chart;
        std::vector<TqoDataEntity_Tree*> nodes;
        for (int i = 0; i < n; ++i) nodes.push_back(chart.Gant->TreeView()->AddDataEntity(nullptr));
        for (TqoDataEntity_Tree* node : nodes) chart.Gant->RowList()->FindRowFromTreeNode(node)->Layer(0);
        const double before = MemoryInUse();
        for (TqoDataEntity_Tree* node : nodes) chart.Gant->AddGantTime(node, 0);
        perItem = (MemoryInUse() - before) / n;
#endif
    }
    state.counters["item_with_texts"] = perItem;
}
BENCHMARK(MemoryPerChartItem)->Iterations(1);

// The chart of the Gantt benchmarks headed by the grid: phases of 100 tasks,
// all open, one item each; the grid scrolled to the middle.
struct TGridScene : bench::TGantBenchChart {
    explicit TGridScene(int rows) {
        Gant->SetUseGridNotTree(true);
        for (int made = 0; made < rows;) {
            TqoDataEntity_GridTreeNode* phase = Gant->GridNode_Add(nullptr);
            ++made;
            for (int t = 0; t < 99 && made < rows; ++t, ++made) {
                TqoDataEntity_GantTime* item = Gant->GridNode_AddGantTime(Gant->GridNode_Add(phase), 0);
                item->SetStart(bench::kMonday + t % 20);
                item->SetStop(bench::kMonday + t % 20 + 3);
            }
            phase->SetExpanded(true);
        }
        TBabGridCell& grid = *static_cast<TGantGridHeader*>(Gant->Grid())->Grid()->MainGrid();
        grid.SetTop(grid.AxisContentListY()->Count() / 2);
        Harness.RunUntilIdle();
    }
};

void GridPaint(benchmark::State& state, int n) {
    TGridScene scene(n);
    scene.PaintFrames(state);
}

void Baseline_GridPaint100Rows(benchmark::State& state) { GridPaint(state, 100); }
BENCHMARK(Baseline_GridPaint100Rows)->Unit(benchmark::kMicrosecond);
void GridPaint100000Rows(benchmark::State& state) { GridPaint(state, 100000); }
BENCHMARK(GridPaint100000Rows)->Unit(benchmark::kMicrosecond);

void GridFind(benchmark::State& state, int n) {
    TGridScene scene(n);
    TGantRowList& rows = *scene.Gant->RowList();
    int y = 0;
    for (auto _ : state) {
        y = (y + 7) % 1000;
        TGantRow* row = rows.FindRowFromY(y);
        benchmark::DoNotOptimize(row ? static_cast<void*>(row->FindDataEntityFromXY(120, y)) : row);
    }
}

void Baseline_GridHitTest100Rows(benchmark::State& state) { GridFind(state, 100); }
BENCHMARK(Baseline_GridHitTest100Rows);
void GridHitTest100000Rows(benchmark::State& state) { GridFind(state, 100000); }
BENCHMARK(GridHitTest100000Rows);

} // namespace
