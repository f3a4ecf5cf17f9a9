// The grid view heads the Gantt chart's rows, so a paint must cost what shows.
// Baseline: a full paint (layout included) of a 100-row grid; against it the
// same window over 1,000,000 virtual rows (at most 1.3), a scroll by one page
// with its paint, and the auto-size of a column over 100,000 rows, whose
// items are the rows measured (the cost per row is in items per second).
#include "grid/qoBabGridView.h"
#include "platform/window/qoHeadless.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qo;

struct TScene {
    THeadlessHarness Harness;
    TPanel Form{nullptr};
    TBabGridView* View;

    explicit TScene(int rows) {
        Form.SetBounds(0, 0, 640, 480);
        View = new TBabGridView(&Form);
        View->SetParent(&Form);
        View->SetBounds(0, 0, 600, 440);
        View->OnInitContent = [](TComponent*, TBabSimpleCellStringData* data) {
            data->SetString("row " + std::to_string(data->BabCell()->RowIndex()));
        };
        TBabGridCellForViewer* root = View->MainGrid();
        root->OnVirtualUnLoad = [](TBabGridCell*, TAxisContentItem*, bool, bool, bool& answer) { answer = true; };
        for (int i = 0; i < 6; ++i) root->AxisContentListX()->AddNew(nullptr);
        root->AxisContentListY()->AddNew(nullptr);
        root->SetFixedRows(1);
        root->AxisContentListY()->AddUnloaded(rows);
        root->SetTop(rows / 2);
        View->Repaint();
    }
    void Paint() {
        View->SetSoftViewParamsOutOfDate();
        View->Repaint();
    }
};

void Baseline_Paint100Rows(benchmark::State& state) {
    TScene scene(100);
    for (auto _ : state) scene.Paint();
}
BENCHMARK(Baseline_Paint100Rows);

void Paint1000000Rows(benchmark::State& state) {
    TScene scene(1000000);
    for (auto _ : state) scene.Paint();
}
BENCHMARK(Paint1000000Rows);

// Alternately one page down and back up, each with its paint.
void ScrollOnePage1000000Rows(benchmark::State& state) {
    TScene scene(1000000);
    TBabGridCellForViewer* root = scene.View->MainGrid();
    const int page = root->VisibleRowCount() - root->FixedRows();
    int direction = 1;
    for (auto _ : state) {
        root->SetTop(root->Top() + direction * page);
        direction = -direction;
        scene.View->Repaint();
    }
}
BENCHMARK(ScrollOnePage1000000Rows);

void AutoSizeColumn100000Rows(benchmark::State& state) {
    TScene scene(100000);
    TBabGridCellForViewer* root = scene.View->MainGrid();
    TBabCell* header = root->getCell(1, 0);
    for (auto _ : state) scene.View->HandleAutoSize(header);
    state.SetItemsProcessed(state.iterations() * root->AxisContentListY()->VisibleCount());
    state.counters["rows measured"] = root->AxisContentListY()->VisibleCount();
}
BENCHMARK(AutoSizeColumn100000Rows);

} // namespace
