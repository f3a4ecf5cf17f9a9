// The date scaler maps every bar end and mouse position of a chart. Mapping
// with hidden weekends and night hours is measured against the plain linear
// mapping (the baseline); building the marks of a 1,920-pixel scaler is
// measured at each resolution level against the same baseline.
#include "platform/window/qoHeadless.h"
#include "scale/qoScaler.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qo;

const TDateTime kMonday = EncodeDate(2024, 3, 4);

struct TScene {
    THeadlessHarness Harness;
    TPanel Form{nullptr};
    TqoDateScaler* Scaler;
    explicit TScene(TqoHiddenDays days = 0, TqoHiddenHours hours = 0) {
        Form.SetBounds(0, 0, 1920, 60);
        Scaler = new TqoDateScaler(&Form);
        Scaler->SetParent(&Form);
        Scaler->SetHorizontal(true);
        Scaler->SetBounds(0, 0, 1920, 58);
        Scaler->SetHiddenDays(days);
        Scaler->SetHiddenHours(hours);
        Scaler->SetStart(kMonday);
        Scaler->SetStop(Scaler->VisibleTimeDiffToTrueTime(kMonday, 28));
    }
};

// Dates spread over the range and pixels over the scale, one of each per iteration.
void MapBothWays(benchmark::State& state, TScene& scene) {
    TqoDateScaler& s = *scene.Scaler;
    const double span = s.Stop() - s.Start();
    int i = 0;
    for (auto _ : state) {
        i = (i + 37) % 1920;
        benchmark::DoNotOptimize(s.DateToPixel(s.Start() + span * i / 1920));
        benchmark::DoNotOptimize(s.PixelToDate(i));
    }
}

void Baseline_LinearMapping(benchmark::State& state) {
    TScene scene;
    MapBothWays(state, scene);
}
BENCHMARK(Baseline_LinearMapping);

void HiddenWeekendsAndNightsMapping(benchmark::State& state) {
    TScene scene((1u << thdSAT) | (1u << thdSUN), 0xFC00FF);
    MapBothWays(state, scene);
}
BENCHMARK(HiddenWeekendsAndNightsMapping);

const double kLevels[] = {ScaleStep::Tenth,       ScaleStep::Second,      ScaleStep::TenSeconds,
                          ScaleStep::Minute,      ScaleStep::TenMinutes,  ScaleStep::Hour,
                          ScaleStep::Day,         ScaleStep::Week,        ScaleStep::Month,
                          ScaleStep::Quarter,     ScaleStep::Year,        ScaleStep::TenYears,
                          ScaleStep::TwentyYears, ScaleStep::HundredYears};

// The marks of a 1,920-pixel scaler whose short step is the level's. The
// century level needs more than 2,500 years on 1,920 pixels, beyond the last
// date a scale shows, so the levels end at twenty years.
void BuildMarks(benchmark::State& state) {
    TScene scene;
    const size_t level = size_t(state.range(0));
    const double below = level == 0 ? kLevels[0] / 4 : kLevels[level - 1];
    const double perPixel = (below + kLevels[level]) / 2 / 15;
    const TDateTime start = EncodeDate(1901, 1, 1);
    scene.Scaler->SetStart(start);
    scene.Scaler->SetStop(start + perPixel * 1920);
    state.SetLabel(scene.Scaler->SmallStepName());
    for (auto _ : state) scene.Scaler->CalcDrawMode();
}
BENCHMARK(BuildMarks)->DenseRange(0, 12);

} // namespace
