// Printing the Gantt chart page by page on A4 landscape at 300 DPI: a tree of
// 10,000 rows of one item each over as many pages as it needs, against 100
// rows. Times are processor time per page (each iteration's divided by its
// pages), so the two should cost about the same.
#include "qoGantBenchChart.h"

#include "gantt/qoPrintGantt.h"

#include <algorithm>
#include <ctime>
#include <string>

namespace {

using namespace qo;

using bench::kMonday;

constexpr int PageWidth = 3508, PageHeight = 2480, Margin = 150;

struct TScene : bench::TGantBenchChart {
    explicit TScene(int rows) {
        AddPhasesOfTasks(rows, false);
        Harness.RunUntilIdle();
    }
};

void PrintPages(benchmark::State& state) {
    TScene scene(int(state.range(0)));
    TBitmap page(PageWidth, PageHeight);
    page.Handle().SetResolution(300, 300);
    const int handle = TqoPrintGantt::RegisterDC([&page] { return &page.Handle(); });
    int pages = 0;
    scene.Gant->OnPrintToHdcNewPage = [&](TComponent*, int, int& height, int&, bool&, bool&) {
        ++pages;
        scene.Gant->SetHdcToUseOnNewPage(handle);
        height = PageHeight - Margin;
    };
    const double scale = 300 / 96.0;
    TqoGantPrintArgs args;
    args.DC = &page.Handle();
    args.X = args.Y = Margin;
    args.ScaleX = args.ScaleY = scale;
    args.TreeWidth = 300;
    args.ScaleLength = int((PageWidth - 2 * Margin) / scale) - args.TreeWidth;
    args.ScaleHeight = 45;
    args.StartDate = kMonday;
    args.StopDate = kMonday + 28;
    args.ExpandAll = true;
    // Glyphs at the page's sizes are rendered once, before anything is timed.
    TqoPrintGantt::Print(*scene.Gant, args, nullptr);
    for (auto _ : state) {
        pages = 0;
        // Processor time: the other programs on a shared machine weigh less in it than in wall time.
        const std::clock_t start = std::clock();
        TqoPrintGantt::Print(*scene.Gant, args, nullptr);
        const double elapsed = double(std::clock() - start) / CLOCKS_PER_SEC;
        state.SetIterationTime(elapsed / std::max(1, pages));
    }
    TqoPrintGantt::UnregisterDC(handle);
    state.counters["pages"] = pages;
}

void Baseline_PrintPagesOf100Rows(benchmark::State& state) { PrintPages(state); }
BENCHMARK(Baseline_PrintPagesOf100Rows)->Arg(100)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

// Pages as full as the larger print's: what grows with the rows, if anything, shows beside it.
void PrintPagesOf1000Rows(benchmark::State& state) { PrintPages(state); }
BENCHMARK(PrintPagesOf1000Rows)->Arg(1000)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void PrintPagesOf10000Rows(benchmark::State& state) { PrintPages(state); }
BENCHMARK(PrintPagesOf10000Rows)->Arg(10000)->UseManualTime()->Iterations(4)->Unit(benchmark::kMillisecond);

} // namespace
