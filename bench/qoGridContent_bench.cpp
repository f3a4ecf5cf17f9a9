// The grid content model while painting: sizing, drawing traversal and hit
// tests of one screen, and scrolling a 100,000-row virtual axis. Every
// iteration handles one screen of cells, so each ratio is a cost per visible
// cell against a plain walk over the same number of sizes.
#include "grid/qoBabGridContent.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using namespace qo;

// 50 columns of 20 pixels fill the width; 30 rows and a broken one the height.
const TRect kScreen(0, 0, 1000, 610);
constexpr int kColumns = 50;
constexpr int kScreenRows = 31;

// Rows are unloaded off screen only on a virtual axis.
std::unique_ptr<TBabGridCellForViewer> MakeGrid(int columns, int loadedRows, int virtualRows) {
    auto root = std::make_unique<TBabGridCellForViewer>(nullptr, TBabCellDataClass::Of<TBabSimpleCellData>(),
                                                        TBabCellDataClass::Of<TBabGridCellData>());
    for (int i = 0; i < columns; ++i) root->AxisContentListX()->AddNew(nullptr);
    for (int i = 0; i < loadedRows; ++i) root->AxisContentListY()->AddNew(nullptr);
    root->AxisContentListY()->AddUnloaded(virtualRows);
    if (virtualRows > 0)
        root->OnVirtualUnLoad = [](TBabGridCell*, TAxisContentItem*, bool, bool, bool& answer) {
            answer = true;
        };
    return root;
}

// Row and column maxima over a screen of plain sizes: what sizing must do at least.
void Baseline_ScreenOfSizes(benchmark::State& state) {
    std::vector<int> sizes(kColumns * kScreenRows);
    for (size_t i = 0; i < sizes.size(); ++i) sizes[i] = 20 + int(i % 3);
    std::vector<int> rows(kScreenRows), columns(kColumns);
    for (auto _ : state) {
        std::fill(rows.begin(), rows.end(), 0);
        for (int x = 0; x < kColumns; ++x) {
            int width = 0;
            for (int y = 0; y < kScreenRows; ++y) {
                const int s = sizes[x * kScreenRows + y];
                rows[y] = std::max(rows[y], s);
                width = std::max(width, s);
            }
            columns[x] = width;
        }
        benchmark::DoNotOptimize(rows.data());
        benchmark::DoNotOptimize(columns.data());
    }
    state.SetItemsProcessed(state.iterations() * kColumns * kScreenRows);
}
BENCHMARK(Baseline_ScreenOfSizes);

// A 1,000 x 50 grid sized for the screen in its middle.
std::unique_ptr<TBabGridCellForViewer> SizedScreen() {
    auto root = MakeGrid(kColumns, 1000, 0);
    root->SetTop(400);
    root->CalcVisibleArea(kScreen);
    return root;
}

void Draw_1000x50(benchmark::State& state) {
    auto root = SizedScreen();
    int drawn = 0;
    const TBabGridCell::TDrawCellCallback count = [&](const TRect&, TBabCell*, TBabDrawState) { ++drawn; };
    for (auto _ : state) root->Draw(kScreen, count);
    benchmark::DoNotOptimize(drawn);
    state.SetItemsProcessed(state.iterations() * kColumns * kScreenRows);
}
BENCHMARK(Draw_1000x50);

// One hit test per visible cell, at its centre.
void HitTests_1000x50(benchmark::State& state) {
    auto root = SizedScreen();
    for (auto _ : state)
        for (int x = 0; x < kColumns; ++x)
            for (int y = 0; y < kScreenRows; ++y)
                benchmark::DoNotOptimize(root->CellFromPix(x * 20 + 10, y * 20 + 10, true));
    state.SetItemsProcessed(state.iterations() * kColumns * kScreenRows);
}
BENCHMARK(HitTests_1000x50);

constexpr int kVirtualRows = 100000;
constexpr int kLastTop = kVirtualRows - kScreenRows;

// Sizes one screen after each scroll step; next(top) gives the next top row.
template <class TNext> void Scrolled(benchmark::State& state, int loadedRows, int virtualRows, TNext next) {
    auto root = MakeGrid(kColumns, loadedRows, virtualRows);
    int top = 0;
    for (auto _ : state) {
        top = next(top);
        root->SetTop(top);
        root->CalcVisibleArea(kScreen);
    }
    state.counters["loaded rows"] = root->AxisContentListY()->LoadedCount();
    state.SetItemsProcessed(state.iterations() * kColumns * kScreenRows);
}

// Sizing a 1,000 x 50 grid, all loaded, at a new scroll position each time.
BENCHMARK_CAPTURE(Scrolled, Sizes_1000x50, 1000, 0,
                  [](int top) { return (top + 37) % (1000 - kScreenRows); });
// A 100,000-row virtual axis a page at a time, end to end and again: every
// page loads its rows and unloads the previous ones.
BENCHMARK_CAPTURE(Scrolled, ByPage_100000, 0, kVirtualRows,
                  [](int top) { return top + kScreenRows - 1 < kLastTop ? top + kScreenRows - 1 : 0; });
// A row at a time: one row loaded and one unloaded per step.
BENCHMARK_CAPTURE(Scrolled, ByRow_100000, 0, kVirtualRows,
                  [](int top) { return top + 1 < kLastTop ? top + 1 : 0; });
// Jumps across the axis (the scroll bar's thumb): everything unloaded, a new window loaded.
BENCHMARK_CAPTURE(Scrolled, ByJump_100000, 0, kVirtualRows, [](int top) { return (top + 33331) % kLastTop; });

// The whole axis, top to bottom a page at a time, in every iteration.
void ScrollEndToEnd_100000(benchmark::State& state) {
    auto root = MakeGrid(kColumns, 0, kVirtualRows);
    int pages = 0;
    for (auto _ : state) {
        for (int top = 0; top < kLastTop; top += kScreenRows - 1, ++pages) {
            root->SetTop(top);
            root->CalcVisibleArea(kScreen);
        }
    }
    state.counters["pages"] = benchmark::Counter(pages, benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(int64_t(pages) * kColumns * kScreenRows);
}
BENCHMARK(ScrollEndToEnd_100000);

} // namespace
