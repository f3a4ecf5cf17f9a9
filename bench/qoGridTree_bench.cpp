// The grid tree at scale. Building: a tree of 100,000 nodes against one of
// 10,000 of the same shape (roots with nine children each, added as a host
// adds them, parent first), which must grow linearly. Expanding and
// collapsing a node with 10,000 child rows: in a grid of 20,000 rows as the
// baseline, in one of 110,000 rows (the rest of the grid must not be walked)
// and, for scale, a node with 1,000 child rows. Filling 10,000 children on a
// first expansion: at the end of 100,000 rows as the baseline, and in front of
// them, where every new row shifts the content model's rows behind it.
#include "grid/qoGridTree.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace qo;

struct TScene {
    std::unique_ptr<TBabGridCellForViewer> Root = std::make_unique<TBabGridCellForViewer>(
        nullptr, TBabCellDataClass::Of<TBabSimpleCellData>(), TBabCellDataClass::Of<TBabGridCellData>());
    std::unique_ptr<TqoGridTree> Tree;
    TScene() {
        Root->AxisContentListX()->AddNew(nullptr);
        Root->AxisContentListY()->AddNew(nullptr);
        Root->SetFixedRows(1);
        Tree = TqoGridTree::Create(Root.get());
    }
};

void Build(benchmark::State& state, int nodes) {
    for (auto _ : state) {
        auto scene = std::make_unique<TScene>();
        for (int i = 0; i < nodes / 10; ++i) {
            TqoDataEntity_GridTreeNode* parent = scene->Tree->AddDataEntity(nullptr);
            for (int j = 0; j < 9; ++j) scene->Tree->AddDataEntity(parent);
        }
        benchmark::DoNotOptimize(scene->Root->AxisContentListY()->Count());
        state.PauseTiming();
        scene.reset();
        state.ResumeTiming();
    }
    state.counters["nodes"] = nodes;
}

void Baseline_Build10kNodes(benchmark::State& state) { Build(state, 10000); }
BENCHMARK(Baseline_Build10kNodes)->Unit(benchmark::kMillisecond);

void Build100kNodes(benchmark::State& state) { Build(state, 100000); }
BENCHMARK(Build100kNodes)->Unit(benchmark::kMillisecond);

// One node with `children` child rows, followed by `others` root rows.
void ExpandCollapse(benchmark::State& state, int children, int others) {
    TScene scene;
    TqoDataEntity_GridTreeNode* parent = scene.Tree->AddDataEntity(nullptr);
    for (int i = 0; i < children; ++i) scene.Tree->AddDataEntity(parent);
    for (int i = 0; i < others; ++i) scene.Tree->AddDataEntity(nullptr);
    for (auto _ : state) {
        parent->SetExpanded(true);
        parent->SetExpanded(false);
    }
    state.counters["rows"] = double(scene.Root->AxisContentListY()->Count());
}

void Baseline_ExpandCollapse10kRowsIn20kGrid(benchmark::State& state) { ExpandCollapse(state, 10000, 10000); }
BENCHMARK(Baseline_ExpandCollapse10kRowsIn20kGrid);

void ExpandCollapse10kRowsIn110kGrid(benchmark::State& state) { ExpandCollapse(state, 10000, 100000); }
BENCHMARK(ExpandCollapse10kRowsIn110kGrid);

void ExpandCollapse1kRowsIn20kGrid(benchmark::State& state) { ExpandCollapse(state, 1000, 19000); }
BENCHMARK(ExpandCollapse1kRowsIn20kGrid);

// The host adds 10,000 children when the node is first expanded.
void FillOnFirstExpansion(benchmark::State& state, bool parentFirst) {
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = std::make_unique<TScene>();
        TqoGridTree& tree = *scene->Tree;
        if (!parentFirst)
            for (int i = 0; i < 100000; ++i) tree.AddDataEntity(nullptr);
        TqoDataEntity_GridTreeNode* parent = tree.AddDataEntity(nullptr);
        if (parentFirst)
            for (int i = 0; i < 100000; ++i) tree.AddDataEntity(nullptr);
        tree.SetTreeControllerCallBackInitSubList([](TqoGridTree* t, TqoDataEntity_GridTreeNode* node) {
            for (int i = 0; i < 10000; ++i) t->AddDataEntity(node);
        });
        state.ResumeTiming();
        parent->SetExpanded(true);
        state.PauseTiming();
        scene.reset();
        state.ResumeTiming();
    }
}

void Baseline_Fill10kRowsAfter100kRows(benchmark::State& state) { FillOnFirstExpansion(state, false); }
BENCHMARK(Baseline_Fill10kRowsAfter100kRows)->Unit(benchmark::kMillisecond);

void Fill10kRowsBefore100kRows(benchmark::State& state) { FillOnFirstExpansion(state, true); }
BENCHMARK(Fill10kRowsBefore100kRows)->Unit(benchmark::kMillisecond);

} // namespace
