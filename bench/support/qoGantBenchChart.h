#pragma once
// The chart the Gantt benchmarks fill and measure: a component of 1,920 x 1,080
// on a headless form, four weeks from a Monday in view.
#include "data/qoDoLater.h"
#include "gantt/qoGant.h"
#include "platform/window/qoHeadless.h"

#include <benchmark/benchmark.h>

#include <string>

namespace qo::bench {

inline const TDateTime kMonday = EncodeDate(2024, 3, 4);

struct TGantBenchChart {
    THeadlessHarness Harness;
    TPanel Form{nullptr};
    TqoGant* Gant;

    TGantBenchChart() {
        Form.SetBounds(0, 0, 1920, 1080);
        Gant = new TqoGant(&Form);
        Gant->SetParent(&Form);
        Gant->SetAlign(alClient);
        Gant->SetScaleAndTree(kMonday, kMonday + 28, 300);
    }
    ~TGantBenchChart() {
        delete Gant;
        TDoLater::Shutdown();
    }
    TGantBenchChart(const TGantBenchChart&) = delete;
    TGantBenchChart& operator=(const TGantBenchChart&) = delete;

    // Phases of 100 tasks (one three-day bar each) until there are rows rows;
    // the phases open when expand is set.
    void AddPhasesOfTasks(int rows, bool expand) {
        TqoTree_ComBasic& tree = *Gant->TreeView();
        for (int made = 0; made < rows;) {
            TqoDataEntity_Tree* phase = tree.AddDataEntity(nullptr);
            phase->SetText("Phase " + std::to_string(made));
            ++made;
            for (int t = 0; t < 99 && made < rows; ++t, ++made) {
                TqoDataEntity_Tree* task = tree.AddDataEntity(phase);
                task->SetText("Task " + std::to_string(made));
                TqoDataEntity_GantTime* item = Gant->AddGantTime(task, 0);
                item->SetStart(kMonday + t % 20);
                item->SetStop(kMonday + t % 20 + 3);
            }
            if (expand) phase->SetExpanded(true);
        }
    }

    // Each iteration repaints the whole chart area once.
    void PaintFrames(benchmark::State& state) {
        Harness.RunUntilIdle();
        TqoOffscreenPaint_GA& area = *Gant->GA();
        for (auto _ : state) {
            area.Invalidate();
            area.Repaint();
        }
    }
};

} // namespace qo::bench
