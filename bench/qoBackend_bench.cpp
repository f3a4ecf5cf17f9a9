// What the window system costs on the machine it runs on: the paint of a full
// window (a form of captioned panels, painted through the loop and composed
// into the pixels a backend shows) against a plain fill of the same area, and
// 10,000 posted messages against a plain queue of as many. The program builds
// for Windows too, where it runs under Wine beside its Linux run.
#include "platform/graphics/qoBitmap.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoMessageQueue.h"
#include "platform/window/qoPanel.h"
#include "platform/window/qoWindows.h"

#ifdef _WIN32
#include "platform/core/qoWin32.h"
#endif

#include <benchmark/benchmark.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace qo;

const TRect Area = TRect::Bounds(0, 0, 800, 600);
constexpr int Messages = 10000;

void Baseline_PlainFill(benchmark::State& state) {
    TBitmap bitmap(Area.Width(), Area.Height());
    for (auto _ : state) {
        bitmap.Canvas().Brush().Color = clBtnFace;
        bitmap.Canvas().FillRect(Area);
        benchmark::DoNotOptimize(bitmap.Raster().Row(0));
    }
}
BENCHMARK(Baseline_PlainFill);

// Every control of the form repainted, then the window's picture composed.
void FullWindowPaint(benchmark::State& state) {
    THeadlessHarness harness;
    TPanel form(nullptr);
    form.SetBounds(Area.Left, Area.Top, Area.Width(), Area.Height());
    form.SetCaption("form");
    std::vector<TPanel*> cells;
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 4; ++column) {
            auto* cell = new TPanel(&form);
            cell->SetParent(&form);
            cell->SetBounds(column * 200, row * 100, 200, 100);
            cell->SetCaption("Cell " + std::to_string(row * 4 + column));
            cells.push_back(cell);
        }
    harness.RunUntilIdle();
    TBitmap picture;
    for (auto _ : state) {
        form.Invalidate();
        for (TPanel* cell : cells) cell->Invalidate();
        harness.RunUntilIdle();
        ComposeWindow(form, picture);
        benchmark::DoNotOptimize(picture.Raster().Row(0));
    }
}
BENCHMARK(FullWindowPaint);

void Baseline_PlainQueue(benchmark::State& state) {
    std::deque<TMessage> queue;
    WPARAM sum = 0;
    for (auto _ : state) {
        for (int i = 0; i < Messages; ++i) queue.push_back({WM_USER, WPARAM(i), 0, 0});
        while (!queue.empty()) {
            sum += queue.front().WParam;
            queue.pop_front();
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(Baseline_PlainQueue);

void TenThousandPostedMessages(benchmark::State& state) {
    THeadlessHarness harness;
    WPARAM sum = 0;
    const qo::HWND target = AllocateHWnd([&](TMessage& m) { sum += m.WParam; });
    for (auto _ : state) {
        for (int i = 0; i < Messages; ++i) PostMessage(target, WM_USER, WPARAM(i), 0);
        harness.RunUntilIdle();
        benchmark::DoNotOptimize(sum);
    }
    DeallocateHWnd(target);
}
BENCHMARK(TenThousandPostedMessages);

#ifdef _WIN32
// The system's own queue, as the deferred-call window and a host's loop use it.
::LRESULT CALLBACK Summing(::HWND hwnd, ::UINT msg, ::WPARAM wParam, ::LPARAM lParam) {
    if (msg != WM_USER) return DefWindowProcW(hwnd, msg, wParam, lParam);
    *reinterpret_cast<::WPARAM*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) += wParam;
    return 0;
}

void TenThousandNativePostedMessages(benchmark::State& state) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Summing;
    windowClass.hInstance = ThisModule();
    windowClass.lpszClassName = L"qoBenchSumming";
    RegisterClassExW(&windowClass);
    const ::HWND window = CreateWindowExW(0, L"qoBenchSumming", L"", 0, 0, 0, 0, 0, nullptr, nullptr, ThisModule(), nullptr);
    WPARAM sum = 0;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&sum));
    for (auto _ : state) {
        for (int i = 0; i < Messages; ++i) PostMessageW(window, WM_USER, WPARAM(i), 0);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        benchmark::DoNotOptimize(sum);
    }
    DestroyWindow(window);
    UnregisterClassW(L"qoBenchSumming", ThisModule());
}
BENCHMARK(TenThousandNativePostedMessages);
#endif

} // namespace
