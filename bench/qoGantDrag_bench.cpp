// One mouse move while an item is dragged, and one item given new times then
// repainted, against a plain repaint of the same chart (100 rows of two items,
// 1,920 x 1,080). A move inverts the old outline and draws the new one on the
// window; it should cost no more than a frame. A moved item costs its row's
// index and a frame, never a pass over the chart.
#include "qoGantBenchChart.h"

namespace {

using namespace qo;
using bench::kMonday;

struct TScene : bench::TGantBenchChart {
    TqoDataEntity_GantTime* Dragged = nullptr;
    TScene() {
        TqoTree_ComBasic& tree = *Gant->TreeView();
        for (int r = 0; r < 100; ++r) {
            TqoDataEntity_Tree* row = tree.AddDataEntity(nullptr);
            row->SetText("Task");
            for (double from : {double(r % 20), r % 20 + 4.0}) {
                TqoDataEntity_GantTime* item = Gant->AddGantTime(row, 0);
                item->SetStart(kMonday + from);
                item->SetStop(kMonday + from + 3);
                if (!Dragged) Dragged = item;
            }
        }
        Harness.RunUntilIdle();
        Gant->GA()->Repaint();
    }
};

void Baseline_RepaintChart(benchmark::State& state) {
    TScene scene;
    scene.PaintFrames(state);
}
BENCHMARK(Baseline_RepaintChart)->Unit(benchmark::kMicrosecond);

void MouseMoveDraggingOneItem(benchmark::State& state) {
    TScene scene;
    TqoOffscreenPaint_GA& area = *scene.Gant->GA();
    const TRect r = scene.Gant->RectFromDataEntity(scene.Dragged);
    const TPoint at{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    scene.Harness.MouseDown(area, at);
    scene.Harness.RunUntilIdle();
    if (scene.Gant->Interaction().Mode() != qo::mmMove) state.SkipWithError("the press started no move");
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 200;
        scene.Harness.MouseMove(area, {at.X + step, at.Y + step / 4}, ssLeft);
    }
    if (scene.Gant->Interaction().Mode() != qo::mmMove) state.SkipWithError("the drag ended early");
    scene.Harness.MouseUp(area, at);
}
BENCHMARK(MouseMoveDraggingOneItem)->Unit(benchmark::kMicrosecond);

void ItemMovedThenRepainted(benchmark::State& state) {
    TScene scene;
    TqoOffscreenPaint_GA& area = *scene.Gant->GA();
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 10;
        scene.Dragged->SetStart(kMonday + step);
        scene.Dragged->SetStop(kMonday + step + 3);
        scene.Harness.RunUntilIdle();
        area.Repaint();
    }
}
BENCHMARK(ItemMovedThenRepainted)->Unit(benchmark::kMicrosecond);

} // namespace
