// Collision detection at scale. One row: the sweep over 10,000 items against
// 1,000 (n log n means about 13; at most 15), with the pairwise loop beside it
// (quadratic: about 100). Many rows: 10,000 rows detected through the deferred
// queue and the workers, per row, against one row.
#include "qoGantBenchChart.h"

#include "gantt/qoTimeDistinctThread.h"

#include <chrono>
#include <random>
#include <vector>

namespace {

using namespace qo;
using namespace qo::bench;

// Rows of items an hour to four long, started at random over as many hours as
// there are items: a few overlap at any moment, whatever the length of the
// row. Each iteration takes the next of several different rows: given one row
// again and again, the processor learns the outcome of every branch for a
// thousand items (not for ten thousand) and the smaller row looks faster than
// any row it has not seen.
constexpr int kRows = 8;

std::vector<TDistinctTimeHolderList> RandomRows(int count) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> start(0, count * 60), length(60, 240);
    std::vector<TDistinctTimeHolderList> rows(kRows);
    for (TDistinctTimeHolderList& list : rows)
        for (int i = 0; i < count; ++i) {
            const TDateTime from = kMonday + start(random) * OneMinute;
            list.Add(from, from + length(random) * OneMinute, "", nullptr);
        }
    return rows;
}

void Detect(benchmark::State& state, int count, bool sweep) {
    std::vector<TDistinctTimeHolderList> rows = RandomRows(count);
    int32_t subColumns = 0;
    size_t next = 0;
    for (auto _ : state) {
        TDistinctTimeHolderList& list = rows[next++ % rows.size()];
        for (int32_t i = 0; i < list.Count(); ++i) list.Get(i)->DistinctPosition = 0;
        TTimeDistinctGeneric detection(&list);
        if (sweep)
            detection.ResolveConflicts();
        else
            detection.ConflictLoop(true);
        for (int32_t i = 0; i < list.Count(); ++i) subColumns = std::max(subColumns, list.Get(i)->DistinctPosition);
    }
    state.counters["sub-columns"] = subColumns;
}

void Baseline_Sweep1000Items(benchmark::State& state) { Detect(state, 1000, true); }
BENCHMARK(Baseline_Sweep1000Items)->Unit(benchmark::kMillisecond);
void Sweep10000Items(benchmark::State& state) { Detect(state, 10000, true); }
BENCHMARK(Sweep10000Items)->Unit(benchmark::kMillisecond);
void PairwiseLoop1000Items(benchmark::State& state) { Detect(state, 1000, false); }
BENCHMARK(PairwiseLoop1000Items)->Unit(benchmark::kMillisecond);
void PairwiseLoop10000Items(benchmark::State& state) { Detect(state, 10000, false); }
BENCHMARK(PairwiseLoop10000Items)->Unit(benchmark::kMillisecond)->Iterations(2);

// Runs the deferred calls and the hand-overs until every worker is done.
void Settle() {
    for (;;) {
        TDoLater::DoAllNow();
        const bool handed = CheckSynchronize();
        if (!handed && TTimeDistinctGenericThread::UnfinishedCount() == 0 && TDoLater::PendingCount() == 0) return;
        std::this_thread::yield();
    }
}

// Rows of ten items in a chain of overlaps, detection on; each iteration
// detects every row again, the time given per row.
void DetectRows(benchmark::State& state, int rows) {
    TGantBenchChart chart;
    std::vector<TGantRow*> all;
    for (int r = 0; r < rows; ++r) {
        TqoDataEntity_Tree* node = chart.Gant->AddRootDataEntityTree();
        for (int k = 0; k < 10; ++k) {
            TqoDataEntity_GantTime* item = chart.Gant->AddGantTime(node, 0);
            item->SetStart(kMonday + k * 0.3);
            item->SetStop(kMonday + k * 0.3 + 0.5);
        }
        all.push_back(chart.Gant->RowList()->FindRowFromTreeNode(node));
        all.back()->SetCollisionDetection(true);
    }
    Settle();
    chart.Harness.RunUntilIdle();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (TGantRow* row : all) row->UpdateSubColumns();
        Settle();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count() / rows);
        state.PauseTiming();
        chart.Harness.RunUntilIdle();
        state.ResumeTiming();
    }
    state.counters["sub-columns of the last row"] = all.back()->SubColCount();
}

void Baseline_DetectOneRow(benchmark::State& state) { DetectRows(state, 1); }
BENCHMARK(Baseline_DetectOneRow)->UseManualTime()->Unit(benchmark::kMicrosecond);
void DetectTenThousandRowsPerRow(benchmark::State& state) { DetectRows(state, 10000); }
BENCHMARK(DetectTenThousandRowsPerRow)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(3);

} // namespace
