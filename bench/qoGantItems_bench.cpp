// Painting time items at scale, in a 1,920 x 1,080 component: a frame of a
// chart of 100,000 rows with two items each against 100 rows showing the
// same, without and with 50,000 links, and one row of 10,000 items of which 20 show against a row of 20.
// A paint looks only at the rows that show and, in a row, at the items near
// the visible window, so each pair should cost about the same.
#include "qoGantBenchChart.h"

#include <string>

namespace {

using namespace qo;
using bench::kMonday;

struct TScene : bench::TGantBenchChart {
    TqoDataEntity_GantTime* Item(TqoDataEntity_Tree* node, double from, double to, TGantTimeStyle style) {
        TqoDataEntity_GantTime* item = Gant->AddGantTime(node, 0);
        item->SetStart(kMonday + from);
        item->SetStop(kMonday + to);
        item->SetStyle(style);
        item->SetColor(0x40A0E0);
        return item;
    }
};

// Rows of two items each, a bar and a pipe; with links, every other row's
// bar leads to the next row's pipe.
void PaintRows(benchmark::State& state, bool links) {
    TScene scene;
    TqoTree_ComBasic& tree = *scene.Gant->TreeView();
    TqoDataEntity_GantTime* previous = nullptr;
    for (int r = 0; r < state.range(0); ++r) {
        TqoDataEntity_Tree* row = tree.AddDataEntity(nullptr);
        row->SetText("Task");
        TqoDataEntity_GantTime* bar = scene.Item(row, r % 20, r % 20 + 3, gtsSquare);
        TqoDataEntity_GantTime* pipe = scene.Item(row, r % 20 + 4, r % 20 + 6, gtsPipe);
        if (links && previous && r % 2 == 1) {
            TqoDataEntity_Link* link = scene.Gant->AddLink();
            link->SetLinkOwner(previous);
            link->SetLinkedTo(pipe);
        }
        previous = bar;
    }
    scene.PaintFrames(state);
}

void Baseline_Frame100Rows(benchmark::State& state) { PaintRows(state, false); }
BENCHMARK(Baseline_Frame100Rows)->Arg(100)->Unit(benchmark::kMicrosecond);

void Frame100000Rows200000Items(benchmark::State& state) { PaintRows(state, false); }
BENCHMARK(Frame100000Rows200000Items)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The same with a link every other row: 50 against 50,000.
void Baseline_Frame100RowsLinked(benchmark::State& state) { PaintRows(state, true); }
BENCHMARK(Baseline_Frame100RowsLinked)->Arg(100)->Unit(benchmark::kMicrosecond);

void Frame100000Rows50000Links(benchmark::State& state) { PaintRows(state, true); }
BENCHMARK(Frame100000Rows50000Links)->Arg(100000)->Unit(benchmark::kMicrosecond);

// One row: 20 items in the window, the rest before and after it.
void PaintLongRow(benchmark::State& state) {
    TScene scene;
    TqoDataEntity_Tree* row = scene.Gant->TreeView()->AddDataEntity(nullptr);
    row->SetText("Long row");
    const int outside = int(state.range(0)) - 20;
    for (int i = 0; i < outside / 2; ++i) scene.Item(row, -1000 + i * 0.1, -1000 + i * 0.1 + 0.5, gtsSquare);
    for (int i = 0; i < 20; ++i) scene.Item(row, i * 1.3, i * 1.3 + 0.8, gtsSquare);
    for (int i = 0; i < outside - outside / 2; ++i) scene.Item(row, 100 + i * 0.1, 100 + i * 0.1 + 0.5, gtsSquare);
    scene.PaintFrames(state);
}

void Baseline_RowOf20Items(benchmark::State& state) { PaintLongRow(state); }
BENCHMARK(Baseline_RowOf20Items)->Arg(20)->Unit(benchmark::kMicrosecond);

void RowOf10000Items20Visible(benchmark::State& state) { PaintLongRow(state); }
BENCHMARK(RowOf10000Items20Visible)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
