// The Gantt chart at scale: painting the chart area of a 1,920 x 1,080
// component whose tree holds 100,000 rows of one item each, against the same
// paint with 100 rows. A paint touches the rows that show, so the two should
// cost the same.
#include "qoGantBenchChart.h"

#include <memory>
#include <string>

namespace {

using namespace qo;

using bench::kMonday;

struct TScene : bench::TGantBenchChart {
    explicit TScene(int rows) {
        Gant->SetHiddenDays((1u << thdSAT) | (1u << thdSUN));
        Gant->TreeView()->SetMaxLevels(2);
        AddPhasesOfTasks(rows, true);
    }
};

void PaintChart(benchmark::State& state) {
    TScene scene(int(state.range(0)));
    scene.PaintFrames(state);
}

void Baseline_Paint100Rows(benchmark::State& state) { PaintChart(state); }
BENCHMARK(Baseline_Paint100Rows)->Arg(100)->Unit(benchmark::kMicrosecond);

void Paint100000Rows(benchmark::State& state) { PaintChart(state); }
BENCHMARK(Paint100000Rows)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
