// The window system's promise to the charts: many invalidations between two
// paints cost one paint. The baseline is a single invalidation and its paint.
#include "platform/window/qoHeadless.h"
#include "platform/window/qoMessageQueue.h"
#include "platform/window/qoPanel.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qo;

struct TScene {
    THeadlessHarness Harness;
    TPanel Form{nullptr};
    TScene() {
        Form.SetBounds(0, 0, 400, 300);
        Form.SetCaption("chart");
        Harness.RunUntilIdle();
    }
};

void Baseline_OneInvalidationOnePaint(benchmark::State& state) {
    TScene scene;
    for (auto _ : state) {
        scene.Form.Invalidate();
        scene.Harness.RunUntilIdle();
    }
}
BENCHMARK(Baseline_OneInvalidationOnePaint);

void HundredInvalidationsOnePaint(benchmark::State& state) {
    TScene scene;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) scene.Form.InvalidateRect(TRect::Bounds(i, i, 50, 50), i % 2 == 0);
        scene.Harness.RunUntilIdle();
    }
}
BENCHMARK(HundredInvalidationsOnePaint);

void HundredPostedMessages(benchmark::State& state) {
    TScene scene;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) PostMessage(scene.Form.Handle(), WM_USER, WPARAM(i), 0);
        scene.Harness.RunUntilIdle();
    }
}
BENCHMARK(HundredPostedMessages);

} // namespace
