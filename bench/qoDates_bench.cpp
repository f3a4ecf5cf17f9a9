// Date decoding and formatting run for every scale label; measured against a
// plain arithmetic loop over the same values as the baseline.
#include "platform/core/qoDateFormat.h"
#include "platform/core/qoRounding.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qo;

const TDateTime kStart = EncodeDate(2003, 1, 1);

void Baseline_Arithmetic(benchmark::State& state) {
    double v = kStart;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Round(v * 24.0));
        v += 0.01;
    }
}
BENCHMARK(Baseline_Arithmetic);

void DecodeDateTime(benchmark::State& state) {
    double v = kStart;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qo::DecodeDateTime(v));
        v += 0.01;
    }
}
BENCHMARK(DecodeDateTime);

void FormatLabel(benchmark::State& state) {
    double v = kStart;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatDateTime("yyyy mmm dd HH:MM", v));
        v += 0.01;
    }
}
BENCHMARK(FormatLabel);

} // namespace
