// What a chart frame costs on the canvas, as ratios to a plain memory fill of
// the same 1920 x 1080 surface: painting should stay close to touching the pixels.
#include "platform/graphics/qoBitmap.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

using namespace qo;

constexpr int32_t W = 1920, H = 1080;

void Baseline_MemoryFill(benchmark::State& state) {
    TqoRaster raster(W, H);
    uint32_t value = 0;
    for (auto _ : state) {
        std::fill(raster.Data(), raster.Data() + size_t(W) * H, ++value);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Baseline_MemoryFill);

void FillSurface(benchmark::State& state) {
    TBitmap bitmap(W, H);
    TCanvas& c = bitmap.Canvas();
    for (auto _ : state) {
        c.Brush().Color ^= 0x010101;
        c.FillRect({0, 0, W, H});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(FillSurface);

void Rectangles_10000x100x12(benchmark::State& state) {
    TBitmap bitmap(W, H);
    TCanvas& c = bitmap.Canvas();
    c.Brush().Color = clAqua;
    for (auto _ : state) {
        for (int32_t i = 0; i < 10000; ++i) {
            const int32_t x = (i * 37) % (W - 100), y = (i * 13) % (H - 12);
            c.Rectangle(x, y, x + 100, y + 12);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Rectangles_10000x100x12);

void Lines_10000OnePixel(benchmark::State& state) {
    TBitmap bitmap(W, H);
    TCanvas& c = bitmap.Canvas();
    for (auto _ : state) {
        for (int32_t i = 0; i < 10000; ++i) {
            const int32_t x = (i * 37) % W, y = (i * 13) % H;
            c.MoveTo(x, y);
            // Mostly the horizontal and vertical grid lines of a chart, some slanted links.
            if (i % 3 == 0)
                c.LineTo(x + 80, y);
            else if (i % 3 == 1)
                c.LineTo(x, y + 40);
            else
                c.LineTo(x + 30, y + 17);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Lines_10000OnePixel);

void Text_1000ShortRuns(benchmark::State& state) {
    TBitmap bitmap(W, H);
    TCanvas& c = bitmap.Canvas();
    c.Brush().Style = TBrushStyle::bsClear;
    for (auto _ : state) {
        for (int32_t i = 0; i < 1000; ++i) c.TextOut((i * 37) % (W - 80), (i * 13) % (H - 14), "Task 12 Mon");
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Text_1000ShortRuns);

} // namespace
